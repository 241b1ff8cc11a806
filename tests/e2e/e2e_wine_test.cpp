// The road of one press across processes: the launcher's own button handling
// over the Win32 layer in this process, TVTest stand-ins with the real plugin
// in others; and the Win32 layer itself, against a stand-in's real windows
// and Windows' raw input.

#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <string>
#include <vector>

#include "launcher/button_handling.h"
#include "launcher/launcher.h"
#include "launcher/receiver.h"
#include "launcher/routing.h"
#include "launcher/settings/launcher_state.h"
#include "launcher/switching.h"
#include "launcher/window_system.h"
#include "launcher/window_system_win32.h"
#include "shared/remote_protocol.h"
#include "tests/e2e/standin_ids.h"
#include "tests/support/in_process_launcher.h"
#include "tests/support/standin_process.h"
#include "tests/support/window_in_front.h"
#include "tests/support/wine_files.h"

namespace vexlo::test {
namespace {

// The viewer windows front to back, and the one routing finds.
std::string viewerOrder() {
  return describeWindows(0, L"TVTest Window") + "; routing finds " +
         describeWindow(reinterpret_cast<HWND>(findViewerWindow()));
}

bool waitForTopViewer(HWND window) {
  return waitUntil([&] { return reinterpret_cast<HWND>(findViewerWindow()) == window; }, kPatience, viewerOrder);
}

// Wine settles a new window's place in the Z order a while after it is shown,
// and may put it in front once more then; so the wanted one is put on top
// again until routing sees it there.
bool raiseViewer(HWND window) {
  return waitUntil(
      [&] {
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return reinterpret_cast<HWND>(findViewerWindow()) == window;
      },
      kPatience, viewerOrder);
}

bool anyViewerRunning() { return FindWindowW(L"TVTest Window", nullptr) != nullptr; }

RECT placeInDialog(HWND dialog, int id) {
  RECT r{};
  GetWindowRect(GetDlgItem(dialog, id), &r);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(anyViewerRunning()) << "a viewer window of an earlier test is still there"; }

  void TearDown() override {
    for (StandIn& s : standIns_) stopStandIn(s);
    EXPECT_TRUE(waitUntil([] { return !anyViewerRunning(); })) << "a viewer did not end when closed";
  }

  StandIn& start(const std::wstring& name, const std::wstring& flags = L"") {
    StandIn s;
    EXPECT_TRUE(startViewer(directory_, name, flags, s));
    standIns_.push_back(s);
    return standIns_.back();
  }

  void enlargeDialogsTo800x600() {
    state_.mode = Mode::kDirectInput;
    state_.dialogExpand = 1;
    state_.dialogWidth = 800;
    state_.dialogHeight = 600;
  }

  InProcessLauncher launcher_;
  LauncherState& state_ = launcher_.state;
  LauncherSettings& settings_ = launcher_.settings;
  ScratchDirectory scratch_{L"vexlo-e2e"};
  const std::wstring& directory_ = scratch_.path();
  std::vector<StandIn> standIns_;
};

// The remote message carries the code in wParam up to the highest button.
TEST_F(EndToEnd, Channel1InDirectModeReachesThePluginAsButton13) {
  StandIn& viewer = start(L"viewer");
  ASSERT_TRUE(waitForLog(viewer.logPath, kControllerRegistered));
  EXPECT_NE(readLog(viewer.logPath).find("plugin Vexlo2\n"), std::string::npos);
  state_.mode = Mode::kDirectInput;
  handleButton(kCodeChannel1);
  EXPECT_TRUE(waitForLog(viewer.logPath, kChannel1Press)) << readLog(viewer.logPath);
  handleButton(0x33);
  EXPECT_TRUE(waitForLog(viewer.logPath, "press index=49 name=スキップ default=ChannelMenu"));
}

TEST_F(EndToEnd, OpenDialogIsEnlargedAndTakesKeysInsteadOfThePlugin) {
  StandIn& viewer = start(L"viewer", L"--open-dialog");
  ASSERT_NE(viewer.dialog, nullptr);
  enlargeDialogsTo800x600();
  const int moved[] = {kFileNameLabelId, kFileNameBoxId, kFileTypeLabelId, kFileTypeBoxId, IDOK, IDCANCEL};
  auto width = [&](int id) {
    const RECT r = placeInDialog(viewer.dialog, id);
    return r.right - r.left;
  };
  std::vector<LONG> widths;
  for (int id : moved) widths.push_back(width(id));

  handleButton(kCodeChannel1);  // not in the dialog's key map: enlarges, delivers nothing
  // The stand-in sizes its own window when it gets to it, after its controls.
  RECT rect{};
  waitUntil([&] {
    GetWindowRect(viewer.dialog, &rect);
    return rect.right - rect.left == 800;
  });
  EXPECT_EQ(rect.right - rect.left, 800);
  EXPECT_EQ(rect.bottom - rect.top, 600);
  // Every standard control ends where the layout table puts it for 800 x 600.
  const RECT places = placeInDialog(viewer.dialog, kPlacesBarId), list = placeInDialog(viewer.dialog, kFileListId);
  EXPECT_EQ(places.right - places.left, 102);
  EXPECT_EQ(places.bottom - places.top, 539);
  EXPECT_EQ(list.right - list.left, 671);
  EXPECT_EQ(list.bottom - list.top, 480);
  const POINT movedTo[] = {{117, 527}, {228, 522}, {117, 551}, {228, 548}, {553, 522}, {553, 546}};
  for (std::size_t i = 0; i < std::size(moved); ++i) {
    const RECT r = placeInDialog(viewer.dialog, moved[i]);
    EXPECT_EQ(r.left, movedTo[i].x) << "control " << moved[i];
    EXPECT_EQ(r.top, movedTo[i].y) << "control " << moved[i];
    EXPECT_EQ(width(moved[i]), widths[i]) << "control " << moved[i] << " kept its width";
  }

  // The strokes arrive on the focused file list, not at the plugin.
  handleButton(kCodeEnter);
  handleButton(kCodeUp);
  ASSERT_TRUE(waitForLog(viewer.logPath, "id=1121 vk=0x26 focused")) << readLog(viewer.logPath);
  EXPECT_NE(readLog(viewer.logPath).find("id=1121 vk=0xD focused"), std::string::npos);
  EXPECT_EQ(readLog(viewer.logPath).find("press index="), std::string::npos);
  // With the dialog gone the codes go to the plugin again.
  ShowWindow(viewer.dialog, SW_HIDE);
  handleButton(0x12);
  ASSERT_TRUE(waitForLog(viewer.logPath, "press index=16 ")) << readLog(viewer.logPath);
  EXPECT_EQ(readLog(viewer.logPath).find("press index=29 "), std::string::npos) << "the dialog's code reached the viewer";
}

TEST_F(EndToEnd, APressToTheDialogOfAHungViewerDoesNotWaitForIt) {
  StandIn& viewer = start(L"viewer", L"--open-dialog");
  enlargeDialogsTo800x600();
  PostMessageW(viewer.window, kHangMessage, 8000, 0);
  ASSERT_TRUE(waitForLog(viewer.logPath, "hang ms="));
  handleButton(kCodeDown);
  EXPECT_EQ(readLog(viewer.logPath).find("hang-end"), std::string::npos)
      << "the press waited for the viewer to answer again";
  // Once it answers, the dialog has its size and its key.
  ASSERT_TRUE(waitForLog(viewer.logPath, kDialogDown)) << readLog(viewer.logPath);
  RECT rect{};
  GetWindowRect(viewer.dialog, &rect);
  EXPECT_EQ(rect.right - rect.left, 800);
}

TEST_F(EndToEnd, ChannelDisplayTakesOnlyCursorEnterAndCancel) {
  StandIn& viewer = start(L"viewer", L"--channel-display");
  state_.mode = Mode::kDirectInput;
  for (auto code : {kCodeChannel1, kCodeUp, kCodeDown, kCodeVolumeUp, kCodeEnter, kCodeCancel}) handleButton(code);
  ASSERT_TRUE(waitForLog(viewer.logPath, "vk=0x1B")) << readLog(viewer.logPath);
  const std::string log = readLog(viewer.logPath);
  auto key = [&](const char* vk) { return log.find("class=TVTest Channel Display id=0 vk=" + std::string(vk) + " "); };
  ASSERT_NE(key("0x26"), std::string::npos) << log;
  ASSERT_NE(key("0x28"), std::string::npos) << log;
  ASSERT_NE(key("0xD"), std::string::npos) << log;
  EXPECT_LT(key("0x26"), key("0x28"));
  EXPECT_LT(key("0x28"), key("0xD"));
  EXPECT_LT(key("0xD"), key("0x1B"));
  EXPECT_EQ(log.find("vk=0x21"), std::string::npos) << "page up is not a channel-display key";
  EXPECT_EQ(log.find("press index="), std::string::npos);
}

// HDUS mode: a press goes to the viewer the remote is locked onto, the lower
// of two as well, and without a lock nowhere.
TEST_F(EndToEnd, HdusModeDeliversToTheLockedViewerEvenTheLowerOfTwoAndWithoutALockNothing) {
  StandIn upper = start(L"upper");
  StandIn lower = start(L"lower");
  ASSERT_TRUE(raiseViewer(upper.window));

  state_.mode = Mode::kHdusEmulation;
  state_.lockedTarget = reinterpret_cast<WindowHandle>(lower.window);
  handleButton(kCodeChannel1);
  ASSERT_TRUE(waitForLog(lower.logPath, "press index=13 ")) << readLog(lower.logPath);

  state_.lockedTarget = 0;
  handleButton(kCodeChannel1);
  state_.mode = Mode::kDirectInput;
  handleButton(0x10);  // チャンネル2, to know that everything before it was handled
  ASSERT_TRUE(waitForLog(upper.logPath, "press index=14 "))
      << "upper:\n" << readLog(upper.logPath) << "lower:\n" << readLog(lower.logPath);
  EXPECT_EQ(readLog(upper.logPath).find("press index=13 "), std::string::npos);
  EXPECT_EQ(countOf(readLog(lower.logPath), "press index=13 "), 1u);
}

TEST_F(EndToEnd, OnAirBringsTheNextViewerByProcessIdToTheFront) {
  const StandIn a = start(L"first");
  const StandIn b = start(L"second");
  // Wine gives a new process the id of an ended one, so the order of starting
  // says nothing of the order of the ids.
  ASSERT_NE(a.processId, b.processId);
  const StandIn& first = a.processId < b.processId ? a : b;
  const StandIn& second = a.processId < b.processId ? b : a;
  settings_.switchByOnair = 1;
  ASSERT_TRUE(raiseViewer(first.window));

  // The search walks down from the foreground window, as on a desktop where
  // something always has the foreground: here a window of the test's own,
  // taken back before each press.
  WindowInFront front;
  ASSERT_TRUE(front.take());
  handleButton(kCodeOnAir);
  EXPECT_TRUE(waitForTopViewer(second.window)) << "the next process id comes to the front";
  // Come late, the foreground forced on it would raise it again over the next press's choice.
  happensWithin([&] { return GetForegroundWindow() == second.window; }, WindowInFront::kForcedForegroundTime);

  ASSERT_TRUE(front.take());
  handleButton(kCodeOnAir);
  EXPECT_TRUE(waitForTopViewer(first.window)) << "past the highest process id it wraps to the lowest";
}

TEST_F(EndToEnd, PowerWithLaunchingOnStartsTheViewerFromAPathWithASpace) {
  const std::wstring dir = directory_ + L"\\TV Test";
  ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((dir + L"\\Plugins").c_str(), nullptr));
  ASSERT_TRUE(copyFile(standInFile(), dir + L"\\TVTest.exe"));
  ASSERT_TRUE(copyFile(pluginFile(), dir + L"\\Plugins\\Vexlo2.tvtp"));
  // Unquoted, the path would first name "...\TV.exe": a decoy that would log
  // beside itself.
  ASSERT_TRUE(copyFile(standInFile(), directory_ + L"\\TV.exe"));

  StandIn launched;
  launched.logPath = dir + L"\\standin.log";  // where the stand-in logs when given no --log
  settings_.powerOnLaunch = 1;
  settings_.viewerPath = dir + L"\\TVTest.exe";
  settings_.viewerOptions = L"/d \"BonDriver File.dll\"  /nodshow";
  handleButton(kCodePower);

  ASSERT_TRUE(waitUntilReady(launched)) << "the viewer did not start";
  standIns_.push_back(launched);
  const std::string log = readLog(launched.logPath);
  EXPECT_NE(log.find("cmdline=\"" + utf8(dir) + "\\TVTest.exe\" /d \"BonDriver File.dll\"  /nodshow\n"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find(kControllerRegistered), std::string::npos);
  EXPECT_FALSE(fileExists(directory_ + L"\\standin.log")) << "the decoy ran";
  // With the viewer up, power is routed to it instead of starting another.
  EXPECT_FALSE(specialButton(kCodePower));
}

// --- the Win32 window-system layer ------------------------------------------
// Against a stand-in without the plugin, whose log shows the remote messages
// its main window receives.

class Win32LayerTest : public EndToEnd {};

TEST_F(Win32LayerTest, TheLayerReadsTheViewersWindows) {
  const StandIn& tv = start(L"viewer", L"--no-plugin --channel-display --open-dialog --magictv --fullscreen");
  const HWND display = FindWindowExW(tv.window, nullptr, L"TVTest Channel Display", nullptr);
  ASSERT_TRUE(display && tv.dialog && findProcessWindow(L"mAgicTVWindow", tv.processId) &&
              findProcessWindow(L"TVTest Fullscreen", tv.processId));
  WindowSystem& ws = win32WindowSystem();
  WindowText text;
  const WindowHandle viewer = reinterpret_cast<WindowHandle>(tv.window);
  ASSERT_TRUE(ws.className(viewer, text));
  EXPECT_TRUE(text.equals(L"TVTest Window"));
  ws.windowTitle(reinterpret_cast<WindowHandle>(tv.dialog), text);
  EXPECT_TRUE(text.equals(L"ファイルを開く"));
  EXPECT_EQ(ws.windowProcess(viewer), tv.processId);
  EXPECT_EQ(ws.parentWindow(reinterpret_cast<WindowHandle>(display)), viewer);
  EXPECT_EQ(ws.controlId(reinterpret_cast<WindowHandle>(GetDlgItem(tv.dialog, kFileListId))), kFileListId);
  EXPECT_EQ(ws.windowStyle(reinterpret_cast<WindowHandle>(tv.dialog)) & kWsThickFrame, 0u);
  EXPECT_EQ(ws.registerWindowMessage(kRemoteMessageName), RegisterWindowMessageW(L"Vexlo2 GV-RCKIT3"));
  EXPECT_FALSE(ws.className(0, text));
  EXPECT_EQ(text.length, 0u);

  std::vector<WindowHandle> order;
  ws.enumTopLevelWindows([&](WindowHandle w) {
    order.push_back(w);
    return true;
  });
  ASSERT_GE(order.size(), 2u);
  EXPECT_EQ(ws.nextWindow(order[0]), order[1]);

  EXPECT_TRUE(ws.fileExists(standInFile().c_str()));
  EXPECT_FALSE(ws.fileExists((directory_ + L"\\no such file.exe").c_str()));
}

TEST_F(Win32LayerTest, TheForegroundLockTimeoutIsReadAndWritten) {
  WindowSystem& ws = win32WindowSystem();
  std::uint32_t saved = 0;
  ASSERT_TRUE(ws.foregroundLockTimeout(saved));
  ws.setForegroundLockTimeout(12345);
  std::uint32_t now = 0;
  ASSERT_TRUE(ws.foregroundLockTimeout(now));
  EXPECT_EQ(now, 12345u);
  ws.setForegroundLockTimeout(saved);
}

// A press the viewer must get as the remote message, with the code in wParam
// and 0 in lParam; everything posted to it before has arrived once it has.
TEST_F(Win32LayerTest, AnMagicTvWindowInFrontStopsDelivery) {
  const StandIn& tv = start(L"viewer", L"--no-plugin --magictv");
  const HWND magicTv = findProcessWindow(L"mAgicTVWindow", tv.processId);
  ASSERT_NE(magicTv, nullptr);
  state_.mode = Mode::kDirectInput;
  SetWindowPos(magicTv, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_TRUE(routeButton(0x10));
  SetWindowPos(magicTv, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_TRUE(routeButton(0x11));
  ASSERT_TRUE(waitForLog(tv.logPath, "unhandled-remote wParam=0x11 lParam=0x0\n"));
  EXPECT_EQ(readLog(tv.logPath).find("wParam=0x10 "), std::string::npos) << "delivered past mAgicTV";
}

// What the receiver's registration asks of Windows, and that a handle Windows
// cannot read gives no code and leaves the filter alone.
class ReceiverWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    window = CreateWindowExW(0, L"STATIC", L"receiver test", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    filter = ReceiverFilter{0x1C, 7};
  }
  void TearDown() override {
    if (window) DestroyWindow(window);
  }

  HWND window = nullptr;
  ReceiverFilter& filter = launcher().receiverFilter;
};

TEST_F(ReceiverWin32, RegistersConsumerControlAsInputSink) {
  registerReceiver(reinterpret_cast<std::uintptr_t>(window));
  EXPECT_EQ(filter.lastCode, 0);
  EXPECT_EQ(filter.repeatCount, 0u);

  UINT count = 0;
  ASSERT_EQ(GetRegisteredRawInputDevices(nullptr, &count, sizeof(RAWINPUTDEVICE)), 0u);
  ASSERT_GE(count, 1u);
  std::vector<RAWINPUTDEVICE> devices(count);
  ASSERT_EQ(GetRegisteredRawInputDevices(devices.data(), &count, sizeof(RAWINPUTDEVICE)), count);
  bool found = false;
  for (const RAWINPUTDEVICE& d : devices) {
    if (d.usUsagePage == 0x000C && d.usUsage == 0x0001) {
      found = true;
      EXPECT_EQ(d.dwFlags, static_cast<DWORD>(RIDEV_INPUTSINK));
      EXPECT_EQ(d.hwndTarget, window);
    }
  }
  EXPECT_TRUE(found);
}

TEST_F(ReceiverWin32, UnreadableInputIsNotTheReceiver) {
  for (std::uintptr_t handle : {std::uintptr_t{0}, std::uintptr_t{0x4321}}) {
    EXPECT_EQ(decodeRemoteInput(handle), kNotReceiver);
    EXPECT_EQ(filter.lastCode, 0x1C);
    EXPECT_EQ(filter.repeatCount, 7u);
  }
}

}  // namespace
}  // namespace vexlo::test

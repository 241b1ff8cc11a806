// The road of one press across processes: the launcher's own button handling
// in this process, TVTest stand-ins with the real plugin in others.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "launcher/button_handling.h"
#include "launcher/routing.h"
#include "launcher/settings/launcher_state.h"
#include "shared/remote_protocol.h"
#include "tests/support/in_process_launcher.h"
#include "tests/support/standin_process.h"
#include "tests/e2e/standin_ids.h"
#include "tests/support/wine_files.h"

namespace {

using vexlo::test::StandIn;

const std::wstring kStandInExe = vexlo::test::builtFile(L"standin", VEXLO_STANDIN_PATH);
const std::wstring kPluginFile = vexlo::test::builtFile(L"plugin", VEXLO2_TVTP_PATH);
const std::wstring kNaturalPluginFile = vexlo::test::windowsPath(VEXLO_NATURAL_PLUGIN_PATH);

// The viewer windows front to back, as routing sees them.
std::string viewerOrder() {
  std::string order;
  for (HWND w : vexlo::test::processWindows(L"TVTest Window", 0)) {
    char text[48];
    std::snprintf(text, sizeof text, "%s%p%s", order.empty() ? "" : ", ", static_cast<void*>(w),
                  IsWindowVisible(w) ? "" : " (hidden)");
    order += text;
  }
  return "viewers front to back: " + order + "; routing finds " +
         std::to_string(static_cast<unsigned long long>(vexlo::findViewerWindow()));
}

bool waitForTopViewer(HWND window) {
  return vexlo::test::waitUntil([&] { return reinterpret_cast<HWND>(vexlo::findViewerWindow()) == window; },
                                vexlo::test::kPatience, viewerOrder);
}

// Wine settles a new window's place in the Z order a while after it is shown,
// and may put it in front once more then; so the wanted one is put on top
// again until routing sees it there.
bool raiseViewer(HWND window) {
  return vexlo::test::waitUntil(
      [&] {
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return reinterpret_cast<HWND>(vexlo::findViewerWindow()) == window;
      },
      vexlo::test::kPatience, viewerOrder);
}

bool anyViewerRunning() { return FindWindowW(L"TVTest Window", nullptr) != nullptr; }

// A plain window of this process, shown on top and made the foreground.
struct ForegroundWindow {
  HWND window = nullptr;
  bool take() {
    if (!window) window = CreateWindowExW(WS_EX_TOPMOST, L"Static", L"front", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
    return vexlo::test::waitUntil(
        [&] {
          MSG m;
          while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
          return GetForegroundWindow() == window;
        },
        vexlo::test::kPatience, [] {
          char text[64];
          std::snprintf(text, sizeof text, "the foreground window is %p", static_cast<void*>(GetForegroundWindow()));
          return std::string(text);
        });
  }
  ~ForegroundWindow() { DestroyWindow(window); }
};

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(anyViewerRunning()) << "a viewer window of an earlier test is still there";
  }

  void TearDown() override {
    for (StandIn& s : standIns_) vexlo::test::stopStandIn(s);
    vexlo::test::waitUntil([] { return !anyViewerRunning(); });
  }

  StandIn& start(const std::wstring& name, const std::wstring& flags = L"") {
    StandIn s;
    std::wstring log = directory_ + L"\\" + name + L".log";
    EXPECT_TRUE(vexlo::test::startStandIn(kStandInExe, log, L"--plugin \"" + kPluginFile + L"\" " + flags, s))
        << vexlo::test::readLog(log);
    standIns_.push_back(s);
    return standIns_.back();
  }

  // Presses travel as posted messages; a later press that arrives proves the
  // earlier ones were handled.
  void press(std::uint8_t code) { vexlo::handleButton(code); }

  vexlo::test::InProcessLauncher launcher_;
  vexlo::LauncherState& state_ = launcher_.state;
  vexlo::LauncherSettings& settings_ = launcher_.settings;
  vexlo::test::ScratchDirectory scratch_{L"vexlo-e2e"};
  const std::wstring& directory_ = scratch_.path();
  std::vector<StandIn> standIns_;
};

TEST_F(EndToEnd, Channel1InDirectModeReachesThePluginAsButton13) {
  StandIn& viewer = start(L"viewer");
  ASSERT_TRUE(vexlo::test::waitForLog(viewer.logPath, "controller GV-RCKIT3 buttons=50"));
  EXPECT_NE(vexlo::test::readLog(viewer.logPath).find("plugin Vexlo2\n"), std::string::npos);
  state_.mode = vexlo::Mode::kDirectInput;
  press(vexlo::kCodeChannel1);
  EXPECT_TRUE(vexlo::test::waitForLog(viewer.logPath, "press index=13 name=チャンネル1 default=Channel1"))
      << vexlo::test::readLog(viewer.logPath);
}

TEST_F(EndToEnd, ANaturallyAlignedControllerRecordIsRefusedWithTheReasonWhereItIsNotTheHosts) {
  const std::wstring log = directory_ + L"\\natural.log";
  DWORD exitCode = 0;
  ASSERT_TRUE(vexlo::test::runStandInToExit(kStandInExe, log, L"--plugin \"" + kNaturalPluginFile + L"\"", exitCode))
      << vexlo::test::readLog(log);
  const std::string text = vexlo::test::readLog(log);
  EXPECT_NE(text.find("plugin Natural layout\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("ready pid="), std::string::npos) << text;
  EXPECT_NE(exitCode, 0u);
  if (sizeof(void*) == 4) {
    // On i686 natural alignment is the host's layout: the record is taken,
    // and only the missing event callback stops this test-only plugin.
    EXPECT_NE(text.find("controller Natural buttons=1"), std::string::npos) << text;
    EXPECT_EQ(text.find("controller-refused"), std::string::npos) << text;
    EXPECT_NE(text.find("error enable-refused"), std::string::npos) << text;
    return;
  }
  // Refused on its size before anything else of it is read; the plugin
  // then reports the failure and the host does not start it.
  EXPECT_NE(text.find("controller-refused size 88 is not the host's 76\n"), std::string::npos) << text;
  EXPECT_NE(text.find("log natural record refused"), std::string::npos) << text;
  EXPECT_NE(text.find("error plugin-refused"), std::string::npos) << text;
}

TEST_F(EndToEnd, OpenDialogIsEnlargedAndTakesKeysInsteadOfThePlugin) {
  StandIn& viewer = start(L"viewer", L"--open-dialog");
  ASSERT_NE(viewer.dialog, nullptr);
  state_.mode = vexlo::Mode::kDirectInput;
  state_.dialogExpand = 1;
  state_.dialogWidth = 800;
  state_.dialogHeight = 600;

  press(vexlo::kCodeChannel1);  // not in the dialog's key map: enlarges, delivers nothing
  // The stand-in sizes its own window when it gets to it.
  RECT rect{};
  vexlo::test::waitUntil([&] {
    GetWindowRect(viewer.dialog, &rect);
    return rect.right - rect.left == 800;
  });
  EXPECT_EQ(rect.right - rect.left, 800);
  EXPECT_EQ(rect.bottom - rect.top, 600);

  press(vexlo::kCodeEnter);
  ASSERT_TRUE(vexlo::test::waitForLog(viewer.logPath, "id=1121 vk=0xD")) << vexlo::test::readLog(viewer.logPath);
  EXPECT_EQ(vexlo::test::readLog(viewer.logPath).find("press index="), std::string::npos);
}

TEST_F(EndToEnd, APressToTheDialogOfAHungViewerDoesNotWaitForIt) {
  StandIn& viewer = start(L"viewer", L"--open-dialog");
  state_.mode = vexlo::Mode::kDirectInput;
  state_.dialogExpand = 1;
  state_.dialogWidth = 800;
  state_.dialogHeight = 600;
  PostMessageW(viewer.window, kHangMessage, 8000, 0);
  ASSERT_TRUE(vexlo::test::waitForLog(viewer.logPath, "hang ms="));
  press(vexlo::kCodeDown);
  EXPECT_EQ(vexlo::test::readLog(viewer.logPath).find("hang-end"), std::string::npos)
      << "the press waited for the viewer to answer again";
  // Once it answers, the dialog has its size and its key.
  ASSERT_TRUE(vexlo::test::waitForLog(viewer.logPath, "id=1121 vk=0x28")) << vexlo::test::readLog(viewer.logPath);
  RECT rect{};
  GetWindowRect(viewer.dialog, &rect);
  EXPECT_EQ(rect.right - rect.left, 800);
}

TEST_F(EndToEnd, ChannelDisplayTakesOnlyCursorEnterAndCancel) {
  StandIn& viewer = start(L"viewer", L"--channel-display");
  state_.mode = vexlo::Mode::kDirectInput;
  for (std::uint8_t code : {vexlo::kCodeChannel1, vexlo::kCodeUp, vexlo::kCodeVolumeUp, vexlo::kCodeEnter,
                            vexlo::kCodeCancel}) {
    press(code);
  }
  ASSERT_TRUE(vexlo::test::waitForLog(viewer.logPath, "vk=0x1B")) << vexlo::test::readLog(viewer.logPath);
  std::string log = vexlo::test::readLog(viewer.logPath);
  std::size_t up = log.find("vk=0x26"), enter = log.find("vk=0xD"), cancel = log.find("vk=0x1B");
  ASSERT_NE(up, std::string::npos);
  ASSERT_NE(enter, std::string::npos);
  EXPECT_LT(up, enter);
  EXPECT_LT(enter, cancel);
  EXPECT_EQ(log.find("vk=0x21"), std::string::npos) << "page up is not a channel-display key";
  EXPECT_EQ(log.find("press index="), std::string::npos);
}

TEST_F(EndToEnd, HdusModeWithoutLockDeliversNothing) {
  StandIn& viewer = start(L"viewer");
  state_.mode = vexlo::Mode::kHdusEmulation;
  press(vexlo::kCodeChannel1);
  state_.mode = vexlo::Mode::kDirectInput;
  press(0x10);  // チャンネル2, to know that everything before it was handled
  ASSERT_TRUE(vexlo::test::waitForLog(viewer.logPath, "press index=14 "));
  EXPECT_EQ(vexlo::test::readLog(viewer.logPath).find("press index=13 "), std::string::npos);
}

TEST_F(EndToEnd, LockedOntoTheLowerOfTwoViewersThePressReachesThatOne) {
  StandIn upper = start(L"upper");
  StandIn lower = start(L"lower");
  ASSERT_TRUE(raiseViewer(upper.window));

  state_.mode = vexlo::Mode::kHdusEmulation;
  state_.lockedTarget = reinterpret_cast<vexlo::WindowHandle>(lower.window);
  press(vexlo::kCodeChannel1);
  ASSERT_TRUE(vexlo::test::waitForLog(lower.logPath, "press index=13 ")) << vexlo::test::readLog(lower.logPath);

  state_.lockedTarget = 0;
  state_.mode = vexlo::Mode::kDirectInput;
  press(0x10);
  ASSERT_TRUE(vexlo::test::waitForLog(upper.logPath, "press index=14 "))
      << "upper:\n" << vexlo::test::readLog(upper.logPath) << "lower:\n" << vexlo::test::readLog(lower.logPath);
  EXPECT_EQ(vexlo::test::readLog(upper.logPath).find("press index=13 "), std::string::npos);
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
  // something always has the foreground: here a window of the test's own.
  // Wine leaves no foreground window once the switched thread input is
  // detached again, so the test takes it back before each press.
  ForegroundWindow front;
  ASSERT_TRUE(front.take());
  press(vexlo::kCodeOnAir);
  EXPECT_TRUE(waitForTopViewer(second.window)) << "the next process id comes to the front";

  ASSERT_TRUE(front.take());
  press(vexlo::kCodeOnAir);
  EXPECT_TRUE(waitForTopViewer(first.window)) << "past the highest process id it wraps to the lowest";
}

TEST_F(EndToEnd, PowerWithLaunchingOnStartsTheViewerFromAPathWithASpace) {
  std::wstring dir = directory_ + L"\\TV Test";
  ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((dir + L"\\Plugins").c_str(), nullptr));
  ASSERT_TRUE(vexlo::test::copyFile(kStandInExe, dir + L"\\TVTest.exe"));
  ASSERT_TRUE(vexlo::test::copyFile(kPluginFile, dir + L"\\Plugins\\Vexlo2.tvtp"));

  StandIn launched;
  launched.logPath = dir + L"\\standin.log";  // where the stand-in logs when given no --log
  settings_.powerOnLaunch = 1;
  settings_.viewerPath = dir + L"\\TVTest.exe";
  settings_.viewerOptions = L"/d BonDriver_File.dll /nodshow";
  press(vexlo::kCodePower);

  ASSERT_TRUE(vexlo::test::waitUntilReady(launched)) << "the viewer did not start";
  standIns_.push_back(launched);
  std::string log = vexlo::test::readLog(launched.logPath);
  EXPECT_NE(log.find("cmdline=\"" + vexlo::test::utf8(dir) + "\\TVTest.exe\" /d BonDriver_File.dll /nodshow"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("controller GV-RCKIT3 buttons=50"), std::string::npos);
}

}  // namespace

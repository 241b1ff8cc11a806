// What a user's PC does to a resident tool, against the unmodified Vexlo.exe
// fed by the virtual receiver: the receiver unplugged and plugged in again,
// the launcher or TVTest ended the hard way, the settings file held by
// another program at exit. Each ends with nothing lost and the next press
// arriving where the routing rules send it.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "launcher/settings/settings_dialog_ids.h"
#include "tests/hid/receiver_control.h"
#include "tests/hid/virtual_receiver.h"
#include "tests/hid/window_in_front.h"
#include "tests/e2e/standin_ids.h"
#include "tests/support/dialog_controls.h"
#include "tests/support/launcher_process.h"
#include "tests/support/standin_process.h"
#include "tests/support/wine_files.h"
#include "tests/support/wine_processes.h"

namespace vexlo::test {
namespace {

constexpr std::uint8_t kRelease = 0x00;
constexpr std::uint8_t kChannel1 = 0x0F;
constexpr std::uint8_t kChannel3 = 0x11;
constexpr std::uint8_t kDown = 0x22;
const char kChannel1Press[] = "press index=13 ";
const char kChannel3Press[] = "press index=15 ";
const char kDialogDown[] = "id=1121 vk=0x28";

std::size_t countOf(const std::string& text, const std::string& needle) {
  std::size_t count = 0;
  for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size())) ++count;
  return count;
}

// The virtual receiver's installer: "unplug", or a device plugged in (again).
bool runInstaller(const wchar_t* verb) {
  RunningProgram installer;
  DWORD code = 1;
  return installer.start(windowsPath(VEXLO_RECEIVER_INSTALLER),
                         L"\"" + windowsPath(VEXLO_RECEIVER_INF) + L"\" " + verb) &&
         installer.waitForExit(kPatience * 3, code) && code == 0;
}

class Faults : public ::testing::Test {
 protected:
  void SetUp() override {
    launcher_.prepareIni({{L"ZIZU_MODE", L"00000001"}, {L"BFDialogExpand", L"00000001"}});
    ASSERT_TRUE(front_.ensureOneInFront());
    openReceiver();
  }

  void TearDown() override {
    if (receiver_ == INVALID_HANDLE_VALUE) plugIn();
    closeReceiver();
    if (launcher_.running() && launcher_.exitByCommand() == LauncherProcess::kNoExit) launcher_.kill();
  }

  void openReceiver() { receiver_ = hidtest::openVirtualDevice(VR_RECEIVER_VENDOR_ID, kPatience); }
  void closeReceiver() {
    if (receiver_ != INVALID_HANDLE_VALUE) CloseHandle(receiver_);
    receiver_ = INVALID_HANDLE_VALUE;
  }
  bool unplug() {
    closeReceiver();
    return runInstaller(L"unplug");
  }
  bool plugIn() {
    if (!runInstaller(L"receiver") || !runInstaller(L"other")) return false;
    openReceiver();
    return receiver_ != INVALID_HANDLE_VALUE;
  }

  // A press and its release, with a window in front as on a Windows desktop.
  void press(std::uint8_t code) {
    ASSERT_TRUE(front_.ensureOneInFront());
    ASSERT_TRUE(hidtest::sendCode(receiver_, code) && hidtest::sendCode(receiver_, kRelease)) << "no receiver";
  }

  StandIn startViewer(const wchar_t* name, const std::wstring& flags = L"") {
    StandIn viewer;
    const std::wstring log = launcher_.directory() + L"\\" + name + L".log";
    EXPECT_TRUE(startStandIn(builtFile(L"standin", VEXLO_STANDIN_PATH), log,
                             L"--plugin \"" + builtFile(L"plugin", VEXLO2_TVTP_PATH) + L"\" " + flags, viewer) &&
                waitForLog(log, "controller GV-RCKIT3 buttons=50"))
        << readLog(log);
    return viewer;
  }

  // The viewer's presses of `needle` once a Channel 3 press after them has
  // arrived: the launcher handles reports in order, so every one before it
  // has been handled by then.
  std::size_t settledCount(const StandIn& viewer, const char* needle) {
    const std::size_t markers = countOf(readLog(viewer.logPath), kChannel3Press);
    press(kChannel3);
    EXPECT_TRUE(waitUntil([&] { return countOf(readLog(viewer.logPath), kChannel3Press) > markers; }, kPatience,
                          [&] { return launcher_.status() + "; " + describeForeground(); }))
        << "the marker press did not arrive";
    return countOf(readLog(viewer.logPath), needle);
  }

  hidtest::WindowInFront front_;
  HANDLE receiver_ = INVALID_HANDLE_VALUE;
  LauncherProcess launcher_{builtFile(L"launcher", VEXLO_EXE), L"vexlo faults"};
};

// Unplugged, moved to another port, or back from sleep: the launcher asks
// for consumer-control input, not for one device, so a receiver that comes
// (again) while it runs is heard at once.
TEST_F(Faults, AReceiverPluggedInAfterTheStartOrAgainIsHeardWithoutARestart) {
  ASSERT_TRUE(unplug()) << "the receiver could not be taken away";
  const StandIn viewer = startViewer(L"viewer");
  ASSERT_TRUE(launcher_.start()) << "Vexlo.exe did not start";

  ASSERT_TRUE(plugIn()) << "the receiver did not come";
  press(kChannel1);
  EXPECT_EQ(settledCount(viewer, kChannel1Press), 1u) << readLog(viewer.logPath);

  ASSERT_TRUE(unplug()) << "the receiver could not be taken away";
  ASSERT_TRUE(plugIn()) << "the receiver did not come back";
  press(kChannel1);
  EXPECT_EQ(settledCount(viewer, kChannel1Press), 2u) << readLog(viewer.logPath);
  EXPECT_TRUE(launcher_.running());
}

// Task Manager's end task, a crash: the mutex goes with the process, the
// settings file is as the last clean exit left it, and a new launcher is the
// only one that delivers.
TEST_F(Faults, AKilledLauncherLeavesItsFileWholeAndTheNextOneAlone) {
  ASSERT_TRUE(launcher_.start()) << "Vexlo.exe did not start";
  HWND dialog = launcher_.openSettings();
  ASSERT_NE(dialog, nullptr);
  setControlText(dialog, IDC_VIEWER_PATH, L"D:\\\u30C6\u30EC\u30D3\\\U0001F4FA\\TVTest.exe");
  ASSERT_TRUE(clickAndWaitClosed(dialog, IDOK));
  const std::string before = readTextFile(launcher_.ini());
  ASSERT_FALSE(before.empty());

  launcher_.kill();
  ASSERT_FALSE(launcher_.running());
  EXPECT_EQ(readTextFile(launcher_.ini()), before) << "the file changed at the end";
  ASSERT_TRUE(launcher_.start()) << "the next launcher did not start";
  EXPECT_EQ(readTextFile(launcher_.ini()), before);

  const StandIn viewer = startViewer(L"viewer");
  press(kChannel1);
  EXPECT_EQ(settledCount(viewer, kChannel1Press), 1u) << "not one button per press:\n" << readLog(viewer.logPath);
}

// A backup or sync tool, or an editor, holds the file at the moment of exit:
// the launcher ends as usual and the file is left as it was, neither
// emptied nor half written, whether the holder lets others read it or not.
TEST_F(Faults, ASettingsFileHeldByAnotherProgramAtExitIsLeftWhole) {
  for (DWORD sharing : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
    SCOPED_TRACE("held with sharing " + std::to_string(sharing));
    ASSERT_TRUE(launcher_.start()) << "Vexlo.exe did not start";
    HWND dialog = launcher_.openSettings();
    ASSERT_NE(dialog, nullptr);
    // A value the code page lacks: the exit would rewrite the whole file.
    setControlText(dialog, IDC_VIEWER_PATH, L"C:\\\U0001F4FA\\TVTest.exe");
    ASSERT_TRUE(clickAndWaitClosed(dialog, IDOK));
    const std::string before = readTextFile(launcher_.ini());
    ASSERT_FALSE(before.empty());

    HANDLE held = CreateFileW(launcher_.ini().c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(launcher_.exitByCommand(), 0u) << "the launcher did not end normally";
    CloseHandle(held);
    EXPECT_EQ(readTextFile(launcher_.ini()), before);
    EXPECT_FALSE(fileExists(launcher_.ini() + L".new")) << "a new file was left beside it";
  }
}

// TVTest ended while its open-file dialog had the presses: the next one
// goes to the viewer that is on top now, as the remote message, and no key
// stroke goes anywhere.
TEST_F(Faults, AViewerEndedWithItsOpenFileDialogUpLeavesTheNextPressToTheNextViewer) {
  ASSERT_TRUE(launcher_.start()) << "Vexlo.exe did not start";
  const StandIn next = startViewer(L"next");
  StandIn ended = startViewer(L"ended", L"--open-dialog");
  ASSERT_NE(ended.dialog, nullptr);
  ASSERT_TRUE(sendMessageBounded(ended.window, kComeToFrontMessage));
  ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == ended.dialog; }, kPatience, describeForeground));
  ASSERT_TRUE(hidtest::sendCode(receiver_, kDown) && hidtest::sendCode(receiver_, kRelease));
  ASSERT_TRUE(waitForLog(ended.logPath, kDialogDown)) << "the dialog did not get its key";

  ended.program->terminate();
  // Wine hands raw input to the thread in front; until it has taken the
  // ended process's windows away, that is a thread that no longer runs.
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(ended.dialog) && !IsWindow(ended.window); }));
  press(kChannel1);
  EXPECT_EQ(settledCount(next, kChannel1Press), 1u) << readLog(next.logPath);
  EXPECT_EQ(askWindow(next.window, kCountMessage, kCountKeys), 0) << "a key stroke reached the next viewer";
  // The menu answers as before.
  launcher_.trayEvent(WM_RBUTTONDOWN);
  HWND menu = nullptr;
  ASSERT_TRUE(waitUntil([&] { return (menu = findProcessWindow(L"#32768", launcher_.processId())) && IsWindowVisible(menu); }));
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(menu); }));
}

}  // namespace
}  // namespace vexlo::test

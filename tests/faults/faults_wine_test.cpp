// What a user's PC does to a resident tool, against the unmodified Vexlo.exe
// fed by the virtual receiver: the receiver unplugged and plugged in again,
// the launcher or TVTest ended the hard way, the settings file held by
// another program at exit. Each ends with nothing lost and the next press
// arriving where the routing rules send it.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "launcher/resources/resource_ids.h"
#include "launcher/settings/settings_dialog_ids.h"
#include "shared/remote_protocol.h"
#include "tests/e2e/standin_ids.h"
#include "tests/hid/receiver_fixture.h"
#include "tests/support/wine_files.h"

namespace vexlo::test {
namespace {

constexpr int kLockOnItem = 1;  // steps down the tray menu

// The virtual receiver's installer: "unplug", or a device plugged in (again).
bool runInstaller(const wchar_t* verb) {
  RunningProgram installer;
  DWORD code = 1;
  return installer.start(windowsPath(VEXLO_RECEIVER_INSTALLER),
                         L"\"" + windowsPath(VEXLO_RECEIVER_INF) + L"\" " + verb) &&
         installer.waitForExit(kPatience * 3, code) && code == 0;
}

class Faults : public ReceiverFixture {
 protected:
  Faults() : ReceiverFixture(L"vexlo faults") {}

  void TearDown() override {
    if (receiver == INVALID_HANDLE_VALUE) plugIn();
  }

  bool unplug() {
    closeReceiver();
    return runInstaller(L"unplug");
  }
  bool plugIn() { return runInstaller(L"receiver") && runInstaller(L"other") && openReceiver(); }

  // Ends the viewer, and waits until Wine has taken its windows away: until
  // then the thread in front, to which Wine hands raw input, no longer runs.
  void end(StandIn& viewer) {
    viewer.program->terminate();
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(viewer.dialog) && !IsWindow(viewer.window); }));
  }

  // Starts the launcher and gives it the viewer path in its settings dialog:
  // changed settings it holds, not yet saved. The file's bytes then, or
  // nothing when the launcher or its dialog did not come.
  std::string startHoldingPath(const std::wstring& path) {
    HWND dialog = startAndOpenSettings();
    if (!dialog) return {};
    setControlText(dialog, IDC_VIEWER_PATH, path);
    return clickAndWaitClosed(dialog, IDOK) ? readTextFile(launcher.ini()) : std::string();
  }

  // On-air with switching on brings the viewer (the only one) forward once
  // the launcher has handled everything before it: a barrier where the
  // presses before it go nowhere. Where the forced foreground never came,
  // the press was handled all the same, so it is made again.
  bool onAirBrings(const StandIn& viewer) {
    return waitUntil(
        [&] {
          if (!shell.take()) return false;
          press(kCodeOnAir);
          return happensWithin([&] { return GetForegroundWindow() == viewer.window; },
                               WindowInFront::kForcedForegroundTime);
        },
        kPatience, describeForeground);
  }

  // Presses Channel 1: the viewer's presses of it once a marker press came.
  std::size_t channel1Presses(const StandIn& viewer) {
    press(kCodeChannel1);
    return countOf(logAfterMarker(viewer), kChannel1Press);
  }
};

// Unplugged, moved to another port, or back from sleep: the launcher asks
// for consumer-control input, not for one device, so a receiver that comes
// (again) while it runs is heard at once.
TEST_F(Faults, AReceiverPluggedInAfterTheStartOrAgainIsHeardWithoutARestart) {
  ASSERT_TRUE(unplug()) << "the receiver could not be taken away";
  const StandIn tv = viewer(L"viewer");
  ASSERT_TRUE(launcher.start()) << "Vexlo.exe did not start";

  ASSERT_TRUE(plugIn()) << "the receiver did not come";
  EXPECT_EQ(channel1Presses(tv), 1u) << readLog(tv.logPath);

  ASSERT_TRUE(unplug()) << "the receiver could not be taken away";
  ASSERT_TRUE(plugIn()) << "the receiver did not come back";
  EXPECT_EQ(channel1Presses(tv), 2u) << readLog(tv.logPath);
  EXPECT_TRUE(launcher.running());
}

// Task Manager's end task, a crash: the mutex goes with the process, the
// settings file is as the last clean exit left it, and a new launcher is the
// only one that delivers.
TEST_F(Faults, AKilledLauncherLeavesItsFileWholeAndTheNextOneAlone) {
  const std::string before = startHoldingPath(L"D:\\\u30C6\u30EC\u30D3\\\U0001F4FA\\TVTest.exe");
  ASSERT_FALSE(before.empty());

  launcher.kill();
  ASSERT_FALSE(launcher.running());
  EXPECT_EQ(readTextFile(launcher.ini()), before) << "the file changed at the end";
  ASSERT_TRUE(launcher.start()) << "the next launcher did not start";
  EXPECT_EQ(readTextFile(launcher.ini()), before);

  const StandIn tv = viewer(L"viewer");
  EXPECT_EQ(channel1Presses(tv), 1u) << "not one button per press:\n" << readLog(tv.logPath);
}

// A backup or sync tool, or an editor, holds the file at the moment of exit:
// the launcher ends as usual and the file is left as it was, neither
// emptied nor half written, whether the holder lets others read it or not.
TEST_F(Faults, ASettingsFileHeldByAnotherProgramAtExitIsLeftWhole) {
  for (DWORD sharing : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
    SCOPED_TRACE("held with sharing " + std::to_string(sharing));
    // A value the code page lacks: the exit would rewrite the whole file.
    const std::string before = startHoldingPath(L"C:\\\U0001F4FA\\TVTest.exe");
    ASSERT_FALSE(before.empty());

    HANDLE held = CreateFileW(launcher.ini().c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    expectExitByCommand();
    CloseHandle(held);
    EXPECT_EQ(readTextFile(launcher.ini()), before);
    EXPECT_FALSE(fileExists(launcher.ini() + L".new")) << "a new file was left beside it";
  }
}

// TVTest ended while its open-file dialog had the presses: the next one
// goes to the viewer that is on top now, as the remote message, no key
// stroke goes anywhere, and the menu answers as before.
TEST_F(Faults, AViewerEndedWithItsOpenFileDialogUpLeavesTheNextPressToTheNextViewer) {
  ASSERT_TRUE(launcher.start()) << "Vexlo.exe did not start";
  const StandIn next = viewer(L"next");
  StandIn ended = viewer(L"ended", L"--open-dialog");
  ASSERT_NE(ended.dialog, nullptr);
  ASSERT_TRUE(sendMessageBounded(ended.window, kComeToFrontMessage));
  ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == ended.dialog; }, kPatience, describeForeground));
  press(kCodeDown);
  ASSERT_TRUE(waitForLog(ended.logPath, kDialogDown)) << "the dialog did not get its key";

  end(ended);
  EXPECT_EQ(channel1Presses(next), 1u) << readLog(next.logPath);
  EXPECT_EQ(askWindow(next.window, kCountMessage, kCountKeys), 0) << "a key stroke reached the next viewer";
  EXPECT_TRUE(launcher.chooseFromMenu(0, VK_ESCAPE)) << "the menu did not come or did not close";
}

// TVTest ended while the remote is locked onto it, in the mode where only a
// lock target gets presses: the next press goes nowhere, and the menu's
// lock-on starts a new pick (the lock and its check mark are gone), which
// locks onto the viewer clicked.
TEST_F(Faults, AViewerEndedWhileTheRemoteIsLockedOntoItLeavesNoLock) {
  launcher.prepareIni({{L"ZIZU_MODE", L"00000000"}, {L"SwitchTVTestByOnair", L"00000001"}});
  ASSERT_TRUE(launcher.start()) << "Vexlo.exe did not start";
  const StandIn next = viewer(L"next", L"--counting-button");
  StandIn ended = viewer(L"ended", L"--counting-button");
  SetForegroundWindow(ended.window);
  ASSERT_TRUE(sendMessageBounded(launcher.mainWindow(), WM_COMMAND, IDM_LOCKON));
  clickCountingButton(ended);
  ASSERT_EQ(downsAfterClicks(ended, 1), 0) << "the pick did not take the click";
  press(kCodeChannel1);
  ASSERT_TRUE(waitForLog(ended.logPath, kChannel1Press)) << "the lock did not take";

  end(ended);
  press(kCodeChannel1);
  ASSERT_TRUE(onAirBrings(next));
  EXPECT_EQ(countOf(readLog(next.logPath), "press index="), 0u) << readLog(next.logPath);
  EXPECT_EQ(askWindow(next.window, kCountMessage, kCountKeys), 0);

  // The menu posts its command before it closes: the on-air press after it
  // is handled after the command.
  ASSERT_TRUE(launcher.chooseFromMenu(kLockOnItem));
  ASSERT_TRUE(onAirBrings(next));
  clickCountingButton(next);
  EXPECT_EQ(downsAfterClicks(next, 1), 0) << "the lock-on item started no pick: the lock was still marked";
  press(kCodeChannel1);
  EXPECT_TRUE(waitForLog(next.logPath, kChannel1Press)) << "the new lock did not take";
}

}  // namespace
}  // namespace vexlo::test

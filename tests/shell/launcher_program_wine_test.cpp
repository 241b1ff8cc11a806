// The real Vexlo.exe under Wine: one instance, its exit paths and what they
// save, the About box, and a lock-on picked with a synthetic click. What a
// prepared file loads is the settings dialog test's.

#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>

#include "launcher/private_messages.h"
#include "launcher/resources/resource_ids.h"
#include "tests/support/dialog_controls.h"
#include "tests/support/launcher_program_fixture.h"
#include "tests/support/standin_process.h"
#include "tests/support/wine_files.h"
#include "tests/support/wine_processes.h"

namespace vexlo::test {
namespace {

class LauncherProgramTest : public LauncherProgramFixture {
 protected:
  LauncherProgramTest() : LauncherProgramFixture(L"vexlo shell") {}

  void expectAllKeysSaved() {
    for (const auto& [key, value] : launcher.iniValues()) EXPECT_NE(value, L"<absent>") << key;
  }

  const std::wstring& ini = launcher.ini();
};

TEST_F(LauncherProgramTest, ASecondInstanceExitsAtOnceWithCodeZero) {
  HWND window = startLauncher();
  ASSERT_NE(window, nullptr);

  RunningProgram second;
  ASSERT_TRUE(second.start(launcher.exe()));
  DWORD code = 1234;
  ASSERT_TRUE(second.waitForExit(kPatience, code));
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(findProcessWindow(L"VEXLO", second.processId()), nullptr);
  EXPECT_TRUE(launcher.running());
  expectExitByCommand();
}

TEST_F(LauncherProgramTest, AMutexItMayNotOpenCountsAsALauncherAlreadyRunning) {
  // As one made by an elevated launcher: every access denied to this user.
  PSECURITY_DESCRIPTOR denyAll = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;GA;;;WD)", SDDL_REVISION_1, &denyAll,
                                                                   nullptr));
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), denyAll, FALSE};
  HANDLE elevated = CreateMutexW(&attributes, FALSE, L"VexloMutex");
  ASSERT_NE(elevated, nullptr);
  ASSERT_EQ(CreateMutexW(nullptr, FALSE, L"VexloMutex"), nullptr) << "the mutex is not closed to us";
  ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

  RunningProgram copy;
  ASSERT_TRUE(copy.start(launcher.exe()));
  DWORD code = 1234;
  const bool ended = copy.waitForExit(kPatience, code);
  EXPECT_EQ(findProcessWindow(L"VEXLO", copy.processId()), nullptr);
  CloseHandle(elevated);
  LocalFree(denyAll);
  ASSERT_TRUE(ended) << "a second launcher ran beside the first";
  EXPECT_EQ(code, 0u);
  EXPECT_FALSE(fileExists(ini));
}

TEST_F(LauncherProgramTest, TheExitCommandSavesAllNineKeysAndEndsTheProcess) {
  HWND window = startLauncher();
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(fileExists(ini)) << "nothing is written while running";
  expectExitByCommand();
  expectAllKeysSaved();
  expectIniHolds({{L"ZIZU_MODE", L"00000000"}, {L"BFDialogWidth", L"00000400"},
                  {L"BFDialogHeight", L"00000320"}, {L"TVTestPath", L""}});
}

TEST_F(LauncherProgramTest, EndSessionTrueSavesAndEndsTheProcessAndLeavesWhatItReleasedAlone) {
  HWND window = startLauncher();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(askWindow(window, WM_QUERYENDSESSION), 1);
  // Posted together, all of these come out of the queue before the quit
  // message: each one after the first arrives after the teardown.
  const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  PostMessageW(window, WM_ENDSESSION, TRUE, 0);
  PostMessageW(window, WM_ENDSESSION, TRUE, 0);
  PostMessageW(window, WM_DESTROY, 0, 0);
  PostMessageW(window, WM_COMMAND, IDM_LOCKON, 0);
  launcher.trayEvent(WM_RBUTTONDOWN);
  launcher.trayEvent(WM_LBUTTONDBLCLK);
  PostMessageW(window, kLockOnClickMessage, WM_LBUTTONDOWN, 0);
  PostMessageW(window, WM_COMMAND, IDM_SETTINGS, 0);
  PostMessageW(window, WM_INPUT, 0, 0);
  PostMessageW(window, taskbarCreated, 0, 0);
  expectEndsWithZero();
  expectAllKeysSaved();
}

TEST_F(LauncherProgramTest, ACancelledLogoffKeepsTheLauncherRunningWithNothingSaved) {
  HWND window = startLauncher();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(sendMessageBounded(window, WM_ENDSESSION, FALSE));
  EXPECT_FALSE(fileExists(ini)) << "a teardown would have saved by now";

  // Still at work: its About box opens on the command, with its two lines.
  launcher.command(IDM_ABOUT);
  HWND about = waitForDialog(launcher.processId(), L"バージョン情報 Vexlo");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(GetWindow(about, GW_OWNER), window);
  std::wstring lines;
  for (HWND child = FindWindowExW(about, nullptr, L"Static", nullptr); child;
       child = FindWindowExW(about, child, L"Static", nullptr)) {
    wchar_t text[100] = {};
    GetWindowTextW(child, text, 100);
    lines += std::wstring(text) + L"|";
  }
  EXPECT_EQ(lines, L"Vexlo, Version 2.0.0|GV-RCKIT3でTVTestを操作するツール|");
  HWND ok = GetDlgItem(about, IDOK);
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(GetWindowLongW(ok, GWL_STYLE) & BS_DEFPUSHBUTTON);
  PostMessageW(about, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(about); }));
  EXPECT_TRUE(launcher.running());

  expectExitByCommand();
  expectAllKeysSaved();
}

// Lock-on against a stand-in viewer. The menu lives in the launcher, so its
// check mark is read through what the lock-on command does with it: while an item is
// checked for a viewer that has gone, the command clears the mark and starts no pick,
// and with no pick the next click reaches the viewer whole.
class LockOnProgramTest : public LauncherProgramTest {
 protected:
  void lockOnCommand(HWND launcherWindow) {
    ASSERT_TRUE(sendMessageBounded(launcherWindow, WM_COMMAND, IDM_LOCKON));
  }
};

TEST_F(LockOnProgramTest, AClickOnAViewersChildControlLocksAndChecksTheItem) {
  HWND window = startLauncher();
  ASSERT_NE(window, nullptr);

  StandIn first;
  ASSERT_TRUE(startClickTarget(launcher.directory(), L"first", first));
  lockOnCommand(window);
  clickCountingButton(first);
  EXPECT_EQ(downsAfterClicks(first, 1), 0) << "the picking click's button-down is swallowed";

  // With the locked viewer gone only the check mark is left; the command clears it
  // and does not pick, so this click arrives whole.
  first.program->terminate();
  StandIn second;
  ASSERT_TRUE(startClickTarget(launcher.directory(), L"second", second));
  lockOnCommand(window);
  clickCountingButton(second);
  EXPECT_EQ(downsAfterClicks(second, 1), 1) << "the lock-on command started a pick: the item was not checked";

  // Unchecked now, so the command picks; a click on nothing leaves it unlocked and
  // unchecked, and the next one picks again.
  lockOnCommand(window);
  clickAt(1200, 1000);
  askWindow(window, WM_NULL);  // the hook's message to the launcher is handled before this one
  lockOnCommand(window);
  clickCountingButton(second);
  EXPECT_EQ(downsAfterClicks(second, 2), 1) << "a second pick swallows its button-down";

  // Locked onto a live viewer: the command releases it without picking.
  lockOnCommand(window);
  clickCountingButton(second);
  EXPECT_EQ(downsAfterClicks(second, 3), 2);

  expectExitByCommand();
}

}  // namespace
}  // namespace vexlo::test

#pragma once
// The fixture of the Wine tests of the real Vexlo.exe: the test program's
// VEXLO_EXE (or the one --launcher= names), a copy of its own for every test,
// and what a test expects of its end and its file.

#include <gtest/gtest.h>

#include "tests/support/launcher_process.h"

namespace vexlo::test {

class LauncherProgramFixture : public ::testing::Test {
 protected:
  explicit LauncherProgramFixture(const wchar_t* scratchName) : launcher(builtFile(L"launcher", VEXLO_EXE), scratchName) {}

  // Starts the launcher and opens its settings dialog; null when either did not come.
  HWND startAndOpenSettings() {
    const bool started = launcher.start();
    EXPECT_TRUE(started) << "no hidden main window";
    return started ? launcher.openSettings() : nullptr;
  }

  // It ends, asked to already, with exit code 0.
  void expectEndsWithZero() {
    DWORD code = 1234;
    ASSERT_TRUE(launcher.waitForExit(code)) << "the launcher did not end";
    EXPECT_EQ(code, 0u) << "the launcher did not end cleanly";
  }
  void expectExitByCommand() { EXPECT_EQ(launcher.exitByCommand(), 0u) << "the launcher did not end cleanly"; }
  // Closes the dialog with its button, then exits by the menu command.
  void closeAndExit(HWND dialog, int button) {
    ASSERT_TRUE(clickAndWaitClosed(dialog, button));
    expectExitByCommand();
  }
  void expectIniHolds(const IniValues& values) { EXPECT_EQ(launcher.iniValues(values), values); }

  LauncherProcess launcher;
};

}  // namespace vexlo::test

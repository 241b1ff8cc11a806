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

  // Starts the launcher and waits for its hidden main window.
  HWND startLauncher() {
    EXPECT_TRUE(launcher.start());
    return launcher.mainWindow();
  }

  // It ends, asked to already, with exit code 0.
  void expectEndsWithZero() {
    DWORD code = 1234;
    ASSERT_TRUE(launcher.waitForExit(code)) << "the launcher did not end";
    EXPECT_EQ(code, 0u);
  }
  void expectExitByCommand() { EXPECT_EQ(launcher.exitByCommand(), 0u) << "the launcher did not end cleanly"; }
  void expectIniHolds(const IniValues& values) { EXPECT_EQ(launcher.iniValues(values), values); }

  LauncherProcess launcher;
};

}  // namespace vexlo::test

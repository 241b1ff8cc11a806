// The power button's launch over the real Win32 layer: the viewer starts from
// a directory whose name holds a space, with its options on its command line.

#include <windows.h>

#include <gtest/gtest.h>

#include "launcher/launcher.h"
#include "launcher/switching.h"
#include "launcher/window_system_win32.h"
#include "tests/support/installed_launcher.h"
#include "tests/support/wine_files.h"
#include "tests/support/wine_processes.h"

namespace vexlo::test {
namespace {

TEST(PowerOnLaunch, StartsTheViewerFromADirectoryWithASpaceAndPassesItsOptions) {
  ScratchDirectory scratch{L"vexlo launch"};
  const std::wstring viewerDir = scratch.subdirectory(L"TV Test");
  const std::wstring viewerExe = viewerDir + L"\\TVTest.exe";
  const std::wstring helper = windowsPath(FAKE_VIEWER_EXE);
  ASSERT_TRUE(CopyFileW(helper.c_str(), viewerExe.c_str(), FALSE));
  // Unquoted, the path would first name "...\TV.exe": a decoy that records
  // itself in the scratch directory.
  ASSERT_TRUE(CopyFileW(helper.c_str(), scratch.file(L"TV.exe").c_str(), FALSE));
  ASSERT_EQ(findProcessWindow(L"TVTest Window", 0), nullptr) << "a viewer left over from another test";

  InstalledLauncher installed{Seams{&win32WindowSystem()}};
  LauncherSettings& settings = launcher().settings;
  settings.powerOnLaunch = 1;
  settings.viewerPath = viewerExe;
  settings.viewerOptions = L"/d \"BonDriver File.dll\"  /nodshow";
  EXPECT_TRUE(specialButton(0x01));

  const std::wstring recorded = viewerDir + L"\\command_line.txt";
  ASSERT_TRUE(waitUntil([&] { return fileExists(recorded); })) << "the viewer never started";
  EXPECT_EQ(readUtf16File(recorded), L"\"" + viewerExe + L"\" /d \"BonDriver File.dll\"  /nodshow");
  EXPECT_FALSE(fileExists(scratch.file(L"command_line.txt"))) << "the decoy ran";

  // With the viewer up, power is routed to it instead of starting another.
  HWND viewer = nullptr;
  ASSERT_TRUE(waitUntil([&] { return (viewer = findProcessWindow(L"TVTest Window", 0)) != nullptr; }));
  EXPECT_FALSE(specialButton(0x01));

  DWORD viewerProcess = 0;
  GetWindowThreadProcessId(viewer, &viewerProcess);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, viewerProcess);
  PostMessageW(viewer, WM_CLOSE, 0, 0);
  if (process) {
    EXPECT_EQ(WaitForSingleObject(process, worldTime(kPatience)), WAIT_OBJECT_0);
    CloseHandle(process);
  }
}

}  // namespace
}  // namespace vexlo::test

// The end of the session arriving in the middle of a press: WM_ENDSESSION is
// a sent message, so it runs while the press waits in SetWindowPos on a
// window of another thread. The real main window procedure in this process,
// the press through the simulated desktop.
#include <windows.h>

#include <gtest/gtest.h>

#include "launcher/button_handling.h"
#include "launcher/launcher.h"
#include "launcher/shell_win32.h"
#include "launcher/window_classes.h"
#include "launcher/window_system.h"
#include "shared/remote_protocol.h"
#include "tests/support/fake_lockon_platform.h"
#include "tests/support/installed_launcher.h"
#include "tests/support/memory_profile.h"
#include "tests/support/simulated_desktop.h"
#include "tests/support/wine_processes.h"

namespace vexlo::test {
namespace {

constexpr std::uint8_t kVkReturn = 0x0D;

HWND createMainWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  launcher().module = reinterpret_cast<ModuleHandle>(instance);
  registerWindowClass(L"VEXLO teardown test", mainWindowProc);
  return CreateWindowExW(0, L"VEXLO teardown test", L"Vexlo", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                         instance, nullptr);
}

TEST(TeardownDuringAPress, ThePressFinishesAndChangesNothingInTheStoppedLauncher) {
  SimulatedDesktop desktop;
  FakeLockOnPlatform menu;
  MemoryProfile profile;
  InstalledLauncher installed{Seams{&desktop, &menu, &profile}};
  HWND mainWindow = createMainWindow();
  ASSERT_NE(mainWindow, nullptr);
  ASSERT_TRUE(launcher().running);

  desktop.addWindow(kViewerWindowClass, L"TVTest", 300, 301);
  const WindowHandle dialog = desktop.addWindow(kDialogClass, kOpenDialogTitle, 300, 301);
  const WindowHandle fileList = desktop.addChild(dialog, L"SHELLDLL_DefView", 0x0461);
  desktop.setFocus(fileList);
  const WindowHandle gone = desktop.addWindow(kViewerWindowClass, L"TVTest", 400, 401);
  desktop.destroyWindow(gone);
  LauncherState& state = launcher().state;
  state.mode = Mode::kDirectInput;
  state.dialogExpand = 1;
  state.lockedTarget = gone;  // lost: the press goes the direct way, then would unlock

  int calls = 0;
  desktop.duringSetWindowPos = [&](WindowHandle) {
    if (calls++ == 0) SendMessageW(mainWindow, WM_ENDSESSION, TRUE, 0);
  };
  handleButton(kCodeEnter);

  EXPECT_FALSE(launcher().running);
  EXPECT_EQ(calls, 2) << "the file list, then the dialog itself";
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kPostMessage), (EventLog{Event::post(fileList, kWmKeyDown, kVkReturn, 0)}))
      << "the press played its key stroke to the end";
  EXPECT_EQ(menu.stateWrites, 0) << "no unlock after teardown";
  EXPECT_EQ(profile.writes.size(), 9u) << "saved once, at teardown";
  const ProfileEntry* mode = profile.find(launcher().settingsPath, L"Vexlo", L"ZIZU_MODE");
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(mode->value, L"00000001");
  DestroyWindow(mainWindow);
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "teardown ends the message loop";
}

}  // namespace
}  // namespace vexlo::test

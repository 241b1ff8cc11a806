#pragma once
// The scene every launcher host test starts from: a simulated desktop, the
// fake menu and hook, the launcher's record as window creation leaves it and
// its own hidden main window; and helpers that build the windows TVTest shows.

#include <gtest/gtest.h>

#include "launcher/launcher.h"
#include "launcher/window_classes.h"
#include "tests/support/fake_lockon_platform.h"
#include "tests/support/installed_launcher.h"
#include "tests/support/simulated_desktop.h"

namespace vexlo::test {

class LauncherScene : public ::testing::Test {
 protected:
  LauncherScene() {
    mainWindow = desktop.addWindow(L"VEXLO", L"Vexlo", SimulatedDesktop::kLauncherProcess,
                                   SimulatedDesktop::kLauncherThread);
    desktop.setVisible(mainWindow, false);
  }

  // A top-level window of its own process, at the bottom of the Z order.
  WindowHandle addViewer(ProcessId process, const wchar_t* className = kViewerWindowClass) {
    return desktop.addWindow(className, L"TVTest", process, process + 1);
  }
  WindowHandle addOpenDialog(ProcessId process) {
    return desktop.addWindow(kDialogClass, kOpenDialogTitle, process, process + 1);
  }
  Event remote(WindowHandle viewer, std::uintptr_t code) const {
    return Event::post(viewer, state.remoteMessage, code, 0);
  }

  SimulatedDesktop desktop;
  FakeLockOnPlatform platform;
  InstalledLauncher installed{Seams{&desktop, &platform}};
  LauncherState& state = launcher().state;
  LauncherSettings& settings = launcher().settings;
  WindowHandle mainWindow = 0;
};

}  // namespace vexlo::test

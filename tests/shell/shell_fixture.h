#pragma once
// A launcher in memory: the simulated desktop, the launcher's record, the
// fake menu and hook, and the launcher's own hidden main window.

#include <gtest/gtest.h>

#include "launcher/launcher.h"
#include "launcher/lockon.h"
#include "tests/shell/fake_lockon_platform.h"
#include "tests/support/installed_launcher.h"
#include "tests/support/simulated_desktop.h"

namespace vexlo::test {

class ShellFixture : public ::testing::Test {
 protected:
  ShellFixture() {
    mainWindow = desktop.addWindow(L"VEXLO", L"Vexlo", SimulatedDesktop::kLauncherProcess,
                                   SimulatedDesktop::kLauncherThread);
    desktop.setVisible(mainWindow, false);
  }

  // A top-level viewer main window of its own process, at the bottom of the Z order.
  WindowHandle addViewer(ProcessId process) {
    return desktop.addWindow(L"TVTest Window", L"TVTest", process, process + 1);
  }

  Event remote(WindowHandle viewer, std::uint16_t code) const {
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

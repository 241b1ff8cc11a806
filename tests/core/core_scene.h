#pragma once
// The scene every core test starts from: a simulated desktop, the launcher's
// record as window creation leaves it, and helpers that build the windows
// TVTest shows.

#include <gtest/gtest.h>

#include "launcher/launcher.h"
#include "launcher/window_classes.h"
#include "tests/support/installed_launcher.h"
#include "tests/support/simulated_desktop.h"

namespace vexlo::test {

class CoreScene : public ::testing::Test {
 protected:
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
  InstalledLauncher installed{Seams{&desktop}};
  LauncherState& state = launcher().state;
};

}  // namespace vexlo::test

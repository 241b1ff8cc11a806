#pragma once
// The scene every core test starts from: a simulated desktop, the launcher's
// state with the remote message registered, and helpers that build the
// windows TVTest shows.

#include <gtest/gtest.h>

#include "launcher/settings/launcher_state.h"
#include "launcher/window_classes.h"
#include "shared/remote_protocol.h"
#include "tests/support/simulated_desktop.h"

namespace vexlo::test {

class CoreScene : public ::testing::Test {
 protected:
  CoreScene() : previousState_(g_state) {
    g_state = &state;
    state.remoteMessage = desktop.registerWindowMessage(kRemoteMessageName);
  }
  ~CoreScene() override { g_state = previousState_; }

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
  LauncherState state;

 private:
  LauncherState* previousState_;
};

}  // namespace vexlo::test

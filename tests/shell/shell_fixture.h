#pragma once
// A launcher in memory: the simulated desktop, the state and settings, the
// fake menu and hook, and the launcher's own hidden main window.

#include <gtest/gtest.h>

#include "launcher/lockon.h"
#include "launcher/settings/launcher_state.h"
#include "shared/remote_protocol.h"
#include "tests/shell/fake_shell_platform.h"
#include "tests/support/simulated_desktop.h"

namespace vexlo::test {

class ShellFixture : public ::testing::Test {
 protected:
  ShellFixture() {
    g_state = &state;
    g_settings = &settings;
    state.remoteMessage = desktop.registerWindowMessage(kRemoteMessageName);
    mainWindow = desktop.addWindow(L"VEXLO", L"Vexlo", SimulatedDesktop::kLauncherProcess,
                                   SimulatedDesktop::kLauncherThread);
    desktop.setVisible(mainWindow, false);
    g_mouseHook = 0;
    g_hookOwner = 0;
  }
  ~ShellFixture() override {
    g_state = nullptr;
    g_settings = nullptr;
    g_mouseHook = 0;
    g_hookOwner = 0;
  }

  // A top-level viewer main window of its own process, at the bottom of the Z order.
  WindowHandle addViewer(ProcessId process) {
    return desktop.addWindow(L"TVTest Window", L"TVTest", process, process + 1);
  }

  Event remote(WindowHandle viewer, std::uint16_t code) const {
    return Event::post(viewer, state.remoteMessage, code, 0);
  }

  SimulatedDesktop desktop;
  LauncherState state;
  LauncherSettings settings;
  FakeShellPlatform platform;
  WindowHandle mainWindow = 0;
};

}  // namespace vexlo::test

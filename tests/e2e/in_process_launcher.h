#pragma once
// The launcher's logic set up in this process without its window: the Win32
// window system and shell platform, and a fresh state with the remote
// message registered, as the launcher's window creation leaves them.

#include <windows.h>

#include "launcher/settings/launcher_state.h"
#include "launcher/shell_platform_win32.h"
#include "launcher/window_system_win32.h"
#include "shared/remote_protocol.h"

namespace e2e {

struct InProcessLauncher {
  vexlo::LauncherState state;
  vexlo::LauncherSettings settings;

  InProcessLauncher() {
    vexlo::installWin32WindowSystem();
    vexlo::installWin32ShellPlatform(GetModuleHandleW(nullptr), nullptr);
    state.remoteMessage = RegisterWindowMessageW(vexlo::kRemoteMessageName);
    vexlo::g_state = &state;
    vexlo::g_settings = &settings;
  }
  ~InProcessLauncher() {
    vexlo::g_state = nullptr;
    vexlo::g_settings = nullptr;
  }
  InProcessLauncher(const InProcessLauncher&) = delete;
  InProcessLauncher& operator=(const InProcessLauncher&) = delete;
};

}  // namespace e2e

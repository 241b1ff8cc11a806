#pragma once
// The launcher's logic set up in this process without its window: the
// launcher's record as window creation leaves it, over the Win32 window
// system and lock-on platform.

#include <windows.h>

#include "launcher/launcher.h"
#include "launcher/lockon_win32.h"
#include "launcher/window_system_win32.h"
#include "tests/support/installed_launcher.h"

namespace vexlo::test {

struct InProcessLauncher {
  InProcessLauncher() { launcher().module = reinterpret_cast<ModuleHandle>(GetModuleHandleW(nullptr)); }

  InstalledLauncher installed{Seams{&win32WindowSystem(), &win32LockOnPlatform()}};
  LauncherState& state = launcher().state;
  LauncherSettings& settings = launcher().settings;
};

}  // namespace vexlo::test

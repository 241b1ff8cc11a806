#pragma once
// The launcher's logic set up in this process without its window: the
// launcher's record as window creation leaves it, over the Win32 window
// system and lock-on platform.

#include <windows.h>

#include "launcher/launcher.h"
#include "launcher/lockon_win32.h"
#include "launcher/window_system_win32.h"
#include "tests/support/installed_launcher.h"

namespace e2e {

struct InProcessLauncher {
  InProcessLauncher() { vexlo::launcher().module = reinterpret_cast<vexlo::ModuleHandle>(GetModuleHandleW(nullptr)); }

  vexlo::test::InstalledLauncher installed{
      vexlo::test::Seams{&vexlo::win32WindowSystem(), &vexlo::win32LockOnPlatform()}};
  vexlo::LauncherState& state = vexlo::launcher().state;
  vexlo::LauncherSettings& settings = vexlo::launcher().settings;
};

}  // namespace e2e

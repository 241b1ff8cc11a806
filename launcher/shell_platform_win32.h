#pragma once
// Installs the Win32 shell platform: item states of the launcher's popup
// menu and the low-level mouse hook of a lock-on pick.

#include <windows.h>

namespace vexlo {

// `menu` may be null (a menu that failed to load): its items read as unchecked.
void installWin32ShellPlatform(HINSTANCE instance, HMENU menu);

}  // namespace vexlo

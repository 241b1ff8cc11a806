#pragma once
// The lock-on platform that asks Windows, for launcher().lockOnPlatform: the
// launcher menu's item states and the low-level mouse hook of a pick. Kept
// free of <windows.h> so the program's entry can include it anywhere.

#include "launcher/lockon.h"

namespace vexlo {

LockOnPlatform& win32LockOnPlatform();

}  // namespace vexlo

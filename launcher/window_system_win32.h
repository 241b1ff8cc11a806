#pragma once
// The window system that asks Windows, for launcher().windowSystem. Kept
// free of <windows.h> so the program's entry can include it anywhere.

#include "launcher/window_system.h"

namespace vexlo {

WindowSystem& win32WindowSystem();

}  // namespace vexlo

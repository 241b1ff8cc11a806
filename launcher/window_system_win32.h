#pragma once
// Installs the window system that asks Windows as g_windowSystem. Kept free
// of <windows.h> so the program's entry can include it anywhere.

namespace vexlo {

void installWin32WindowSystem();

}  // namespace vexlo

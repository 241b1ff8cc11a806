#pragma once
// The settings dialog (resource 1000), opened modally by the shell from the
// menu command 40000 and from a double-click on the tray icon.

#include <cstdint>

namespace vexlo {

// Runs the dialog modally over `owner` (an HWND); returns 1 for OK, 2 for Cancel.
std::intptr_t openSettingsDialog(std::uintptr_t owner);

}  // namespace vexlo

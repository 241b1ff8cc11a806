#pragma once
// The settings dialog (resource IDD_SETTINGS), opened modally by the shell
// from the menu command IDM_SETTINGS and from a double-click on the tray icon.

#include <cstdint>

#include "launcher/settings/settings_store.h"

namespace vexlo {

// Runs the dialog modally over `owner` (an HWND) on a copy of the values;
// returns 1 for OK, with `values` holding what the user accepted (the
// caller applies them), 2 for Cancel, with `values` untouched.
std::intptr_t openSettingsDialog(std::uintptr_t owner, SettingsValues& values);

}  // namespace vexlo

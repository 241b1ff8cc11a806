#pragma once
// The settings dialog (resource IDD_SETTINGS), opened modally by the shell
// from the menu command IDM_SETTINGS and from a double-click on the tray icon.

#include <cstdint>

#include "launcher/settings/settings_store.h"

namespace vexlo {

// Runs the dialog modally over `owner` (an HWND) on a copy of the current
// settings. OK hands the copy to acceptSettings while the dialog handles it,
// so the dialog closed last with OK decides, also when another dialog opened
// over it is still up; returns 1 for OK, 2 for Cancel.
std::intptr_t openSettingsDialog(std::uintptr_t owner);

}  // namespace vexlo

#pragma once
// The launcher's icon in the notification area, kept in the launcher's
// record (launcher().tray).

#include <windows.h>

namespace vexlo {

inline constexpr UINT kTrayIconId = 1;

// Icon IDI_SMALL with the tip "Vexlo", notifications as kTrayCallbackMessage.
void addTrayIcon(HWND mainWindow, HINSTANCE instance);
// The notification area was recreated: the same icon again, if there is one.
void addTrayIconAgain();
void removeTrayIcon();

}  // namespace vexlo

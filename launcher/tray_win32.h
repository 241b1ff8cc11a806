#pragma once
// The launcher's icon in the notification area.

#include <windows.h>

namespace vexlo {

inline constexpr UINT kTrayCallbackMessage = WM_USER + 100;  // 0x0464
inline constexpr UINT kTrayIconId = 1;

// Builds the tray record (icon 108, tip "Vexlo") and adds the icon.
void addTrayIcon(HWND mainWindow, HINSTANCE instance);
// The notification area was recreated: the same icon again, if there is one.
void addTrayIconAgain();
// Removes the icon and releases the record.
void removeTrayIcon();

}  // namespace vexlo

#include "launcher/tray_win32.h"

#include <shellapi.h>

#include <cwchar>
#include <new>

#include "launcher/resources/resource_ids.h"

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(NOTIFYICONDATAW) == 956, "the 32-bit shell expects the 956-byte tray record");
#endif

namespace vexlo {
namespace {

NOTIFYICONDATAW* g_trayIcon = nullptr;

}  // namespace

void addTrayIcon(HWND mainWindow, HINSTANCE instance) {
  g_trayIcon = new (std::nothrow) NOTIFYICONDATAW{};
  if (!g_trayIcon) return;
  g_trayIcon->cbSize = sizeof(NOTIFYICONDATAW);
  g_trayIcon->hWnd = mainWindow;
  g_trayIcon->uID = kTrayIconId;
  g_trayIcon->uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  g_trayIcon->uCallbackMessage = kTrayCallbackMessage;
  g_trayIcon->hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SMALL));
  std::wcsncpy(g_trayIcon->szTip, L"Vexlo", sizeof(g_trayIcon->szTip) / sizeof(wchar_t) - 1);
  Shell_NotifyIconW(NIM_ADD, g_trayIcon);
}

void addTrayIconAgain() {
  if (g_trayIcon) Shell_NotifyIconW(NIM_ADD, g_trayIcon);
}

void removeTrayIcon() {
  if (!g_trayIcon) return;
  Shell_NotifyIconW(NIM_DELETE, g_trayIcon);
  delete g_trayIcon;
  g_trayIcon = nullptr;
}

}  // namespace vexlo

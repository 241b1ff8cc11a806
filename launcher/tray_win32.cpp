#include "launcher/tray_win32.h"

#include <shellapi.h>

#include <cwchar>

#include "launcher/launcher.h"
#include "launcher/private_messages.h"
#include "launcher/resources/resource_ids.h"

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(NOTIFYICONDATAW) == 956, "the 32-bit shell expects the 956-byte tray record");
#endif

namespace vexlo {
namespace {

// The record Shell_NotifyIconW reads, made from what the launcher keeps.
NOTIFYICONDATAW trayRecord(const TrayIcon& tray) {
  NOTIFYICONDATAW record{};
  record.cbSize = sizeof(NOTIFYICONDATAW);
  record.hWnd = reinterpret_cast<HWND>(tray.window);
  record.uID = kTrayIconId;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record.uCallbackMessage = kTrayCallbackMessage;
  record.hIcon = reinterpret_cast<HICON>(tray.icon);
  std::wcsncpy(record.szTip, L"Vexlo", sizeof(record.szTip) / sizeof(wchar_t) - 1);
  return record;
}

void notify(DWORD action) {
  NOTIFYICONDATAW record = trayRecord(launcher().tray);
  Shell_NotifyIconW(action, &record);
}

}  // namespace

void addTrayIcon(HWND mainWindow, HINSTANCE instance) {
  TrayIcon& tray = launcher().tray;
  tray.window = reinterpret_cast<WindowHandle>(mainWindow);
  tray.icon = reinterpret_cast<std::uintptr_t>(LoadIconW(instance, MAKEINTRESOURCEW(IDI_SMALL)));
  tray.added = true;
  notify(NIM_ADD);
}

void addTrayIconAgain() {
  if (launcher().tray.added) notify(NIM_ADD);
}

void removeTrayIcon() {
  if (!launcher().tray.added) return;
  notify(NIM_DELETE);
  launcher().tray.added = false;
}

}  // namespace vexlo

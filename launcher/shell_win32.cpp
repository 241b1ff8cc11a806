#include "launcher/shell_win32.h"

#include <commctrl.h>

#include <new>
#include <string>

#include "launcher/button_handling.h"
#include "launcher/lockon.h"
#include "launcher/receiver.h"
#include "launcher/resources/resource_ids.h"
#include "launcher/settings/launcher_state.h"
#include "launcher/settings/profile_win32.h"
#include "launcher/settings/settings_dialog.h"
#include "launcher/settings/settings_store.h"
#include "launcher/shell_platform_win32.h"
#include "launcher/tray_win32.h"
#include "launcher/window_system.h"
#include "shared/remote_protocol.h"

namespace vexlo {

HINSTANCE g_instance = nullptr;

namespace {

bool g_running = false;
HMENU g_menu = nullptr;
UINT g_taskbarCreated = 0;  // sent to top-level windows when the notification area is recreated
Win32Profile g_win32Profile;

WindowHandle handleOf(HWND window) { return reinterpret_cast<WindowHandle>(window); }

// Nothing may be half made: the rest of the launcher assumes every object
// exists, so a missing one fails the window's creation and the launcher exits.
bool createShell(HWND window) {
  InitCommonControls();

  g_receiverFilter = new (std::nothrow) ReceiverFilter{};
  if (!g_receiverFilter) return false;
  registerReceiver(handleOf(window));

  g_state = new (std::nothrow) LauncherState{};
  g_settings = new (std::nothrow) LauncherSettings{};
  if (!g_state || !g_settings) return false;
  g_state->remoteMessage = RegisterWindowMessageW(kRemoteMessageName);

  g_settingsPath = new (std::nothrow) std::wstring(makeSettingsPath());
  if (!g_settingsPath) return false;

  g_mouseHook = 0;
  g_menu = LoadMenuW(g_instance, MAKEINTRESOURCEW(IDC_VEXLO));
  installWin32ShellPlatform(g_instance, g_menu);

  addTrayIcon(window, g_instance);
  g_taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");

  g_profile = &g_win32Profile;
  loadSettings();
  g_running = true;
  return true;
}

// Runs once: a second WM_DESTROY or WM_ENDSESSION, and every message after
// this, finds the objects gone and leaves them alone.
void tearDownShell() {
  if (!g_running) return;
  g_running = false;

  saveSettings();

  delete g_settingsPath;
  g_settingsPath = nullptr;
  delete g_receiverFilter;
  g_receiverFilter = nullptr;
  delete g_settings;
  g_settings = nullptr;
  delete g_state;
  g_state = nullptr;

  removeTrayIcon();
  PostQuitMessage(0);
}

void showPopupMenu(HWND window) {
  POINT cursor{};
  GetCursorPos(&cursor);
  HMENU popup = GetSubMenu(g_menu, 0);
  SetForegroundWindow(window);
  TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, window, nullptr);
}

LRESULT onCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
    case IDM_ABOUT:
      DialogBoxW(g_instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), window, aboutDialogProc);
      return 0;
    case IDM_EXIT:
      DestroyWindow(window);
      return 0;
    case IDM_LOCKON:
      if (g_running) lockOnCommand(handleOf(window));
      return 0;
    case IDM_SETTINGS:
      if (g_running) openSettingsDialog(handleOf(window));
      return 0;
    default:
      return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
  }
}

LRESULT onTrayNotification(HWND window, WPARAM wParam, LPARAM lParam) {
  if (!g_running) return 0;
  switch (lParam) {
    case WM_LBUTTONDBLCLK:
      SetForegroundWindow(window);
      openSettingsDialog(handleOf(window));
      return 0;
    case WM_RBUTTONDOWN:
      if (!trayRightButton()) return DefWindowProcW(window, kTrayCallbackMessage, wParam, lParam);
      showPopupMenu(window);
      return 0;
    default:
      return 0;
  }
}

void onLockOnClick() {
  if (g_running) {
    lockOnClick();
    return;
  }
  // A pick outlived teardown: end it, but the lock target is gone with the state.
  if (g_mouseHook != 0) shellPlatform().removeMouseHook(g_mouseHook);
  g_mouseHook = 0;
}

}  // namespace

bool shellRunning() { return g_running; }

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_taskbarCreated != 0 && message == g_taskbarCreated) {
    if (g_running) addTrayIconAgain();
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      return createShell(window) ? 0 : -1;
    case WM_DESTROY:
      tearDownShell();
      return 0;
    case WM_ENDSESSION:
      // FALSE: the logoff was cancelled and the user stays; so does the launcher.
      if (wParam) tearDownShell();
      return 0;
    case WM_QUERYENDSESSION:
      return 1;
    case WM_SIZE:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_INPUT:
      if (g_running) handleButton(decodeRemoteInput(static_cast<std::uintptr_t>(lParam)));
      // The system cleans up after raw input only in the default procedure.
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_COMMAND:
      return onCommand(window, wParam, lParam);
    case kTrayCallbackMessage:
      return onTrayNotification(window, wParam, lParam);
    case kLockOnClickMessage:
      onLockOnClick();
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace vexlo

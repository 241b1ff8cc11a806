#include "launcher/shell_win32.h"

#include <commctrl.h>

#include "launcher/button_handling.h"
#include "launcher/launcher.h"
#include "launcher/lockon.h"
#include "launcher/private_messages.h"
#include "launcher/receiver.h"
#include "launcher/resources/resource_ids.h"
#include "launcher/settings/settings_dialog.h"
#include "launcher/settings/settings_store.h"
#include "launcher/tray_win32.h"
#include "shared/message_filter_win32.h"
#include "shared/remote_protocol.h"

namespace vexlo {
namespace {

WindowHandle handleOf(HWND window) { return reinterpret_cast<WindowHandle>(window); }
HINSTANCE moduleInstance() { return reinterpret_cast<HINSTANCE>(launcher().module); }
HMENU launcherMenu() { return reinterpret_cast<HMENU>(launcher().menu); }

// Every value starts afresh, as in a new process; the seams stay as the
// entry installed them.
void createShell(HWND window) {
  Launcher& l = launcher();
  InitCommonControls();

  l.receiverFilter = ReceiverFilter{};
  registerReceiver(handleOf(window));

  l.state = LauncherState{};
  l.settings = LauncherSettings{};
  l.state.remoteMessage = RegisterWindowMessageW(kRemoteMessageName);

  l.settingsPath = makeSettingsPath();

  l.mouseHook = 0;
  l.menu = reinterpret_cast<MenuHandle>(LoadMenuW(moduleInstance(), MAKEINTRESOURCEW(IDC_VEXLO)));

  addTrayIcon(window, moduleInstance());
  l.taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  // Run as administrator, the launcher would otherwise never hear that
  // Explorer has restarted, and lose its icon.
  allowMessageFromLowerRights(window, l.taskbarCreated);

  loadSettings();
  l.running = true;
}

// Runs once: a second WM_DESTROY or WM_ENDSESSION, and every message after
// this, finds the launcher stopped and leaves its record alone.
void tearDownShell() {
  Launcher& l = launcher();
  if (!l.running) return;
  l.running = false;
  saveSettings();
  removeTrayIcon();
  PostQuitMessage(0);
}

void showPopupMenu(HWND window) {
  POINT cursor{};
  GetCursorPos(&cursor);
  HMENU popup = GetSubMenu(launcherMenu(), 0);
  SetForegroundWindow(window);
  TrackPopupMenu(popup, 0, cursor.x, cursor.y, 0, window, nullptr);
  // The documented remedy for a notification-area menu: otherwise it may stay
  // up after a click elsewhere, or close at once the next time.
  PostMessageW(window, WM_NULL, 0, 0);
}

LRESULT onCommand(HWND window, WPARAM wParam, LPARAM lParam) {
  const bool running = launcher().running;
  switch (LOWORD(wParam)) {
    case IDM_ABOUT:
      DialogBoxW(moduleInstance(), MAKEINTRESOURCEW(IDD_ABOUTBOX), window, aboutDialogProc);
      return 0;
    case IDM_EXIT:
      DestroyWindow(window);
      return 0;
    case IDM_LOCKON:
      if (running) lockOnCommand(handleOf(window));
      return 0;
    case IDM_SETTINGS:
      if (running) openSettingsDialog(handleOf(window));
      return 0;
    default:
      return DefWindowProcW(window, WM_COMMAND, wParam, lParam);
  }
}

LRESULT onTrayNotification(HWND window, WPARAM wParam, LPARAM lParam) {
  if (!launcher().running) return 0;
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

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const Launcher& l = launcher();
  if (l.taskbarCreated != 0 && message == l.taskbarCreated) {
    if (l.running) addTrayIconAgain();
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      createShell(window);
      return 0;
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
      if (l.running) handleButton(decodeRemoteInput(static_cast<std::uintptr_t>(lParam)));
      // The system cleans up after raw input only in the default procedure.
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_COMMAND:
      return onCommand(window, wParam, lParam);
    case kTrayCallbackMessage:
      return onTrayNotification(window, wParam, lParam);
    case kLockOnClickMessage:
      lockOnClick();
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

#include "launcher/lockon.h"

#include "launcher/routing.h"
#include "launcher/settings/launcher_state.h"

namespace vexlo {

HookHandle g_mouseHook = 0;
WindowHandle g_hookOwner = 0;

bool menuIsChecked() { return (shellPlatform().menuItemState(kCommandLockOn) & kMenuStateChecked) != 0; }

void checkMenu() { shellPlatform().setMenuItemState(kCommandLockOn, kMenuStateChecked); }

void unlock() {
  launcherState().lockedTarget = 0;
  shellPlatform().setMenuItemState(kCommandLockOn, 0);
}

bool pickInProgress() { return g_mouseHook != 0; }

void lockOnCommand(WindowHandle mainWindow) {
  if (lockIsValid()) {
    unlock();
    return;
  }
  if (menuIsChecked()) {  // the locked viewer has gone since
    unlock();
    return;
  }
  ShellPlatform& platform = shellPlatform();
  if (g_mouseHook != 0) platform.removeMouseHook(g_mouseHook);
  g_hookOwner = mainWindow;
  g_mouseHook = platform.installMouseHook();
}

bool takeLockOnClick(int code, std::uintptr_t wParam, std::intptr_t lParam) {
  if (code < 0 || wParam != kLeftButtonDown) return false;
  // The owner removes the hook while handling this, so the button-up that
  // follows reaches the window under the cursor.
  windowSystem().sendMessage(g_hookOwner, kLockOnClickMessage, kLeftButtonDown, lParam);
  return true;
}

void lockOnClick() {
  shellPlatform().removeMouseHook(g_mouseHook);
  g_mouseHook = 0;
  WindowSystem& ws = windowSystem();
  const WindowHandle clicked = ws.windowFromPoint(ws.cursorPosition());
  if (validateLock(clicked)) checkMenu();
}

bool trayRightButton() {
  if (pickInProgress()) return false;
  if (!lockIsValid() && menuIsChecked()) unlock();
  return true;
}

}  // namespace vexlo

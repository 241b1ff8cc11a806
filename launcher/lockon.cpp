#include "launcher/lockon.h"

#include "launcher/private_messages.h"
#include "launcher/resources/resource_ids.h"
#include "launcher/routing.h"

namespace vexlo {

bool menuIsChecked() {
  return (launcher().lockOnPlatform->menuItemState(IDM_LOCKON) & kMenuStateChecked) != 0;
}

void checkMenu() { launcher().lockOnPlatform->setMenuItemState(IDM_LOCKON, kMenuStateChecked); }

void unlock() {
  launcher().state.lockedTarget = 0;
  launcher().lockOnPlatform->setMenuItemState(IDM_LOCKON, 0);
}

bool pickInProgress() { return launcher().mouseHook != 0; }

namespace {

void endPick() {
  Launcher& l = launcher();
  l.lockOnPlatform->removeMouseHook(l.mouseHook);
  l.mouseHook = 0;
}

}  // namespace

void lockOnCommand(WindowHandle mainWindow) {
  if (lockIsValid()) {
    unlock();
    return;
  }
  if (menuIsChecked()) {  // the locked viewer has gone since
    unlock();
    return;
  }
  Launcher& l = launcher();
  if (l.mouseHook != 0) l.lockOnPlatform->removeMouseHook(l.mouseHook);
  l.hookOwner = mainWindow;
  l.mouseHook = l.lockOnPlatform->installMouseHook();
}

bool takeLockOnClick(int code, std::uintptr_t wParam, std::intptr_t lParam) {
  if (code < 0 || wParam != kLeftButtonDown) return false;
  // The owner removes the hook while handling this, so the button-up that
  // follows reaches the window under the cursor.
  launcher().windowSystem->sendMessage(launcher().hookOwner, kLockOnClickMessage, kLeftButtonDown, lParam);
  return true;
}

void lockOnClick() {
  endPick();
  if (!launcher().running) return;  // after teardown the pick only ends
  WindowSystem& ws = *launcher().windowSystem;
  const WindowHandle clicked = ws.windowFromPoint(ws.cursorPosition());
  if (validateLock(clicked)) checkMenu();
}

bool trayRightButton() {
  // Windows drops a hook that answers too slowly without notice, and a hook
  // sees no clicks on windows with more rights: such a pick would never end,
  // and without the menu neither would the launcher.
  if (pickInProgress()) {
    endPick();
    return false;
  }
  if (!lockIsValid() && menuIsChecked()) unlock();
  return true;
}

}  // namespace vexlo

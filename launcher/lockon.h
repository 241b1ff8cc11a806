#pragma once
// Binding the remote to one chosen viewer: the decisions of a pick through a
// low-level mouse hook, the check mark of the lock-on menu item, and the
// lock-related rows of the shell's message table. lockon_win32.cpp asks
// Windows for the menu item and the hook; the tests use a fake.

#include <cstdint>

#include "launcher/launcher.h"
#include "launcher/window_system.h"

namespace vexlo {

inline constexpr std::uintptr_t kLeftButtonDown = 0x0201;  // WM_LBUTTONDOWN
inline constexpr std::uint32_t kMenuStateChecked = 0x0008;  // MFS_CHECKED

// What lock-on needs of the shell's own Windows objects besides the window
// system: the popup menu's item state and the low-level mouse hook.
class LockOnPlatform {
 public:
  virtual ~LockOnPlatform() = default;

  // State of the item with this command id in the launcher's menu, popups
  // searched (GetMenuItemInfoW with MIIM_STATE); 0 when there is no such item.
  virtual std::uint32_t menuItemState(std::uint32_t commandId) = 0;
  // Reads the item, then writes the state back (SetMenuItemInfoW).
  virtual void setMenuItemState(std::uint32_t commandId, std::uint32_t state) = 0;

  // SetWindowsHookExW(WH_MOUSE_LL, ...) on the launcher's module; 0 on failure.
  virtual HookHandle installMouseHook() = 0;
  virtual void removeMouseHook(HookHandle hook) = 0;  // UnhookWindowsHookEx
};

bool menuIsChecked();
void checkMenu();
void unlock();

bool pickInProgress();

// Command IDM_LOCKON: release the lock (or a stale check mark), or start a pick.
void lockOnCommand(WindowHandle mainWindow);

// The hook procedure's decision: true when the event was the picked click,
// handed to the hook owner and to be swallowed (return 1); false when it goes
// on to the next hook.
bool takeLockOnClick(int code, std::uintptr_t wParam, std::intptr_t lParam);

// kLockOnClickMessage: end the pick and lock onto the viewer under the
// cursor. A pick that outlived teardown only ends.
void lockOnClick();

// Tray right button down: while picking, ends the pick with no target and
// returns false (no menu); otherwise clears a check mark left by a target
// that has gone and returns true (show the menu).
bool trayRightButton();

}  // namespace vexlo

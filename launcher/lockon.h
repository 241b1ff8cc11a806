#pragma once
// Binding the remote to one chosen viewer: the pick through a low-level mouse
// hook, the check mark of menu item 114, and the lock-related rows of the
// shell's message table.

#include <cstdint>

#include "launcher/shell_platform.h"
#include "launcher/window_system.h"

namespace vexlo {

inline constexpr std::uint32_t kCommandLockOn = 114;
inline constexpr std::uint32_t kLockOnClickMessage = 0x0465;  // WM_USER+101
inline constexpr std::uintptr_t kLeftButtonDown = 0x0201;     // WM_LBUTTONDOWN

// Held by the shell: the hook of a pick in progress (0 otherwise) and the
// window that receives the picked click.
extern HookHandle g_mouseHook;
extern WindowHandle g_hookOwner;

bool menuIsChecked();
void checkMenu();
void unlock();

bool pickInProgress();

// Command 114: release the lock (or a stale check mark), or start a pick.
void lockOnCommand(WindowHandle mainWindow);

// The hook procedure's decision: true when the event was the picked click,
// handed to the hook owner and to be swallowed (return 1); false when it goes
// on to the next hook.
bool takeLockOnClick(int code, std::uintptr_t wParam, std::intptr_t lParam);

// Message 0x0465: end the pick and lock onto the viewer under the cursor.
void lockOnClick();

// Tray right button down: false while picking (no menu); otherwise clears a
// check mark left by a target that has gone and returns true (show the menu).
bool trayRightButton();

}  // namespace vexlo

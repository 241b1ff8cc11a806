#pragma once
// Where a button code goes: to a visible open-file dialog of the viewer, to
// its visible channel display, or to its main window as the remote message.
// The viewer is the locked one or, in direct-input mode, the topmost.

#include <cstdint>

#include "launcher/window_system.h"

namespace vexlo {

// false when the lock target was found gone; the shell then unlocks.
bool routeButton(std::uint16_t code);
void routeToTarget(WindowHandle target, std::uint16_t code);

// The topmost viewer main window (hidden ones count), or none when mAgicTV
// is above every viewer.
WindowHandle findViewerWindow();
// The process's first open-file dialog, if it is visible.
WindowHandle findOpenDialog(ProcessId processId);
// The viewer's channel display, or its full-screen window's, if visible.
WindowHandle findChannelDisplay(WindowHandle viewer);
// GetParent followed to the end (the owner for pop-ups).
WindowHandle rootWindow(WindowHandle window);

bool isViewerClass(const WindowText& className);
// Stores the viewer main window at the root of window as the lock target,
// or clears the lock target when there is none.
bool validateLock(WindowHandle window);
bool lockIsValid();
bool foregroundIsMagicTv();

}  // namespace vexlo

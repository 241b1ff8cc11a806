#pragma once
// Where a button code goes: to a visible open-file dialog of the viewer, to
// its visible channel display, or to its main window as the remote message.
// The viewer is the locked one or, in direct-input mode, the topmost.

#include <cstdint>

#include "launcher/keys.h"
#include "launcher/window_system.h"

namespace vexlo {

// How the viewer of a press was chosen.
enum class RouteChoice {
  kNone,    // no lock target and not direct input: the press goes nowhere
  kLocked,  // the lock target
  kDirect,  // the topmost viewer, in direct-input mode
};

// The form in which a press reaches its viewer.
enum class RouteForm {
  kNothing,             // dropped: no viewer, or mAgicTV in front of a locked one
  kDialogKeys,          // key strokes into the viewer's visible open-file dialog
  kChannelDisplayKeys,  // key strokes into its visible channel display
  kRemoteMessage,       // the remote message to its main window
};

// Routing's decision for one press, made before anything is delivered.
struct RouteDecision {
  RouteChoice choice = RouteChoice::kNone;
  bool lockLost = false;         // the lock target was found gone; the shell unlocks
  WindowHandle target = 0;       // the viewer main window, or none
  RouteForm form = RouteForm::kNothing;
  WindowHandle window = 0;       // the dialog, the channel display or the main window
  bool enlargeDialog = false;    // the dialog is laid out to the configured size first
  const KeyStroke* key = nullptr;  // on a key road, the code's key; none: dropped there
};

// Decides, then delivers. False when the lock target was found gone.
bool routeButton(std::uint16_t code);
void routeToTarget(WindowHandle target, std::uint16_t code);

// The decision alone. It reads the desktop and, like the search it stands
// for, clears a lock target found gone.
RouteDecision decideRoute(std::uint16_t code);
// Where a code bound for the viewer goes; no target, no form.
RouteDecision decideForTarget(WindowHandle target, std::uint16_t code);
void deliverRoute(const RouteDecision& decision, std::uint16_t code);

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

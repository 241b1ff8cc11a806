#include "launcher/keys.h"

#include "launcher/launcher.h"


namespace vexlo {
namespace {

constexpr std::uint32_t kModifierPauseMs = 10;

template <std::size_t N>
const KeyStroke* lookup(const KeyMapEntry (&map)[N], std::uint16_t code) {
  for (const KeyMapEntry& entry : map) {
    if (entry.code == code) return &entry.stroke;
  }
  return nullptr;
}

void modifierEvent(std::uint8_t virtualKey, bool keyUp) {
  WindowSystem& ws = *launcher().windowSystem;
  ws.keyEvent(virtualKey, ws.scanCode(virtualKey), keyUp);
}

}  // namespace

const KeyStroke* dialogKeyFor(std::uint16_t code) { return lookup(kDialogKeyMap, code); }
const KeyStroke* channelKeyFor(std::uint16_t code) { return lookup(kChannelDisplayKeyMap, code); }

void sendKeyStroke(KeyStroke stroke, WindowHandle window) {
  WindowSystem& ws = *launcher().windowSystem;
  // A modifier the stroke does not want is released, so one the user left
  // down does not turn the key into a shortcut.
  modifierEvent(kVkControl, stroke.ctrl != 1);
  ws.sleep(kModifierPauseMs);
  modifierEvent(kVkShift, stroke.shift != 1);
  ws.sleep(kModifierPauseMs);
  // Without a target window there is nothing to post to; posting to none
  // would land in the launcher's own queue.
  if (window != 0) ws.postMessage(window, kWmKeyDown, stroke.virtualKey, 0);
  ws.sleep(kModifierPauseMs);
  if (stroke.shift == 1) modifierEvent(kVkShift, true);
  ws.sleep(kModifierPauseMs);
  if (stroke.ctrl == 1) modifierEvent(kVkControl, true);
}

WindowHandle acquireFocus(WindowHandle window) {
  WindowSystem& ws = *launcher().windowSystem;
  const ThreadId mine = ws.currentThread();
  const ThreadId theirs = ws.windowThread(window);
  // The focus window of another thread is visible only with input attached.
  if (!ws.attachThreadInput(theirs, mine, true)) return 0;
  ws.setForegroundWindow(window);
  const WindowHandle focus = ws.focusWindow();
  ws.attachThreadInput(theirs, mine, false);
  return focus;
}

void dialogStroke(WindowHandle dialog, KeyStroke stroke) {
  // Focus is looked up for every stroke: the user may have moved it.
  sendKeyStroke(stroke, acquireFocus(dialog));
}

void dialogKeys(WindowHandle dialog, std::uint16_t code) {
  const KeyStroke* stroke = dialogKeyFor(code);
  if (stroke != nullptr) dialogStroke(dialog, *stroke);
}

void channelKeys(WindowHandle display, std::uint16_t code) {
  const KeyStroke* stroke = channelKeyFor(code);
  if (stroke != nullptr) sendKeyStroke(*stroke, display);
}

}  // namespace vexlo

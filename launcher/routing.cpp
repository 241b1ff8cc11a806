#include "launcher/routing.h"

#include "launcher/keys.h"
#include "launcher/launcher.h"
#include "launcher/open_dialog.h"
#include "launcher/window_classes.h"

namespace vexlo {
namespace {

bool isOpenDialog(const WindowText& className, WindowHandle window) {
  if (className.equals(kYetAnotherFileOpenClass)) return true;
  if (!className.equals(kDialogClass)) return false;
  WindowText title;
  launcher().windowSystem->windowTitle(window, title);
  return title.equals(kOpenDialogTitle);
}

WindowHandle firstChildOfClass(WindowHandle parent, const wchar_t* wanted) {
  WindowSystem& ws = *launcher().windowSystem;
  WindowHandle found = 0;
  WindowText className;
  ws.enumChildWindows(parent, [&](WindowHandle child) {
    if (ws.className(child, className) && className.equals(wanted)) {
      found = child;
      return false;
    }
    return true;
  });
  return found;
}

WindowHandle firstTopLevelOfProcess(const wchar_t* wanted, ProcessId processId) {
  WindowSystem& ws = *launcher().windowSystem;
  WindowHandle found = 0;
  WindowText className;
  ws.enumTopLevelWindows([&](WindowHandle window) {
    if (ws.className(window, className) && className.equals(wanted) && ws.windowProcess(window) == processId) {
      found = window;
      return false;
    }
    return true;
  });
  return found;
}

RouteDecision lockedRoute(std::uint16_t code) {
  // mAgicTV in front keeps the press from every viewer, the locked one too.
  if (foregroundIsMagicTv()) return {RouteChoice::kLocked};
  RouteDecision decision = decideForTarget(launcher().state.lockedTarget, code);
  decision.choice = RouteChoice::kLocked;
  return decision;
}

}  // namespace

bool isViewerClass(const WindowText& className) {
  return className.equals(kViewerWindowClass) || className.equals(kTvh264WindowClass);
}

WindowHandle rootWindow(WindowHandle window) {
  WindowSystem& ws = *launcher().windowSystem;
  for (WindowHandle parent = ws.parentWindow(window); parent != 0; parent = ws.parentWindow(window)) {
    window = parent;
  }
  return window;
}

bool routeButton(std::uint16_t code) {
  const RouteDecision decision = decideRoute(code);
  deliverRoute(decision, code);
  return !decision.lockLost;
}

void routeToTarget(WindowHandle target, std::uint16_t code) { deliverRoute(decideForTarget(target, code), code); }

RouteDecision decideRoute(std::uint16_t code) {
  const LauncherState& state = launcher().state;
  bool lockLost = false;
  if (state.lockedTarget != 0) {
    if (validateLock(state.lockedTarget)) return lockedRoute(code);
    lockLost = true;
  }
  RouteDecision decision;
  // A lost lock target does not lose the press in direct-input mode.
  if (state.mode == Mode::kDirectInput) {
    decision = decideForTarget(findViewerWindow(), code);
    decision.choice = RouteChoice::kDirect;
  }
  decision.lockLost = lockLost;
  return decision;
}

RouteDecision decideForTarget(WindowHandle target, std::uint16_t code) {
  if (target == 0) return {};
  const WindowHandle dialog = findOpenDialog(launcher().windowSystem->windowProcess(target));
  const WindowHandle display = findChannelDisplay(target);
  RouteDecision decision;
  decision.target = target;
  if (dialog != 0) {
    decision.form = RouteForm::kDialogKeys;
    decision.window = dialog;
    // Exactly 1, as the dialog writes it; the on-air switch alone takes any non-zero value.
    decision.enlargeDialog = launcher().state.dialogExpand == 1;
    decision.key = dialogKeyFor(code);
  } else if (display != 0) {
    decision.form = RouteForm::kChannelDisplayKeys;
    decision.window = display;
    decision.key = channelKeyFor(code);
  } else {
    decision.form = RouteForm::kRemoteMessage;
    decision.window = target;
  }
  return decision;
}

void deliverRoute(const RouteDecision& decision, std::uint16_t code) {
  switch (decision.form) {
    case RouteForm::kDialogKeys:
      // The layout comes first, whatever the code: a code without a key still enlarges.
      if (decision.enlargeDialog) layoutOpenDialog(decision.window);
      if (decision.key) dialogStroke(decision.window, *decision.key);
      break;
    case RouteForm::kChannelDisplayKeys:
      if (decision.key) sendKeyStroke(*decision.key, decision.window);
      break;
    case RouteForm::kRemoteMessage:
      launcher().windowSystem->postMessage(decision.window, launcher().state.remoteMessage, code, 0);
      break;
    case RouteForm::kNothing:
      break;
  }
}

WindowHandle findViewerWindow() {
  WindowSystem& ws = *launcher().windowSystem;
  WindowHandle found = 0;
  WindowText className;
  ws.enumTopLevelWindows([&](WindowHandle window) {
    if (!ws.className(window, className)) return true;
    if (isViewerClass(className)) {
      found = window;
      return false;
    }
    return !className.equals(kMagicTvWindowClass);
  });
  return found != 0 ? rootWindow(found) : 0;
}

WindowHandle findOpenDialog(ProcessId processId) {
  WindowSystem& ws = *launcher().windowSystem;
  WindowHandle found = 0;
  WindowText className;
  ws.enumTopLevelWindows([&](WindowHandle window) {
    if (!ws.className(window, className)) return true;
    if (ws.windowProcess(window) == processId && isOpenDialog(className, window)) {
      found = window;
      return false;
    }
    return true;
  });
  return found != 0 && ws.isVisible(found) ? found : 0;
}

WindowHandle findChannelDisplay(WindowHandle viewer) {
  WindowSystem& ws = *launcher().windowSystem;
  WindowHandle display = firstChildOfClass(viewer, kChannelDisplayClass);
  if (display == 0) {
    const WindowHandle fullscreen = firstTopLevelOfProcess(kFullscreenWindowClass, ws.windowProcess(viewer));
    if (fullscreen != 0) display = firstChildOfClass(fullscreen, kChannelDisplayClass);
  }
  return display != 0 && ws.isVisible(display) ? display : 0;
}

bool validateLock(WindowHandle window) {
  WindowSystem& ws = *launcher().windowSystem;
  LauncherState& state = launcher().state;
  state.lockedTarget = 0;
  if (!ws.isWindow(window)) return false;
  const WindowHandle root = rootWindow(window);
  WindowText className;
  if (!ws.className(root, className) || !isViewerClass(className)) return false;
  state.lockedTarget = root;
  return true;
}

bool lockIsValid() {
  const WindowHandle target = launcher().state.lockedTarget;
  return target != 0 && validateLock(target);
}

bool foregroundIsMagicTv() {
  WindowSystem& ws = *launcher().windowSystem;
  WindowText className;
  return ws.className(rootWindow(ws.foregroundWindow()), className) && className.equals(kMagicTvWindowClass);
}

}  // namespace vexlo

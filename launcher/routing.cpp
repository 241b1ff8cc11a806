#include "launcher/routing.h"

#include "launcher/keys.h"
#include "launcher/open_dialog.h"
#include "launcher/settings/launcher_state.h"
#include "launcher/window_classes.h"

namespace vexlo {
namespace {

constexpr std::int32_t kModeDirectInput = 1;

bool isOpenDialog(const WindowText& className, WindowHandle window) {
  if (className.equals(kYetAnotherFileOpenClass)) return true;
  if (!className.equals(kDialogClass)) return false;
  WindowText title;
  windowSystem().windowTitle(window, title);
  return title.equals(kOpenDialogTitle);
}

WindowHandle firstChildOfClass(WindowHandle parent, const wchar_t* wanted) {
  WindowSystem& ws = windowSystem();
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
  WindowSystem& ws = windowSystem();
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

void deliverLocked(std::uint16_t code) {
  if (foregroundIsMagicTv()) return;
  routeToTarget(launcherState().lockedTarget, code);
}

}  // namespace

bool isViewerClass(const WindowText& className) {
  return className.equals(kViewerWindowClass) || className.equals(kTvh264WindowClass);
}

WindowHandle rootWindow(WindowHandle window) {
  WindowSystem& ws = windowSystem();
  for (WindowHandle parent = ws.parentWindow(window); parent != 0; parent = ws.parentWindow(window)) {
    window = parent;
  }
  return window;
}

bool routeButton(std::uint16_t code) {
  LauncherState& state = launcherState();
  bool result = true;
  if (state.lockedTarget != 0) {
    if (validateLock(state.lockedTarget)) {
      deliverLocked(code);
      return true;
    }
    result = false;
  }
  // A lost lock target does not lose the press in direct-input mode.
  if (state.mode == kModeDirectInput) routeToTarget(findViewerWindow(), code);
  return result;
}

void routeToTarget(WindowHandle target, std::uint16_t code) {
  if (target == 0) return;
  WindowSystem& ws = windowSystem();
  const LauncherState& state = launcherState();
  const WindowHandle dialog = findOpenDialog(ws.windowProcess(target));
  const WindowHandle display = findChannelDisplay(target);
  if (dialog != 0) {
    if (state.dialogExpand == 1) layoutOpenDialog(dialog);
    dialogKeys(dialog, code);
  } else if (display != 0) {
    channelKeys(display, code);
  } else {
    ws.postMessage(target, state.remoteMessage, code, 0);
  }
}

WindowHandle findViewerWindow() {
  WindowSystem& ws = windowSystem();
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
  WindowSystem& ws = windowSystem();
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
  WindowSystem& ws = windowSystem();
  WindowHandle display = firstChildOfClass(viewer, kChannelDisplayClass);
  if (display == 0) {
    const WindowHandle fullscreen = firstTopLevelOfProcess(kFullscreenWindowClass, ws.windowProcess(viewer));
    if (fullscreen != 0) display = firstChildOfClass(fullscreen, kChannelDisplayClass);
  }
  return display != 0 && ws.isVisible(display) ? display : 0;
}

bool validateLock(WindowHandle window) {
  WindowSystem& ws = windowSystem();
  LauncherState& state = launcherState();
  state.lockedTarget = 0;
  if (!ws.isWindow(window)) return false;
  const WindowHandle root = rootWindow(window);
  WindowText className;
  if (!ws.className(root, className) || !isViewerClass(className)) return false;
  state.lockedTarget = root;
  return true;
}

bool lockIsValid() {
  const WindowHandle target = launcherState().lockedTarget;
  return target != 0 && validateLock(target);
}

bool foregroundIsMagicTv() {
  WindowSystem& ws = windowSystem();
  WindowText className;
  return ws.className(rootWindow(ws.foregroundWindow()), className) && className.equals(kMagicTvWindowClass);
}

}  // namespace vexlo

#include "launcher/switching.h"

#include <vector>

#include "launcher/launcher.h"
#include "launcher/routing.h"
#include "shared/remote_protocol.h"

namespace vexlo {
namespace {

bool isViewerWindow(WindowHandle window) {
  WindowText cls;
  return launcher().windowSystem->className(window, cls) && isViewerClass(cls);
}

}  // namespace

bool specialButton(std::uint16_t code) {
  const LauncherSettings& settings = launcher().settings;
  // Launching wants exactly 1, as the dialog writes it; switching, which
  // starts nothing, takes any non-zero value a hand-edited file may hold.
  if (code == kCodePower && settings.powerOnLaunch == 1) {
    // The power button's default command in the viewer closes it, so with a
    // viewer running the code goes there like any other.
    if (findSwitchTarget() != 0) return false;
    launchViewer();
    return true;
  }
  if (code == kCodeOnAir && settings.switchByOnair != 0) {
    if (WindowHandle target = findSwitchTarget()) forceForeground(target);
    return true;
  }
  return false;
}

WindowHandle findSwitchTarget() {
  WindowSystem& ws = *launcher().windowSystem;
  const WindowHandle top = findViewerWindow();
  if (top == 0) return 0;

  const ProcessId topPid = ws.windowProcess(top);
  WindowHandle next = top, lowest = top;
  ProcessId nextPid = topPid, lowestPid = topPid;

  const WindowHandle foreground = ws.foregroundWindow();
  for (WindowHandle w = foreground ? rootWindow(foreground) : 0; w != 0; w = ws.nextWindow(w)) {
    if (!isViewerWindow(w)) continue;
    const ProcessId p = ws.windowProcess(w);
    if (p < lowestPid) {
      lowest = w;
      lowestPid = p;
    }
    if (p > topPid && (nextPid == topPid || p < nextPid)) {
      next = w;
      nextPid = p;
    }
  }

  const WindowHandle result = nextPid != topPid ? next : lowest;
  // The user is choosing a file in that instance: bring the dialog, not the
  // main window it blocks.
  if (WindowHandle dialog = findOpenDialog(ws.windowProcess(result))) return dialog;
  return result;
}

void forceForeground(WindowHandle window) {
  WindowSystem& ws = *launcher().windowSystem;
  const ThreadId theirs = ws.windowThread(window);
  const ThreadId front = ws.windowThread(ws.foregroundWindow());
  ws.attachThreadInput(theirs, front, true);
  ws.setActiveWindow(window);

  std::uint32_t saved = 0;
  if (!ws.foregroundLockTimeout(saved)) saved = 0;
  ws.setForegroundLockTimeout(0);
  ws.setActiveWindow(window);
  ws.setForegroundWindow(window);
  ws.setWindowPos(window, kHwndTop, 0, 0, 0, 0, kSwpNoSize | kSwpNoMove);
  ws.setForegroundLockTimeout(saved);

  ws.attachThreadInput(theirs, front, false);
}

std::wstring viewerCommandLine(const std::wstring& path, const std::wstring& options) {
  std::wstring line;
  line.reserve(path.size() + options.size() + 3);
  line += L'"';
  line += path;
  line += L'"';
  if (!options.empty()) {
    line += L' ';
    line += options;
  }
  return line;
}

void launchViewer() {
  WindowSystem& ws = *launcher().windowSystem;
  const LauncherSettings& settings = launcher().settings;
  if (!ws.fileExists(settings.viewerPath.c_str())) return;
  // CreateProcessW may write into the command line, so it gets its own buffer.
  const std::wstring line = viewerCommandLine(settings.viewerPath, settings.viewerOptions);
  std::vector<wchar_t> buffer(line.begin(), line.end());
  buffer.push_back(L'\0');
  // Naming the application as well keeps the system from guessing at a
  // shorter path ending in a space.
  ws.createProcess(settings.viewerPath.c_str(), buffer.data());
}

}  // namespace vexlo

#include "tests/support/launcher_process.h"

#include <algorithm>
#include <cstdio>

#include "launcher/private_messages.h"
#include "launcher/resources/resource_ids.h"
#include "launcher/tray_win32.h"

namespace vexlo::test {

LauncherProcess::LauncherProcess(const std::wstring& builtExe, const wchar_t* scratchName)
    : scratch_(scratchName), exe_(scratch_.file(L"Vexlo.exe")), ini_(scratch_.file(L"Vexlo.ini")) {
  copyFile(builtExe, exe_);
}

// A launcher that ends before its window shows (another one holds the
// mutex, say) is not waited for. Its window is there while its creation
// sequence still runs (raw input is registered in it, the tray icon added,
// the settings loaded): it is ready once it waits for input, after that.
bool LauncherProcess::start() {
  main_ = nullptr;
  if (!program_.start(exe_)) return false;
  waitUntil([&] { return (main_ = findProcessWindow(L"VEXLO", program_.processId())) != nullptr || !running(); },
            kPatience, [&] { return describeWindows(program_.processId()); });
  if (!main_ && !running()) std::printf("%s before its window showed\n", status().c_str());
  const auto waitsForInput = [&] { return WaitForInputIdle(process(), 0) == 0; };
  if (main_ && waitUntil(waitsForInput, kPatience, [&] { return "not waiting for input: " + status(); })) return true;
  main_ = nullptr;
  return false;
}

std::string LauncherProcess::status() const {
  DWORD code = 0;
  if (running()) return "the launcher runs";
  if (!GetExitCodeProcess(process(), &code)) return "the launcher is gone";
  return "the launcher ended with exit code " + std::to_string(code);
}

void LauncherProcess::trayEvent(UINT mouseMessage) const {
  PostMessageW(main_, kTrayCallbackMessage, kTrayIconId, mouseMessage);
}

HWND LauncherProcess::shownMenu() const {
  HWND menu = findProcessWindow(L"#32768", processId());
  return menu != nullptr && IsWindowVisible(menu) ? menu : nullptr;
}

// A launcher that ended meanwhile is not waited for: its end is what to say.
HWND LauncherProcess::waitForMenu() const {
  HWND menu = nullptr;
  waitUntil([&] { return (menu = shownMenu()) != nullptr || !running(); }, kPatience,
            [&] { return describeWindows(processId()); });
  if (!menu && !running()) std::printf("%s while its menu was awaited\n", status().c_str());
  return menu;
}

bool LauncherProcess::chooseFromMenu(int downs, WPARAM key) const {
  trayEvent(WM_RBUTTONDOWN);
  HWND menu = waitForMenu();
  if (!menu) return false;
  for (int i = 0; i < downs; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, key, 0);
  return waitUntil([&] { return !IsWindowVisible(menu); });
}

HWND LauncherProcess::openSettings(const std::vector<HWND>& open) const {
  command(IDM_SETTINGS);
  HWND found = nullptr;
  waitUntil([&] {
    for (HWND dialog : settingsDialogs(processId())) {
      if (std::find(open.begin(), open.end(), dialog) == open.end()) found = dialog;
    }
    return found != nullptr;
  }, kPatience, [&] { return describeWindows(processId()); });
  return found;
}

DWORD LauncherProcess::exitByCommand() {
  command(IDM_EXIT);
  DWORD code = kNoExit;
  return waitForExit(code) ? code : kNoExit;
}

}  // namespace vexlo::test

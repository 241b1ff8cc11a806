#pragma once
// The shell's viewer stand-in (fake_viewer_win32.cpp, built as
// FAKE_VIEWER_EXE) run by a Wine test, and left clicks made through the
// system's input, as a user's mouse makes them, so a low-level mouse hook
// sees them.

#include <windows.h>

#include <string>

#include "tests/support/wine_files.h"
#include "tests/support/wine_processes.h"

namespace vexlo::test {

// What the stand-in answers: the button-downs and button-ups its child received.
inline constexpr UINT kQueryDowns = WM_APP + 1;
inline constexpr UINT kQueryUps = WM_APP + 2;

inline void clickAt(int x, int y) {
  SetCursorPos(x, y);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, inputs, sizeof(INPUT));
}

struct FakeViewer {
  // Starts it and waits until its child shows (made after the main window,
  // which is shown last) and its loop runs; then makes it the foreground.
  bool start() {
    if (!program.start(windowsPath(FAKE_VIEWER_EXE))) return false;
    const bool shown = waitUntil(
        [&] {
          window = findProcessWindow(L"TVTest Window", program.processId());
          control = window ? FindWindowExW(window, nullptr, L"Button", nullptr) : nullptr;
          return control != nullptr && IsWindowVisible(control);
        },
        kPatience, [&] { return describeWindows(program.processId()); });
    ask(WM_NULL);
    SetForegroundWindow(window);
    return shown;
  }

  LONG_PTR ask(UINT message) const { return askWindow(window, message); }

  void clickOnControl() const {
    RECT r{};
    GetWindowRect(control, &r);
    clickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  // Waits until `ups` button-ups have arrived, then says how many downs did;
  // -1 when the ups never came.
  LONG_PTR downsAfterClick(LONG_PTR ups) const {
    if (!waitUntil([&] { return ask(kQueryUps) >= ups; })) return -1;
    return ask(kQueryDowns);
  }

  RunningProgram program;
  HWND window = nullptr;
  HWND control = nullptr;
};

}  // namespace vexlo::test

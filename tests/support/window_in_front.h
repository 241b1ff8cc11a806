#pragma once
// A window of the test's own that stands in for the Windows shell. On
// Windows some window is always in front, the shell's when no program's is;
// Wine leaves none there at times (after the launcher detaches a switched
// thread's input, say), and then (8 and 10 alike) hands a device's raw input
// to no one, windows registered with RIDEV_INPUTSINK included, and switching
// has no window to walk down from. A test that needs one in front keeps this
// one there, as a Windows desktop does.

#include <windows.h>

namespace vexlo::test {

class WindowInFront {
 public:
  WindowInFront();
  ~WindowInFront();
  WindowInFront(const WindowInFront&) = delete;
  WindowInFront& operator=(const WindowInFront&) = delete;

  // Brings the stand-in to the front when no window is there. False when
  // still none is in front after the world's patience.
  bool ensureOneInFront();
  // Brings it to the front, whatever is there; false when it did not get there.
  bool take();
  // This Wine carries a forced foreground out in the window's own thread, at
  // times after the forcing call returned, or never; it has come within this.
  static constexpr DWORD kForcedForegroundTime = 2000;

 private:
  static DWORD WINAPI run(void* self);

  HANDLE thread_ = nullptr;
  DWORD threadId_ = 0;
  HANDLE created_ = nullptr;
  HWND window_ = nullptr;
};

}  // namespace vexlo::test

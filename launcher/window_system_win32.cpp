// The window-system operations asked of Windows. Each call only translates
// between the core's opaque handles and Win32's; no decisions are made here.
#include "launcher/window_system_win32.h"

#include <windows.h>

#include <iterator>

#include "launcher/window_system.h"

namespace vexlo {
namespace {

HWND toHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle toHandle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

BOOL CALLBACK visitWindow(HWND window, LPARAM visitor) {
  return (*reinterpret_cast<WindowVisitor*>(visitor))(toHandle(window)) ? TRUE : FALSE;
}

void storeText(int length, WindowText& out) {
  out.length = length > 0 ? static_cast<std::size_t>(length) : 0;
  out.text[out.length] = L'\0';
}

class Win32WindowSystem final : public WindowSystem {
 public:
  void enumTopLevelWindows(WindowVisitor visit) override {
    EnumWindows(visitWindow, reinterpret_cast<LPARAM>(&visit));
  }
  void enumChildWindows(WindowHandle parent, WindowVisitor visit) override {
    EnumChildWindows(toHwnd(parent), visitWindow, reinterpret_cast<LPARAM>(&visit));
  }
  WindowHandle nextWindow(WindowHandle window) override { return toHandle(GetWindow(toHwnd(window), GW_HWNDNEXT)); }
  WindowHandle foregroundWindow() override { return toHandle(GetForegroundWindow()); }

  bool className(WindowHandle window, WindowText& out) override {
    const int length = GetClassNameW(toHwnd(window), out.text, static_cast<int>(std::size(out.text)));
    storeText(length, out);
    return length > 0;
  }
  void windowTitle(WindowHandle window, WindowText& out) override {
    storeText(GetWindowTextW(toHwnd(window), out.text, static_cast<int>(std::size(out.text))), out);
  }

  ProcessId windowProcess(WindowHandle window) override {
    DWORD process = 0;
    GetWindowThreadProcessId(toHwnd(window), &process);
    return process;
  }
  ThreadId windowThread(WindowHandle window) override { return GetWindowThreadProcessId(toHwnd(window), nullptr); }
  WindowHandle parentWindow(WindowHandle window) override { return toHandle(GetParent(toHwnd(window))); }
  bool isVisible(WindowHandle window) override { return IsWindowVisible(toHwnd(window)) != FALSE; }
  bool isWindow(WindowHandle window) override { return IsWindow(toHwnd(window)) != FALSE; }
  std::uint32_t windowStyle(WindowHandle window) override {
    return static_cast<std::uint32_t>(GetWindowLongW(toHwnd(window), GWL_STYLE));
  }
  std::int32_t controlId(WindowHandle window) override { return GetDlgCtrlID(toHwnd(window)); }

  WindowHandle windowFromPoint(Point point) override { return toHandle(WindowFromPoint(POINT{point.x, point.y})); }
  Point cursorPosition() override {
    POINT p{};
    GetCursorPos(&p);
    return Point{p.x, p.y};
  }
  bool setWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y, std::int32_t cx,
                    std::int32_t cy, std::uint32_t flags) override {
    // Another thread's window is moved on that thread: waiting for it would
    // freeze the tray and the remote with a viewer that hangs.
    if (GetWindowThreadProcessId(toHwnd(window), nullptr) != GetCurrentThreadId()) flags |= SWP_ASYNCWINDOWPOS;
    return SetWindowPos(toHwnd(window), toHwnd(insertAfter), x, y, cx, cy, flags) != FALSE;
  }

  bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                   std::intptr_t lParam) override {
    return PostMessageW(toHwnd(window), message, wParam, lParam) != FALSE;
  }
  std::intptr_t sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam) override {
    return SendMessageW(toHwnd(window), message, wParam, lParam);
  }
  std::uint32_t registerWindowMessage(const wchar_t* name) override { return RegisterWindowMessageW(name); }

  std::uint8_t scanCode(std::uint8_t virtualKey) override {
    return static_cast<std::uint8_t>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  }
  void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, bool keyUp) override {
    keybd_event(virtualKey, scanCode, keyUp ? KEYEVENTF_KEYUP : 0, 0);
  }
  ThreadId currentThread() override { return GetCurrentThreadId(); }
  bool attachThreadInput(ThreadId attach, ThreadId attachTo, bool attachIt) override {
    return AttachThreadInput(attach, attachTo, attachIt ? TRUE : FALSE) != FALSE;
  }
  WindowHandle focusWindow() override { return toHandle(GetFocus()); }
  bool setForegroundWindow(WindowHandle window) override { return SetForegroundWindow(toHwnd(window)) != FALSE; }
  WindowHandle setActiveWindow(WindowHandle window) override { return toHandle(SetActiveWindow(toHwnd(window))); }
  bool foregroundLockTimeout(std::uint32_t& out) override {
    DWORD value = 0;
    const bool ok = SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &value, 0) != FALSE;
    out = value;
    return ok;
  }
  void setForegroundLockTimeout(std::uint32_t value) override {
    // The setting takes its value in the pointer argument itself.
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                          reinterpret_cast<PVOID>(static_cast<std::uintptr_t>(value)), 0);
  }

  void sleep(std::uint32_t milliseconds) override { Sleep(milliseconds); }
  bool fileExists(const wchar_t* path) override { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }
  bool createProcess(const wchar_t* applicationName, wchar_t* commandLine) override {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(applicationName, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
      return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
  }
};

Win32WindowSystem g_win32WindowSystem;

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(STARTUPINFOW) == 68, "the 32-bit STARTUPINFOW");
#endif

}  // namespace

WindowSystem& win32WindowSystem() { return g_win32WindowSystem; }

}  // namespace vexlo

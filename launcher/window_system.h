#pragma once
// The operations of the window system that the launcher's logic needs, each
// as Windows defines it. The core reaches them through the launcher's record
// (launcher().windowSystem); window_system_win32.cpp asks Windows, the tests
// use a simulated desktop. Handles are opaque integers, 0 meaning none.

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace vexlo {

using WindowHandle = std::uintptr_t;
using ProcessId = std::uint32_t;
using ThreadId = std::uint32_t;

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// Class names and titles are read into buffers of this many characters,
// terminator included.
inline constexpr std::size_t kWindowTextCapacity = 100;

struct WindowText {
  wchar_t text[kWindowTextCapacity] = {};
  std::size_t length = 0;

  bool equals(const wchar_t* other) const;  // exact, case-sensitive
};

// A non-owning reference to "bool(WindowHandle)": true goes on to the next
// window. Enumeration allocates nothing.
class WindowVisitor {
 public:
  template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, WindowVisitor>>>
  WindowVisitor(F&& f)  // NOLINT: implicit on purpose, callers pass lambdas
      : object_(const_cast<void*>(static_cast<const void*>(&f))),
        call_([](void* o, WindowHandle w) { return (*static_cast<std::remove_reference_t<F>*>(o))(w); }) {}
  bool operator()(WindowHandle w) const { return call_(object_, w); }

 private:
  void* object_;
  bool (*call_)(void*, WindowHandle);
};

// SetWindowPos flags and special insert-after values the launcher uses.
inline constexpr std::uint32_t kSwpNoSize = 0x0001;
inline constexpr std::uint32_t kSwpNoMove = 0x0002;
inline constexpr std::uint32_t kSwpNoZOrder = 0x0004;
inline constexpr std::uint32_t kSwpFrameChanged = 0x0020;
inline constexpr WindowHandle kHwndTop = 0;

inline constexpr std::uint32_t kWmKeyDown = 0x0100;
inline constexpr std::uint32_t kWsThickFrame = 0x00040000;
inline constexpr std::uint8_t kVkShift = 0x10;
inline constexpr std::uint8_t kVkControl = 0x11;

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Windows and their properties.
  virtual void enumTopLevelWindows(WindowVisitor visit) = 0;           // front to back (EnumWindows)
  virtual void enumChildWindows(WindowHandle parent, WindowVisitor visit) = 0;  // all descendants
  virtual WindowHandle nextWindow(WindowHandle window) = 0;           // GW_HWNDNEXT
  virtual WindowHandle foregroundWindow() = 0;
  virtual bool className(WindowHandle window, WindowText& out) = 0;   // false: unreadable
  virtual void windowTitle(WindowHandle window, WindowText& out) = 0;  // unreadable: empty
  virtual ProcessId windowProcess(WindowHandle window) = 0;           // 0: none
  virtual ThreadId windowThread(WindowHandle window) = 0;             // 0: none
  virtual WindowHandle parentWindow(WindowHandle window) = 0;         // GetParent: owner for pop-ups
  virtual bool isVisible(WindowHandle window) = 0;
  virtual bool isWindow(WindowHandle window) = 0;
  virtual std::uint32_t windowStyle(WindowHandle window) = 0;         // GWL_STYLE
  virtual std::int32_t controlId(WindowHandle window) = 0;            // GetDlgCtrlID
  virtual WindowHandle windowFromPoint(Point point) = 0;
  virtual Point cursorPosition() = 0;
  virtual bool setWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
                            std::int32_t cx, std::int32_t cy, std::uint32_t flags) = 0;

  // Messages.
  virtual bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) = 0;
  virtual std::intptr_t sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) = 0;
  virtual std::uint32_t registerWindowMessage(const wchar_t* name) = 0;  // 0: failed

  // Keyboard and focus.
  virtual std::uint8_t scanCode(std::uint8_t virtualKey) = 0;  // MapVirtualKeyW(key, 0)
  virtual void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, bool keyUp) = 0;  // keybd_event
  virtual ThreadId currentThread() = 0;
  virtual bool attachThreadInput(ThreadId attach, ThreadId attachTo, bool attachIt) = 0;
  virtual WindowHandle focusWindow() = 0;  // GetFocus
  virtual bool setForegroundWindow(WindowHandle window) = 0;
  virtual WindowHandle setActiveWindow(WindowHandle window) = 0;
  virtual bool foregroundLockTimeout(std::uint32_t& out) = 0;  // SPI_GETFOREGROUNDLOCKTIMEOUT
  virtual void setForegroundLockTimeout(std::uint32_t value) = 0;  // SPI_SETFOREGROUNDLOCKTIMEOUT, no profile update

  // Kernel.
  virtual void sleep(std::uint32_t milliseconds) = 0;
  virtual bool fileExists(const wchar_t* path) = 0;  // GetFileAttributesW != INVALID_FILE_ATTRIBUTES
  // CreateProcessW(applicationName, commandLine, ...) with a zeroed STARTUPINFOW;
  // both handles are closed at once. applicationName may be null.
  virtual bool createProcess(const wchar_t* applicationName, wchar_t* commandLine) = 0;
};

}  // namespace vexlo

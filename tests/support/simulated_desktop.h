#pragma once
// A desktop in memory that stands in for Windows in host tests: windows with
// their class, title, process, thread, parent or owner, children, visibility,
// style, control id and rectangle; the Z order; focus per thread; the
// foreground window and attached input. Every effect the launcher has on it
// goes into one ordered event log, so a test can assert exact sequences
// without sleeping for real.
//
// Building a scene (none of these is logged):
//   SimulatedDesktop desktop;           // installed as a seam by InstalledLauncher
//   WindowHandle tv = desktop.addWindow(L"TVTest Window", L"TVTest", 100, 101);
//   WindowHandle list = desktop.addChild(tv, L"SHELLDLL_DefView", 0x461);
//   desktop.setFocus(list);
//   ...
//   EXPECT_EQ(desktop.events(), (EventLog{Event::post(tv, msg, 0x0F, 0)}));
//
// addWindow appends at the bottom of the Z order, so a scene is written from
// front to back. Owned pop-ups stay in front of their owners, as on Windows:
// addOwnedPopup puts one directly in front of its owner.

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "launcher/window_system.h"

namespace vexlo::test {

inline constexpr std::uint32_t kWsPopup = 0x80000000u;
inline constexpr std::uint32_t kWsChild = 0x40000000u;
inline constexpr std::uint32_t kWsVisible = 0x10000000u;

struct Rect {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  std::int32_t width() const { return right - left; }
  std::int32_t height() const { return bottom - top; }
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

enum class EventKind {
  kPostMessage, kSendMessage, kKeyEvent, kSleep, kSetWindowPos, kAttachThreadInput, kSetActiveWindow,
  kSetForegroundWindow, kGetForegroundLockTimeout, kSetForegroundLockTimeout, kCreateProcess,
};

// One effect: the call the launcher made and its arguments, the window it is
// about first where it has one. Events compare argument by argument.
struct Event {
  EventKind kind = EventKind::kSleep;
  WindowHandle window = 0;
  std::vector<std::int64_t> values;  // the other arguments, in the call's order
  std::vector<std::wstring> texts;   // CreateProcessW's application name and command line

  static Event post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return {EventKind::kPostMessage, window, {message, v(wParam), lParam}, {}};
  }
  static Event send(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return {EventKind::kSendMessage, window, {message, v(wParam), lParam}, {}};
  }
  static Event keyDown(std::uint8_t virtualKey, std::uint8_t scanCode) {
    return {EventKind::kKeyEvent, 0, {virtualKey, scanCode, false}, {}};
  }
  static Event keyUpEvent(std::uint8_t virtualKey, std::uint8_t scanCode) {
    return {EventKind::kKeyEvent, 0, {virtualKey, scanCode, true}, {}};
  }
  static Event sleep(std::uint32_t milliseconds) { return {EventKind::kSleep, 0, {milliseconds}, {}}; }
  static Event setWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
                            std::int32_t cx, std::int32_t cy, std::uint32_t flags) {
    return {EventKind::kSetWindowPos, window, {v(insertAfter), x, y, cx, cy, flags}, {}};
  }
  static Event attachThreadInput(ThreadId attach, ThreadId attachTo, bool attachIt) {
    return {EventKind::kAttachThreadInput, 0, {attach, attachTo, attachIt}, {}};
  }
  static Event setActiveWindow(WindowHandle window) { return {EventKind::kSetActiveWindow, window, {}, {}}; }
  static Event setForegroundWindow(WindowHandle window) { return {EventKind::kSetForegroundWindow, window, {}, {}}; }
  static Event getForegroundLockTimeout() { return {EventKind::kGetForegroundLockTimeout, 0, {}, {}}; }
  static Event setForegroundLockTimeout(std::uint32_t value) {
    return {EventKind::kSetForegroundLockTimeout, 0, {value}, {}};
  }
  // A null application name is told from an empty one.
  static Event createProcess(const wchar_t* applicationName, const wchar_t* commandLine) {
    return {EventKind::kCreateProcess, 0, {applicationName != nullptr},
            {applicationName ? applicationName : L"", commandLine ? commandLine : L""}};
  }

  bool operator==(const Event& o) const {
    return kind == o.kind && window == o.window && values == o.values && texts == o.texts;
  }

 private:
  static std::int64_t v(std::uint64_t value) { return static_cast<std::int64_t>(value); }
};

using EventLog = std::vector<Event>;

std::ostream& operator<<(std::ostream& out, const Event& event);
inline void PrintTo(const Event& event, std::ostream* out) { *out << event; }  // GoogleTest's printer

class SimulatedDesktop : public WindowSystem {
 public:
  // The launcher's own process and thread, as the core sees them.
  static constexpr ProcessId kLauncherProcess = 1;
  static constexpr ThreadId kLauncherThread = 2;

  SimulatedDesktop() = default;
  SimulatedDesktop(const SimulatedDesktop&) = delete;
  SimulatedDesktop& operator=(const SimulatedDesktop&) = delete;

  // --- Building the scene (not logged) ---------------------------------
  // A visible top-level window at the bottom of the Z order.
  WindowHandle addWindow(const std::wstring& className, const std::wstring& title, ProcessId process,
                         ThreadId thread);
  // A visible child (WS_CHILD) as the last child of parent, in parent's process and thread.
  WindowHandle addChild(WindowHandle parent, const std::wstring& className, std::int32_t controlId = 0,
                        const std::wstring& title = L"");
  // A visible top-level pop-up (WS_POPUP) owned by owner, directly in front
  // of it: GetParent gives the owner.
  WindowHandle addOwnedPopup(WindowHandle owner, const std::wstring& className, const std::wstring& title);
  // Destroys the window, its children and the windows it owns.
  void destroyWindow(WindowHandle window);

  void setVisible(WindowHandle window, bool visible);
  void setStyle(WindowHandle window, std::uint32_t style);  // WS_CHILD/WS_VISIBLE bits are kept as they are
  void setRect(WindowHandle window, Rect rect) { get(window).rect = rect; }  // relative to the parent for children
  void setClassReadable(WindowHandle window, bool readable) { get(window).classReadable = readable; }
  void setTitleReadable(WindowHandle window, bool readable) { get(window).titleReadable = readable; }

  // Z order of top-level windows (or of siblings, for a child); owned pop-ups
  // follow their owners to stay in front of them.
  void bringToFront(WindowHandle window);
  void sendToBack(WindowHandle window);
  void placeBehind(WindowHandle window, WindowHandle after);

  void setForeground(WindowHandle window) { foreground_ = active_ = get(window).handle; }  // also makes it active
  void setFocus(WindowHandle window) { focus_[get(window).thread] = window; }  // the focus of the window's thread
  void setCursorPosition(Point point) { cursor_ = point; }
  void addExistingFile(const std::wstring& path) { files_.insert(path); }
  void setForegroundLockTimeoutValue(std::uint32_t value) { lockTimeout_ = value; }
  void setForegroundLockTimeoutQueryFails(bool fails) { lockTimeoutQueryFails_ = fails; }
  void setAttachThreadInputFails(bool fails) { attachFails_ = fails; }
  void setForegroundRefused(bool refused) { foregroundRefused_ = refused; }
  void setCreateProcessResult(bool result) { createProcessResult_ = result; }
  // Runs while SetWindowPos is in progress: another thread's window makes the
  // caller wait, and messages sent to the caller's windows arrive meanwhile.
  std::function<void(WindowHandle)> duringSetWindowPos;

  // --- Inspecting ----------------------------------------------------------
  const EventLog& events() const { return events_; }
  EventLog eventsOfKind(EventKind kind) const;
  void clearEvents() { events_.clear(); }  // keeps the capacity: clearing does not free
  void reserveEvents(std::size_t count) { events_.reserve(count); }

  Rect rect(WindowHandle window) const { return fieldOf(window, &Window::rect); }
  std::vector<WindowHandle> zOrder() const { return topLevel_; }  // front to back
  WindowHandle focusOf(ThreadId thread) const;
  bool inputAttached(ThreadId a, ThreadId b) const;
  std::uint32_t lockTimeoutValue() const { return lockTimeout_; }

  // --- WindowSystem ----------------------------------------------------------
  void enumTopLevelWindows(WindowVisitor visit) override;
  void enumChildWindows(WindowHandle parent, WindowVisitor visit) override;
  WindowHandle nextWindow(WindowHandle window) override;
  WindowHandle foregroundWindow() override { return foreground_; }
  bool className(WindowHandle window, WindowText& out) override;
  void windowTitle(WindowHandle window, WindowText& out) override;
  ProcessId windowProcess(WindowHandle window) override { return fieldOf(window, &Window::process); }
  ThreadId windowThread(WindowHandle window) override { return fieldOf(window, &Window::thread); }
  WindowHandle parentWindow(WindowHandle window) override;
  bool isVisible(WindowHandle window) override;
  bool isWindow(WindowHandle window) override { return find(window) != nullptr; }
  std::uint32_t windowStyle(WindowHandle window) override { return fieldOf(window, &Window::style); }
  // Top-level windows have none.
  std::int32_t controlId(WindowHandle window) override {
    return fieldOf(window, &Window::parent) != 0 ? fieldOf(window, &Window::controlId) : 0;
  }
  WindowHandle windowFromPoint(Point point) override { return hitTest(topLevel_, point, Point{}); }
  Point cursorPosition() override { return cursor_; }
  bool setWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y, std::int32_t cx,
                    std::int32_t cy, std::uint32_t flags) override;
  bool postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  std::intptr_t sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                            std::intptr_t lParam) override;
  std::uint32_t registerWindowMessage(const wchar_t* name) override;
  std::uint8_t scanCode(std::uint8_t virtualKey) override;
  void keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, bool keyUp) override;
  ThreadId currentThread() override { return kLauncherThread; }
  bool attachThreadInput(ThreadId attach, ThreadId attachTo, bool attachIt) override;
  WindowHandle focusWindow() override;
  bool setForegroundWindow(WindowHandle window) override;
  WindowHandle setActiveWindow(WindowHandle window) override;
  bool foregroundLockTimeout(std::uint32_t& out) override;
  void setForegroundLockTimeout(std::uint32_t value) override;
  void sleep(std::uint32_t milliseconds) override { events_.push_back(Event::sleep(milliseconds)); }
  bool fileExists(const wchar_t* path) override { return path != nullptr && files_.count(path) != 0; }
  bool createProcess(const wchar_t* applicationName, wchar_t* commandLine) override;

 private:
  struct Window {
    WindowHandle handle = 0;
    bool alive = true;
    std::wstring className, title;
    bool classReadable = true, titleReadable = true;
    ProcessId process = 0;
    ThreadId thread = 0;
    WindowHandle parent = 0;  // children only
    WindowHandle owner = 0;   // top-level only
    std::vector<WindowHandle> children;  // front to back
    std::uint32_t style = 0;
    std::int32_t controlId = 0;
    Rect rect{0, 0, 100, 100};
  };

  Window* find(WindowHandle window) { return const_cast<Window*>(std::as_const(*this).find(window)); }
  const Window* find(WindowHandle window) const;
  // A field of a live window; zero for a window that is not there.
  template <typename T>
  T fieldOf(WindowHandle window, T Window::*field) const {
    const Window* w = find(window);
    return w != nullptr ? w->*field : T{};
  }
  Window& get(WindowHandle window);
  WindowHandle create(const std::wstring& className, const std::wstring& title, ProcessId process, ThreadId thread,
                      std::uint32_t style);
  std::vector<WindowHandle>& siblingsOf(const Window& window);
  bool enumDescendants(const Window& parent, WindowVisitor& visit);
  // The deepest visible window under point among windows (front to back), placed relative to origin.
  WindowHandle hitTest(const std::vector<WindowHandle>& windows, Point point, Point origin);
  ThreadId inputPartner(ThreadId thread) const;
  void keepOwnedInFront(WindowHandle moved);
  std::size_t positionOf(WindowHandle topLevel) const;
  void placeInFrontOf(WindowHandle topLevel, WindowHandle other);

  std::vector<Window> windows_;        // index = handle order; destroyed ones stay, dead
  std::vector<WindowHandle> topLevel_;  // Z order, front to back
  std::map<ThreadId, WindowHandle> focus_;
  std::vector<std::pair<ThreadId, ThreadId>> attached_;
  std::map<std::wstring, std::uint32_t> messages_;
  std::set<std::wstring> files_;
  EventLog events_;
  WindowHandle foreground_ = 0, active_ = 0;
  Point cursor_;
  std::uint32_t lockTimeout_ = 200000;
  bool lockTimeoutQueryFails_ = false, attachFails_ = false, foregroundRefused_ = false;
  bool createProcessResult_ = true;
};

}  // namespace vexlo::test

#include "tests/support/simulated_desktop.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <ostream>

namespace vexlo::test {
namespace {

// Handles look like real ones: spread out, never small, never 0.
constexpr WindowHandle kFirstHandle = 0x10010;
constexpr WindowHandle kHandleStep = 4;

// Empty, and false, when there is no text to read.
bool copyText(const std::wstring* text, WindowText& out) {
  // Truncated like GetClassNameW and GetWindowTextW: room kept for the terminator.
  const std::size_t length = text != nullptr ? std::min(text->size(), kWindowTextCapacity - 1) : 0;
  if (length != 0) std::wmemcpy(out.text, text->data(), length);
  out.text[length] = L'\0';
  out.length = length;
  return text != nullptr;
}

void moveTo(std::vector<WindowHandle>& order, WindowHandle window, std::size_t position) {
  order.erase(std::find(order.begin(), order.end(), window));
  order.insert(order.begin() + static_cast<std::ptrdiff_t>(std::min(position, order.size())), window);
}

// How an event prints: the call's name, whether it is about a window, and
// the names of its values ('#' before the name of one shown in hex).
struct Printed {
  const char* call;
  bool aboutWindow;
  const char* values[6];
};

const Printed& printed(EventKind kind) {
  static const Printed kPrinted[] = {
      {"PostMessage", true, {"#message", "#wParam", "#lParam"}},
      {"SendMessage", true, {"#message", "#wParam", "#lParam"}},
      {"keybd_event", false, {"#vk", "#scan", "up"}},
      {"Sleep", false, {"ms"}},
      {"SetWindowPos", true, {"#after", "x", "y", "cx", "cy", "#flags"}},
      {"AttachThreadInput", false, {"thread", "to", "attach"}},
      {"SetActiveWindow", true, {}},
      {"SetForegroundWindow", true, {}},
      {"GetForegroundLockTimeout", false, {}},
      {"SetForegroundLockTimeout", false, {"ms"}},
      {"CreateProcess", false, {"with application name"}},
  };
  static_assert(std::size(kPrinted) == static_cast<std::size_t>(EventKind::kCreateProcess) + 1, "one row a kind");
  return kPrinted[static_cast<std::size_t>(kind)];
}

void printText(std::ostream& out, const std::wstring& text) {
  out << '"';
  for (wchar_t c : text) {
    if (c >= 0x20 && c < 0x7F) {
      out << static_cast<char>(c);
    } else {
      out << "\\u" << std::hex << static_cast<unsigned>(c) << std::dec;
    }
  }
  out << '"';
}

}  // namespace

// --- Event -----------------------------------------------------------------

std::ostream& operator<<(std::ostream& out, const Event& e) {
  const Printed& p = printed(e.kind);
  out << p.call << '(';
  const char* separator = "";
  if (p.aboutWindow) {
    out << "window 0x" << std::hex << e.window << std::dec;
    separator = ", ";
  }
  for (std::size_t i = 0; i < e.values.size(); ++i, separator = ", ") {
    const char* name = i < std::size(p.values) && p.values[i] ? p.values[i] : "?";
    if (name[0] == '#') {
      out << separator << name + 1 << " 0x" << std::hex << e.values[i] << std::dec;
    } else {
      out << separator << name << ' ' << e.values[i];
    }
  }
  for (const std::wstring& text : e.texts) {
    out << separator;
    printText(out, text);
  }
  return out << ')';
}

// --- Building the scene ------------------------------------------------------

WindowHandle SimulatedDesktop::create(const std::wstring& className, const std::wstring& title, ProcessId process,
                                      ThreadId thread, std::uint32_t style) {
  Window w;
  w.handle = kFirstHandle + windows_.size() * kHandleStep;
  w.className = className;
  w.title = title;
  w.process = process;
  w.thread = thread;
  w.style = style;
  windows_.push_back(std::move(w));
  return windows_.back().handle;
}

WindowHandle SimulatedDesktop::addWindow(const std::wstring& className, const std::wstring& title, ProcessId process,
                                         ThreadId thread) {
  const WindowHandle handle = create(className, title, process, thread, kWsVisible);
  topLevel_.push_back(handle);
  return handle;
}

WindowHandle SimulatedDesktop::addChild(WindowHandle parent, const std::wstring& className, std::int32_t controlId,
                                        const std::wstring& title) {
  const WindowHandle handle = create(className, title, get(parent).process, get(parent).thread, kWsChild | kWsVisible);
  Window& w = get(handle);
  w.parent = parent;
  w.controlId = controlId;
  w.rect = Rect{0, 0, 10, 10};
  get(parent).children.push_back(handle);
  return handle;
}

WindowHandle SimulatedDesktop::addOwnedPopup(WindowHandle owner, const std::wstring& className,
                                             const std::wstring& title) {
  const Window& o = get(owner);
  const WindowHandle handle = addWindow(className, title, o.process, o.thread);
  Window& w = get(handle);
  w.owner = owner;
  w.style |= kWsPopup;
  keepOwnedInFront(handle);
  return handle;
}

void SimulatedDesktop::destroyWindow(WindowHandle window) {
  Window* w = find(window);
  if (w == nullptr) return;
  const std::vector<WindowHandle> children = w->children;
  for (WindowHandle child : children) destroyWindow(child);
  for (const Window& other : windows_) {
    if (other.alive && other.owner == window) destroyWindow(other.handle);
  }
  w = find(window);
  std::vector<WindowHandle>& siblings = siblingsOf(*w);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
  w->alive = false;
  w->children.clear();
  if (foreground_ == window) foreground_ = 0;
  if (active_ == window) active_ = 0;
  for (auto& f : focus_) {
    if (f.second == window) f.second = 0;
  }
}

void SimulatedDesktop::setVisible(WindowHandle window, bool visible) {
  Window& w = get(window);
  w.style = visible ? (w.style | kWsVisible) : (w.style & ~kWsVisible);
}

void SimulatedDesktop::setStyle(WindowHandle window, std::uint32_t style) {
  Window& w = get(window);
  const std::uint32_t kept = w.style & (kWsChild | kWsVisible);
  w.style = (style & ~(kWsChild | kWsVisible)) | kept;
}

void SimulatedDesktop::bringToFront(WindowHandle window) {
  moveTo(siblingsOf(get(window)), window, 0);
  keepOwnedInFront(window);
}

void SimulatedDesktop::sendToBack(WindowHandle window) {
  std::vector<WindowHandle>& order = siblingsOf(get(window));
  moveTo(order, window, order.size());
  keepOwnedInFront(window);
}

void SimulatedDesktop::placeBehind(WindowHandle window, WindowHandle after) {
  std::vector<WindowHandle>& order = siblingsOf(get(window));
  if (window == after) return;
  order.erase(std::find(order.begin(), order.end(), window));
  const auto at = std::find(order.begin(), order.end(), after);
  order.insert(at == order.end() ? order.end() : at + 1, window);
  keepOwnedInFront(window);
}

// As Windows does: a window that moves takes the pop-ups it owns along,
// directly in front of it and in their order, and a pop-up never goes
// behind its owner.
void SimulatedDesktop::keepOwnedInFront(WindowHandle moved) {
  const Window& w = get(moved);
  if (w.parent != 0) return;
  if (w.owner != 0 && positionOf(w.owner) < positionOf(moved)) placeInFrontOf(moved, w.owner);
  std::vector<WindowHandle> owned;
  for (WindowHandle other : topLevel_) {
    if (get(other).owner == moved) owned.push_back(other);
  }
  for (WindowHandle popup : owned) {
    placeInFrontOf(popup, moved);
    keepOwnedInFront(popup);
  }
}

std::size_t SimulatedDesktop::positionOf(WindowHandle window) const {
  return static_cast<std::size_t>(std::find(topLevel_.begin(), topLevel_.end(), window) - topLevel_.begin());
}

void SimulatedDesktop::placeInFrontOf(WindowHandle window, WindowHandle other) {
  topLevel_.erase(topLevel_.begin() + static_cast<std::ptrdiff_t>(positionOf(window)));
  topLevel_.insert(topLevel_.begin() + static_cast<std::ptrdiff_t>(positionOf(other)), window);
}

// --- Inspecting ----------------------------------------------------------------

EventLog SimulatedDesktop::eventsOfKind(EventKind kind) const {
  EventLog out;
  for (const Event& e : events_) {
    if (e.kind == kind) out.push_back(e);
  }
  return out;
}

WindowHandle SimulatedDesktop::focusOf(ThreadId thread) const {
  const auto f = focus_.find(thread);
  return f != focus_.end() ? f->second : 0;
}

bool SimulatedDesktop::inputAttached(ThreadId a, ThreadId b) const {
  return std::find(attached_.begin(), attached_.end(), std::make_pair(a, b)) != attached_.end() ||
         std::find(attached_.begin(), attached_.end(), std::make_pair(b, a)) != attached_.end();
}

// --- Internals -------------------------------------------------------------------

const SimulatedDesktop::Window* SimulatedDesktop::find(WindowHandle window) const {
  if (window < kFirstHandle || (window - kFirstHandle) % kHandleStep != 0) return nullptr;
  const std::size_t index = (window - kFirstHandle) / kHandleStep;
  if (index >= windows_.size() || !windows_[index].alive) return nullptr;
  return &windows_[index];
}

SimulatedDesktop::Window& SimulatedDesktop::get(WindowHandle window) {
  Window* w = find(window);
  if (w == nullptr) {
    // A scene built on a window that does not exist is a fault of the test.
    std::fprintf(stderr, "SimulatedDesktop: no window 0x%llx\n", static_cast<unsigned long long>(window));
    std::abort();
  }
  return *w;
}

std::vector<WindowHandle>& SimulatedDesktop::siblingsOf(const Window& window) {
  return window.parent != 0 ? get(window.parent).children : topLevel_;
}

bool SimulatedDesktop::enumDescendants(const Window& parent, WindowVisitor& visit) {
  // By index: a visitor may add windows, which can move the storage.
  const WindowHandle parentHandle = parent.handle;
  for (std::size_t i = 0; i < get(parentHandle).children.size(); ++i) {
    const WindowHandle child = get(parentHandle).children[i];
    if (!visit(child)) return false;
    const Window* c = find(child);
    if (c != nullptr && !enumDescendants(*c, visit)) return false;
  }
  return true;
}

WindowHandle SimulatedDesktop::hitTest(const std::vector<WindowHandle>& windows, Point point, Point origin) {
  for (WindowHandle window : windows) {
    const Window& w = get(window);
    const Point corner{origin.x + w.rect.left, origin.y + w.rect.top};
    const bool inside = point.x >= corner.x && point.x < origin.x + w.rect.right && point.y >= corner.y &&
                        point.y < origin.y + w.rect.bottom;
    if ((w.style & kWsVisible) == 0 || !inside) continue;
    const WindowHandle deeper = hitTest(w.children, point, corner);
    return deeper != 0 ? deeper : window;
  }
  return 0;
}

ThreadId SimulatedDesktop::inputPartner(ThreadId thread) const {
  for (const auto& a : attached_) {
    if (a.first == thread) return a.second;
    if (a.second == thread) return a.first;
  }
  return 0;
}

// --- WindowSystem ------------------------------------------------------------------

void SimulatedDesktop::enumTopLevelWindows(WindowVisitor visit) {
  for (std::size_t i = 0; i < topLevel_.size(); ++i) {
    if (!visit(topLevel_[i])) return;
  }
}

void SimulatedDesktop::enumChildWindows(WindowHandle parent, WindowVisitor visit) {
  const Window* p = find(parent);
  if (p != nullptr) enumDescendants(*p, visit);
}

WindowHandle SimulatedDesktop::nextWindow(WindowHandle window) {
  const Window* w = find(window);
  if (w == nullptr) return 0;
  const std::vector<WindowHandle>& order = siblingsOf(*w);
  const auto at = std::find(order.begin(), order.end(), window);
  return at + 1 < order.end() ? *(at + 1) : 0;
}

bool SimulatedDesktop::className(WindowHandle window, WindowText& out) {
  const Window* w = find(window);
  return copyText(w != nullptr && w->classReadable ? &w->className : nullptr, out);
}

void SimulatedDesktop::windowTitle(WindowHandle window, WindowText& out) {
  const Window* w = find(window);
  copyText(w != nullptr && w->titleReadable ? &w->title : nullptr, out);
}

WindowHandle SimulatedDesktop::parentWindow(WindowHandle window) {
  const Window* w = find(window);
  if (w == nullptr) return 0;
  if (w->parent != 0) return w->parent;
  return (w->style & kWsPopup) != 0 ? w->owner : 0;  // GetParent gives the owner of pop-ups only
}

bool SimulatedDesktop::isVisible(WindowHandle window) {
  // Visible means the window and every parent have WS_VISIBLE.
  for (const Window* w = find(window); w != nullptr; w = w->parent != 0 ? find(w->parent) : nullptr) {
    if ((w->style & kWsVisible) == 0) return false;
    if (w->parent == 0) return true;
  }
  return false;
}

bool SimulatedDesktop::setWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x, std::int32_t y,
                                    std::int32_t cx, std::int32_t cy, std::uint32_t flags) {
  events_.push_back(Event::setWindowPos(window, insertAfter, x, y, cx, cy, flags));
  if (duringSetWindowPos) duringSetWindowPos(window);
  Window* w = find(window);
  if (w == nullptr) return false;
  if ((flags & kSwpNoMove) == 0) w->rect = Rect{x, y, x + w->rect.width(), y + w->rect.height()};
  if ((flags & kSwpNoSize) == 0) w->rect = Rect{w->rect.left, w->rect.top, w->rect.left + cx, w->rect.top + cy};
  if ((flags & kSwpNoZOrder) == 0) {  // HWND_BOTTOM and the topmost band: the launcher asks for neither
    if (insertAfter == kHwndTop) {
      bringToFront(window);
    } else if (find(insertAfter) != nullptr) {
      placeBehind(window, insertAfter);
    }
  }
  return true;
}

bool SimulatedDesktop::postMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam) {
  events_.push_back(Event::post(window, message, wParam, lParam));
  return find(window) != nullptr;
}

std::intptr_t SimulatedDesktop::sendMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                            std::intptr_t lParam) {
  // Nothing the launcher sends needs an answer.
  events_.push_back(Event::send(window, message, wParam, lParam));
  return 0;
}

std::uint32_t SimulatedDesktop::registerWindowMessage(const wchar_t* name) {
  if (name == nullptr || *name == L'\0') return 0;
  // Registered messages live in 0xC000..0xFFFF; a name registered again keeps its number.
  return messages_.emplace(name, 0xC000u + static_cast<std::uint32_t>(messages_.size())).first->second;
}

std::uint8_t SimulatedDesktop::scanCode(std::uint8_t virtualKey) {
  // The set-1 scan codes of a standard keyboard for the keys the launcher plays.
  static const std::pair<std::uint8_t, std::uint8_t> kScanCodes[] = {
      {0x08, 0x0E}, {0x09, 0x0F}, {0x0D, 0x1C}, {0x10, 0x2A}, {0x11, 0x1D},  // Backspace, Tab, Return, Shift, Ctrl
      {0x1B, 0x01}, {0x21, 0x49}, {0x22, 0x51}, {0x23, 0x4F}, {0x24, 0x47},  // Escape, Page Up, Page Down, End, Home
      {0x25, 0x4B}, {0x26, 0x48}, {0x27, 0x4D}, {0x28, 0x50}};               // Left, Up, Right, Down
  for (const auto& [key, scan] : kScanCodes) {
    if (key == virtualKey) return scan;
  }
  return 0;
}

void SimulatedDesktop::keyEvent(std::uint8_t virtualKey, std::uint8_t scanCode, bool keyUp) {
  events_.push_back(keyUp ? Event::keyUpEvent(virtualKey, scanCode) : Event::keyDown(virtualKey, scanCode));
}

bool SimulatedDesktop::attachThreadInput(ThreadId attach, ThreadId attachTo, bool attachIt) {
  events_.push_back(Event::attachThreadInput(attach, attachTo, attachIt));
  if (attachFails_ || attach == 0 || attachTo == 0 || attach == attachTo) return false;
  const auto pair = std::make_pair(attach, attachTo);
  const auto at = std::find(attached_.begin(), attached_.end(), pair);
  if (attachIt) {
    if (at == attached_.end()) attached_.push_back(pair);
    return true;
  }
  if (at == attached_.end()) return false;
  attached_.erase(at);
  return true;
}

WindowHandle SimulatedDesktop::focusWindow() {
  // Attached threads share one input state, so their focus is ours.
  const WindowHandle own = focusOf(kLauncherThread);
  if (own != 0) return own;
  const ThreadId partner = inputPartner(kLauncherThread);
  return partner != 0 ? focusOf(partner) : 0;
}

bool SimulatedDesktop::setForegroundWindow(WindowHandle window) {
  events_.push_back(Event::setForegroundWindow(window));
  const Window* w = find(window);
  if (w == nullptr || foregroundRefused_) return false;
  foreground_ = window;
  active_ = window;
  if (w->parent == 0) bringToFront(window);
  return true;
}

WindowHandle SimulatedDesktop::setActiveWindow(WindowHandle window) {
  events_.push_back(Event::setActiveWindow(window));
  if (find(window) == nullptr) return 0;
  const WindowHandle previous = active_;
  active_ = window;
  return previous;
}

bool SimulatedDesktop::foregroundLockTimeout(std::uint32_t& out) {
  events_.push_back(Event::getForegroundLockTimeout());
  if (lockTimeoutQueryFails_) return false;
  out = lockTimeout_;
  return true;
}

void SimulatedDesktop::setForegroundLockTimeout(std::uint32_t value) {
  events_.push_back(Event::setForegroundLockTimeout(value));
  lockTimeout_ = value;
}

bool SimulatedDesktop::createProcess(const wchar_t* applicationName, wchar_t* commandLine) {
  events_.push_back(Event::createProcess(applicationName, commandLine));
  return createProcessResult_;
}

}  // namespace vexlo::test

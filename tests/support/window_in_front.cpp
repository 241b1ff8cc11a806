#include "tests/support/window_in_front.h"

#include <string>

#include "tests/support/wine_processes.h"

namespace vexlo::test {
namespace {

// A pixel in the screen's corner, above every other window: it covers nothing a
// test looks at, and a walk down the Z order from it passes every window.
constexpr int kSide = 1;
constexpr UINT kComeToFront = WM_APP;

}  // namespace

// The window lives on a thread of its own that answers its messages, so
// that no program sending to every window waits on a test that is busy.
DWORD WINAPI WindowInFront::run(void* parameter) {
  auto* self = static_cast<WindowInFront*>(parameter);
  self->window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"Static", L"shell stand-in", WS_POPUP,
                                  GetSystemMetrics(SM_CXSCREEN) - kSide, GetSystemMetrics(SM_CYSCREEN) - kSide, kSide,
                                  kSide, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  // Shown without taking the front: it changes the scene only when asked to.
  if (self->window_) ShowWindow(self->window_, SW_SHOWNA);
  SetEvent(self->created_);
  if (!self->window_) return 1;
  // The window's own thread asks for the front: Wine grants it there.
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == kComeToFront && !message.hwnd) SetForegroundWindow(self->window_);
    DispatchMessageW(&message);
  }
  DestroyWindow(self->window_);
  return 0;
}

WindowInFront::WindowInFront() : created_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  thread_ = CreateThread(nullptr, 0, run, this, 0, &threadId_);
  if (thread_) WaitForSingleObject(created_, INFINITE);
}

WindowInFront::~WindowInFront() {
  if (thread_) {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    WaitForSingleObject(thread_, worldTime(kPatience));
    CloseHandle(thread_);
  }
  CloseHandle(created_);
}

bool WindowInFront::ensureOneInFront() {
  if (GetForegroundWindow()) return true;
  if (window_) PostThreadMessageW(threadId_, kComeToFront, 0, 0);
  return waitUntil([] { return GetForegroundWindow() != nullptr; }, kPatience,
                   [this] { return window_ ? describeForeground() : std::string("no shell stand-in window"); });
}

bool WindowInFront::take() {
  if (window_) PostThreadMessageW(threadId_, kComeToFront, 0, 0);
  return window_ && waitUntil([this] { return GetForegroundWindow() == window_; }, kPatience, describeForeground);
}

}  // namespace vexlo::test

#pragma once
// The launcher's private window messages, sent to its own main window.

#include <cstdint>

namespace vexlo {

inline constexpr std::uint32_t kWmUser = 0x0400;  // WM_USER
// The tray icon's notifications, the mouse event in lParam.
inline constexpr std::uint32_t kTrayCallbackMessage = kWmUser + 100;
// The left click of a lock-on pick, handed over by the mouse hook.
inline constexpr std::uint32_t kLockOnClickMessage = kWmUser + 101;

}  // namespace vexlo

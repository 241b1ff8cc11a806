#pragma once
// What lock-on needs of the shell's own Windows objects besides the window
// system: the popup menu's item state and the low-level mouse hook.
// shell_platform_win32.cpp asks Windows; the tests use a fake.

#include <cstdint>

namespace vexlo {

using HookHandle = std::uintptr_t;  // 0: none

inline constexpr std::uint32_t kMenuStateChecked = 0x0008;  // MFS_CHECKED

class ShellPlatform {
 public:
  virtual ~ShellPlatform() = default;

  // State of the item with this command id in menu 109, popups searched
  // (GetMenuItemInfoW with MIIM_STATE); 0 when there is no such item.
  virtual std::uint32_t menuItemState(std::uint32_t commandId) = 0;
  // Reads the item, then writes the state back (SetMenuItemInfoW).
  virtual void setMenuItemState(std::uint32_t commandId, std::uint32_t state) = 0;

  // SetWindowsHookExW(WH_MOUSE_LL, ...) on the launcher's module; 0 on failure.
  virtual HookHandle installMouseHook() = 0;
  virtual void removeMouseHook(HookHandle hook) = 0;  // UnhookWindowsHookEx
};

extern ShellPlatform* g_shellPlatform;
inline ShellPlatform& shellPlatform() { return *g_shellPlatform; }

}  // namespace vexlo

#include "launcher/shell_platform_win32.h"

#include "launcher/lockon.h"
#include "launcher/shell_platform.h"

namespace vexlo {
namespace {

LRESULT CALLBACK lowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) {
  if (takeLockOnClick(code, wParam, lParam)) return 1;
  return CallNextHookEx(reinterpret_cast<HHOOK>(g_mouseHook), code, wParam, lParam);
}

class Win32ShellPlatform final : public ShellPlatform {
 public:
  HINSTANCE instance = nullptr;
  HMENU menu = nullptr;

  std::uint32_t menuItemState(std::uint32_t commandId) override {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoW(menu, commandId, FALSE, &info)) return 0;
    return info.fState;
  }

  void setMenuItemState(std::uint32_t commandId, std::uint32_t state) override {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    GetMenuItemInfoW(menu, commandId, FALSE, &info);
    info.fState = state;
    SetMenuItemInfoW(menu, commandId, FALSE, &info);
  }

  HookHandle installMouseHook() override {
    return reinterpret_cast<HookHandle>(SetWindowsHookExW(WH_MOUSE_LL, lowLevelMouseProc, instance, 0));
  }

  void removeMouseHook(HookHandle hook) override { UnhookWindowsHookEx(reinterpret_cast<HHOOK>(hook)); }
};

Win32ShellPlatform g_win32ShellPlatform;

}  // namespace

void installWin32ShellPlatform(HINSTANCE instance, HMENU menu) {
  g_win32ShellPlatform.instance = instance;
  g_win32ShellPlatform.menu = menu;
  g_shellPlatform = &g_win32ShellPlatform;
}

}  // namespace vexlo

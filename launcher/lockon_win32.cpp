// How Windows is asked for lock-on: the item state of the launcher's menu,
// the low-level mouse hook and its procedure. The decisions are lockon.cpp's.
#include "launcher/lockon_win32.h"

#include <windows.h>

#include "launcher/launcher.h"
#include "launcher/lockon.h"

namespace vexlo {
namespace {

HMENU launcherMenu() { return reinterpret_cast<HMENU>(launcher().menu); }

LRESULT CALLBACK lowLevelMouseProc(int code, WPARAM wParam, LPARAM lParam) {
  if (takeLockOnClick(code, wParam, lParam)) return 1;
  return CallNextHookEx(reinterpret_cast<HHOOK>(launcher().mouseHook), code, wParam, lParam);
}

class Win32LockOnPlatform final : public LockOnPlatform {
 public:
  // A menu that failed to load has no items: they read as unchecked.
  std::uint32_t menuItemState(std::uint32_t commandId) override {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoW(launcherMenu(), commandId, FALSE, &info)) return 0;
    return info.fState;
  }

  void setMenuItemState(std::uint32_t commandId, std::uint32_t state) override {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    GetMenuItemInfoW(launcherMenu(), commandId, FALSE, &info);
    info.fState = state;
    SetMenuItemInfoW(launcherMenu(), commandId, FALSE, &info);
  }

  HookHandle installMouseHook() override {
    HINSTANCE module = reinterpret_cast<HINSTANCE>(launcher().module);
    return reinterpret_cast<HookHandle>(SetWindowsHookExW(WH_MOUSE_LL, lowLevelMouseProc, module, 0));
  }

  void removeMouseHook(HookHandle hook) override { UnhookWindowsHookEx(reinterpret_cast<HHOOK>(hook)); }
};

Win32LockOnPlatform g_win32LockOnPlatform;

}  // namespace

LockOnPlatform& win32LockOnPlatform() { return g_win32LockOnPlatform; }

}  // namespace vexlo

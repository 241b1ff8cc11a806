#include <windows.h>

#include "plugin/plugin_platform.h"

namespace vexlo2::platform {

std::uint32_t RegisterMessageName(const wchar_t* name) {
  return RegisterWindowMessageW(name);
}

void ShowWarning(TVTest::HostWindow owner, const wchar_t* text) {
  MessageBoxW(reinterpret_cast<HWND>(owner), text, nullptr, MB_ICONWARNING);
}

}  // namespace vexlo2::platform

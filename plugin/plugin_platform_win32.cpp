#include <windows.h>

#include "plugin/plugin_platform.h"
#include "shared/message_filter_win32.h"

namespace vexlo2::platform {

std::uint32_t RegisterMessageName(const wchar_t* name) {
  return RegisterWindowMessageW(name);
}

void ShowWarning(TVTest::HostWindow owner, const wchar_t* text) {
  MessageBoxW(reinterpret_cast<HWND>(owner), text, nullptr, MB_ICONWARNING);
}

void AllowMessageFromLowerRights(TVTest::HostWindow window, std::uint32_t message) {
  vexlo::allowMessageFromLowerRights(reinterpret_cast<HWND>(window), message);
}

}  // namespace vexlo2::platform

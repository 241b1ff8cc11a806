#pragma once
// The two Windows services the bridge needs. The plugin library provides them
// over Win32 (plugin_platform_win32.cpp); host tests provide a fake.

#include <cstdint>

#include "plugin/tvtest_host.h"

namespace vexlo2::platform {

// RegisterWindowMessageW: the message id for `name`, 0 on failure.
std::uint32_t RegisterMessageName(const wchar_t* name);

// MessageBoxW(owner, text, no caption, MB_ICONWARNING).
void ShowWarning(TVTest::HostWindow owner, const wchar_t* text);

}  // namespace vexlo2::platform

#pragma once
// The Windows services the bridge needs. The plugin library provides them
// over Win32 (plugin_platform_win32.cpp); host tests provide a fake.

#include <cstdint>

#include "plugin/tvtest_host.h"

namespace vexlo2::platform {

// RegisterWindowMessageW: the message id for `name`, 0 on failure.
std::uint32_t RegisterMessageName(const wchar_t* name);

// MessageBoxW(owner, text, no caption, MB_ICONWARNING).
void ShowWarning(TVTest::HostWindow owner, const wchar_t* text);

// Lets `message` through the integrity filter of `window`, so the launcher
// reaches a viewer that runs with more rights; where Windows cannot, nothing
// changes.
void AllowMessageFromLowerRights(TVTest::HostWindow window, std::uint32_t message);

}  // namespace vexlo2::platform

#pragma once
// Lets one window message through the integrity filter (UIPI) of one window,
// so that a process running with fewer rights can still post it there, for
// instance the launcher to a viewer run as administrator.
// ChangeWindowMessageFilterEx exists from Windows 7 on, so it is looked up at
// run time; where it is missing or fails, nothing changes.

#include <windows.h>

namespace vexlo {

inline void allowMessageFromLowerRights(HWND window, UINT message) {
  using ChangeFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
  constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto change = reinterpret_cast<ChangeFilter>(
      reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilterEx")));
  if (change) change(window, message, kAllow, nullptr);
}

}  // namespace vexlo

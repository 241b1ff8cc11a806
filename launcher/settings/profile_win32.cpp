#include "launcher/settings/profile_win32.h"

#include <windows.h>

#include <vector>

namespace vexlo {

std::wstring Win32Profile::readString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                                      std::size_t capacity, const std::wstring& path) {
  if (capacity == 0) return std::wstring();
  std::vector<wchar_t> buffer(capacity, L'\0');
  const DWORD length = GetPrivateProfileStringW(section, key, defaultValue, buffer.data(),
                                                static_cast<DWORD>(capacity), path.c_str());
  return std::wstring(buffer.data(), length < capacity ? length : capacity - 1);
}

void Win32Profile::writeString(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                               const std::wstring& path) {
  WritePrivateProfileStringW(section, key, value, path.c_str());
}

namespace {

Win32Profile g_win32Profile;

}  // namespace

Profile& win32Profile() { return g_win32Profile; }

}  // namespace vexlo

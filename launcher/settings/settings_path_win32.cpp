// The settings path from this program's own module file name.

#include <windows.h>

#include "launcher/settings/settings_store.h"

namespace vexlo {

std::wstring makeSettingsPath() {
  wchar_t name[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, name, MAX_PATH);
  // A name that filled the buffer was cut short: it names the wrong place.
  if (length == 0 || length >= MAX_PATH) return std::wstring();
  return makeSettingsPath(std::wstring(name, length));
}

}  // namespace vexlo

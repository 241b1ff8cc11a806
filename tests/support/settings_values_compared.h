#pragma once
// The nine settings compared and printed as one value, so that a test states
// every one of them at once and a failure shows each that differs.

#include <ostream>
#include <tuple>

#include "launcher/settings/settings_store.h"

namespace vexlo {

inline auto settingsFields(const SettingsValues& v) {
  return std::tie(v.mode, v.ignoreCursor, v.switchByOnair, v.powerOnLaunch, v.viewerPath, v.viewerOptions,
                  v.dialogExpand, v.dialogWidth, v.dialogHeight);
}

inline bool operator==(const SettingsValues& a, const SettingsValues& b) { return settingsFields(a) == settingsFields(b); }

inline void PrintTo(const SettingsValues& v, std::ostream* out) {
  auto narrow = [](const std::wstring& text) { return std::string(text.begin(), text.end()); };
  *out << "{mode " << v.mode << ", ignoreCursor " << v.ignoreCursor << ", switchByOnair " << v.switchByOnair
       << ", powerOnLaunch " << v.powerOnLaunch << ", path \"" << narrow(v.viewerPath) << "\", options \""
       << narrow(v.viewerOptions) << "\", expand " << v.dialogExpand << ", " << v.dialogWidth << " x "
       << v.dialogHeight << "}";
}

}  // namespace vexlo

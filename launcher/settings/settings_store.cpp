#include "launcher/settings/settings_store.h"

#include "launcher/settings/hex_text.h"
#include "launcher/settings/launcher_state.h"
#include "launcher/settings/profile.h"

namespace vexlo {

std::wstring* g_settingsPath = nullptr;

std::int32_t readIntSetting(const wchar_t* key, std::int32_t defaultValue) {
  const std::wstring defaultText = formatHexText(static_cast<std::uint32_t>(defaultValue));
  const std::wstring text =
      profile().readString(kSettingsSection, key, defaultText.c_str(), kIntSettingCapacity, settingsPath());
  return static_cast<std::int32_t>(parseHexText(text));
}

void writeIntSetting(const wchar_t* key, std::int32_t value) {
  const std::wstring text = formatHexText(static_cast<std::uint32_t>(value));
  profile().writeString(kSettingsSection, key, text.c_str(), settingsPath());
}

std::wstring readStringSetting(const wchar_t* key) {
  return profile().readString(kSettingsSection, key, L"", kStringSettingCapacity, settingsPath());
}

void writeStringSetting(const wchar_t* key, const std::wstring& value) {
  profile().writeString(kSettingsSection, key, value.c_str(), settingsPath());
}

void setMode(std::int32_t value) {
  if (value >= 0 && value <= 2) launcherState().mode = value;
}

void setDialogWidth(std::int32_t value) {
  launcherState().dialogWidth = value >= kMinDialogWidth ? value : kMinDialogWidth;
}

void setDialogHeight(std::int32_t value) {
  launcherState().dialogHeight = value >= kMinDialogHeight ? value : kMinDialogHeight;
}

void loadSettings() {
  LauncherState& state = launcherState();
  LauncherSettings& settings = launcherSettings();
  setMode(readIntSetting(kKeyMode, 0));
  state.ignoreCursor = readIntSetting(kKeyIgnoreCursor, 0);
  settings.switchByOnair = readIntSetting(kKeySwitchByOnair, 0);
  settings.powerOnLaunch = readIntSetting(kKeyPowerOnLaunch, 0);
  settings.viewerPath = readStringSetting(kKeyViewerPath);
  settings.viewerOptions = readStringSetting(kKeyViewerOptions);
  state.dialogExpand = readIntSetting(kKeyDialogExpand, 0);
  setDialogWidth(readIntSetting(kKeyDialogWidth, kDefaultDialogWidth));
  setDialogHeight(readIntSetting(kKeyDialogHeight, kDefaultDialogHeight));
}

void saveSettings() {
  const LauncherState& state = launcherState();
  const LauncherSettings& settings = launcherSettings();
  writeIntSetting(kKeyMode, state.mode);
  writeIntSetting(kKeyIgnoreCursor, state.ignoreCursor);
  writeIntSetting(kKeySwitchByOnair, settings.switchByOnair);
  writeIntSetting(kKeyPowerOnLaunch, settings.powerOnLaunch);
  writeStringSetting(kKeyViewerPath, settings.viewerPath);
  writeStringSetting(kKeyViewerOptions, settings.viewerOptions);
  writeIntSetting(kKeyDialogExpand, state.dialogExpand);
  writeIntSetting(kKeyDialogWidth, state.dialogWidth);
  writeIntSetting(kKeyDialogHeight, state.dialogHeight);
}

}  // namespace vexlo

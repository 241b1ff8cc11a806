#include "launcher/settings/settings_store.h"

#include "launcher/launcher.h"
#include "launcher/settings/hex_text.h"
#include "launcher/settings/profile.h"

namespace vexlo {

std::int32_t readIntSetting(const wchar_t* key, std::int32_t defaultValue) {
  const Launcher& l = launcher();
  const std::wstring defaultText = formatHexText(static_cast<std::uint32_t>(defaultValue));
  const std::wstring text =
      l.profile->readString(kSettingsSection, key, defaultText.c_str(), kIntSettingCapacity, l.settingsPath);
  return static_cast<std::int32_t>(parseHexText(text));
}

void writeIntSetting(const wchar_t* key, std::int32_t value) {
  const std::wstring text = formatHexText(static_cast<std::uint32_t>(value));
  launcher().profile->writeString(kSettingsSection, key, text.c_str(), launcher().settingsPath);
}

std::wstring readStringSetting(const wchar_t* key) {
  return launcher().profile->readString(kSettingsSection, key, L"", kStringSettingCapacity, launcher().settingsPath);
}

void writeStringSetting(const wchar_t* key, const std::wstring& value) {
  launcher().profile->writeString(kSettingsSection, key, value.c_str(), launcher().settingsPath);
}

void setMode(std::int32_t value) {
  switch (static_cast<Mode>(value)) {
    case Mode::kHdusEmulation:
    case Mode::kDirectInput:
    case Mode::kDirectInputForegroundOnly:
      launcher().state.mode = static_cast<Mode>(value);
      break;
  }
}

void setDialogWidth(std::int32_t value) {
  launcher().state.dialogWidth = value >= kMinDialogWidth ? value : kMinDialogWidth;
}

void setDialogHeight(std::int32_t value) {
  launcher().state.dialogHeight = value >= kMinDialogHeight ? value : kMinDialogHeight;
}

SettingsValues currentSettings() {
  const LauncherState& state = launcher().state;
  const LauncherSettings& settings = launcher().settings;
  return {static_cast<std::int32_t>(state.mode), state.ignoreCursor, settings.switchByOnair,
          settings.powerOnLaunch, settings.viewerPath, settings.viewerOptions,
          state.dialogExpand, state.dialogWidth, state.dialogHeight};
}

void applySettings(const SettingsValues& values) {
  LauncherState& state = launcher().state;
  LauncherSettings& settings = launcher().settings;
  setMode(values.mode);
  state.ignoreCursor = values.ignoreCursor;
  settings.switchByOnair = values.switchByOnair;
  settings.powerOnLaunch = values.powerOnLaunch;
  settings.viewerPath = values.viewerPath;
  settings.viewerOptions = values.viewerOptions;
  state.dialogExpand = values.dialogExpand;
  setDialogWidth(values.dialogWidth);
  setDialogHeight(values.dialogHeight);
}

void acceptSettings(const SettingsValues& values) {
  if (launcher().running) applySettings(values);
}

void loadSettings() {
  SettingsValues read;
  read.mode = readIntSetting(kKeyMode, 0);
  read.ignoreCursor = readIntSetting(kKeyIgnoreCursor, 0);
  read.switchByOnair = readIntSetting(kKeySwitchByOnair, 0);
  read.powerOnLaunch = readIntSetting(kKeyPowerOnLaunch, 0);
  read.viewerPath = readStringSetting(kKeyViewerPath);
  read.viewerOptions = readStringSetting(kKeyViewerOptions);
  read.dialogExpand = readIntSetting(kKeyDialogExpand, 0);
  read.dialogWidth = readIntSetting(kKeyDialogWidth, kDefaultDialogWidth);
  read.dialogHeight = readIntSetting(kKeyDialogHeight, kDefaultDialogHeight);
  applySettings(read);
}

void prepareSettingsFile(const SettingsValues& values) {
  const Launcher& l = launcher();
  if (l.settingsPath.empty()) return;
  Profile& profile = *l.profile;
  // The integers are hexadecimal digits: only the two texts can hold what the page lacks.
  const bool ansiHoldsEveryValue = profile.ansiHolds(values.viewerPath) && profile.ansiHolds(values.viewerOptions);
  switch (preparationFor(profile.fileText(l.settingsPath), ansiHoldsEveryValue)) {
    case FilePreparation::kCreateUnicode:
      profile.createUnicodeFile(l.settingsPath);
      break;
    case FilePreparation::kConvertToUnicode:
      profile.convertToUnicode(l.settingsPath);
      break;
    case FilePreparation::kNone:
      break;
  }
}

void saveSettings() {
  const SettingsValues values = currentSettings();
  prepareSettingsFile(values);
  writeIntSetting(kKeyMode, values.mode);
  writeIntSetting(kKeyIgnoreCursor, values.ignoreCursor);
  writeIntSetting(kKeySwitchByOnair, values.switchByOnair);
  writeIntSetting(kKeyPowerOnLaunch, values.powerOnLaunch);
  writeStringSetting(kKeyViewerPath, values.viewerPath);
  writeStringSetting(kKeyViewerOptions, values.viewerOptions);
  writeIntSetting(kKeyDialogExpand, values.dialogExpand);
  writeIntSetting(kKeyDialogWidth, values.dialogWidth);
  writeIntSetting(kKeyDialogHeight, values.dialogHeight);
}

}  // namespace vexlo

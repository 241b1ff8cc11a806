#pragma once
// The launcher's settings on disk: section "Vexlo" of "Vexlo.ini" beside the
// executable, nine keys, integers as eight hexadecimal digits. Loaded once
// at window creation and saved once at teardown, through the launcher's
// profile and settings path.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vexlo {

inline constexpr wchar_t kSettingsSection[] = L"Vexlo";
inline constexpr wchar_t kSettingsFileName[] = L"Vexlo.ini";

// Read buffers, in characters with the terminator.
inline constexpr std::size_t kIntSettingCapacity = 64;
inline constexpr std::size_t kStringSettingCapacity = 8192;

// The keys, in the order they are loaded and saved.
inline constexpr wchar_t kKeyMode[] = L"ZIZU_MODE";
inline constexpr wchar_t kKeyIgnoreCursor[] = L"IgnoreCursor";
inline constexpr wchar_t kKeySwitchByOnair[] = L"SwitchTVTestByOnair";
inline constexpr wchar_t kKeyPowerOnLaunch[] = L"TVTestPowerON";
inline constexpr wchar_t kKeyViewerPath[] = L"TVTestPath";
inline constexpr wchar_t kKeyViewerOptions[] = L"TVTestOptions";
inline constexpr wchar_t kKeyDialogExpand[] = L"BFDialogExpand";
inline constexpr wchar_t kKeyDialogWidth[] = L"BFDialogWidth";
inline constexpr wchar_t kKeyDialogHeight[] = L"BFDialogHeight";

inline constexpr std::int32_t kDefaultDialogWidth = 1024;
inline constexpr std::int32_t kDefaultDialogHeight = 800;

// Drive and directory of the module file name (split as _wsplitpath_s does)
// followed by "Vexlo.ini"; an empty or unusable name gives an empty path.
std::wstring makeSettingsPath(const std::wstring& moduleFileName);
// Over Win32 (settings_path_win32.cpp): from this program's own module file name.
std::wstring makeSettingsPath();

std::int32_t readIntSetting(const wchar_t* key, std::int32_t defaultValue);
void writeIntSetting(const wchar_t* key, std::int32_t value);
std::wstring readStringSetting(const wchar_t* key);
void writeStringSetting(const wchar_t* key, const std::wstring& value);

// Rules applied to values on load, and to what the settings dialog accepted.
void setMode(std::int32_t value);         // a Mode's number only; anything else keeps the mode
void setDialogWidth(std::int32_t value);  // never below kMinDialogWidth
void setDialogHeight(std::int32_t value); // never below kMinDialogHeight

// The nine values as the file and the settings dialog hold them, before the
// rules above.
struct SettingsValues {
  std::int32_t mode = 0;
  std::int32_t ignoreCursor = 0;
  std::int32_t switchByOnair = 0;
  std::int32_t powerOnLaunch = 0;
  std::wstring viewerPath;
  std::wstring viewerOptions;
  std::int32_t dialogExpand = 0;
  std::int32_t dialogWidth = 0;
  std::int32_t dialogHeight = 0;
};

SettingsValues currentSettings();
// Into the launcher's record through the rules; flags and texts as given.
void applySettings(const SettingsValues& values);
// What a settings dialog's OK accepted: applied at once while the launcher
// runs; after teardown the saved file is final and nothing changes.
void acceptSettings(const SettingsValues& values);

void loadSettings();
// Before its first write, the file is made one that holds every value as it
// is (settings_file_text.h).
void prepareSettingsFile(const SettingsValues& values);
void saveSettings();

}  // namespace vexlo

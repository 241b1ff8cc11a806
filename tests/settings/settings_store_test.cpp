// The settings store over an in-memory profile: defaults, the rules applied
// on load, the text of integers, table order and round trips.

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "launcher/settings/launcher_state.h"
#include "launcher/settings/settings_store.h"
#include "tests/support/installed_launcher.h"
#include "tests/support/memory_profile.h"
#include "tests/support/settings_keys.h"
#include "tests/support/settings_values_compared.h"

namespace vexlo {
namespace {

const std::wstring kPath = L"C:\\Vexlo\\Vexlo.ini";
// The defaults as the file holds them, key by key: what a missing key reads as, and what saving them writes.
const std::wstring kDefaultTexts[] = {L"00000000", L"00000000", L"00000000", L"00000000", L"",
                                      L"",         L"00000000", L"00000400", L"00000320"};

class Store : public ::testing::Test {
 protected:
  void stored(const wchar_t* key, const std::wstring& value) { profileData.set(kPath, L"Vexlo", key, value); }
  void loadWith(const wchar_t* key, const std::wstring& value) {
    stored(key, value);
    loadSettings();
  }
  std::wstring valueOf(const std::wstring& key) const {
    const test::ProfileEntry* entry = profileData.find(kPath, L"Vexlo", key);
    return entry ? entry->value : L"<absent>";
  }

  test::MemoryProfile profileData;
  test::InstalledLauncher installed{test::Seams{nullptr, nullptr, &profileData, kPath}};
  LauncherState& state = launcher().state;
  LauncherSettings& settings = launcher().settings;
};

TEST_F(Store, StateStartsWithTheMinimumSizes) {
  EXPECT_EQ(state.mode, Mode::kHdusEmulation);
  EXPECT_EQ(state.lockedTarget, 0u);
  EXPECT_EQ(state.dialogWidth, 654);
  EXPECT_EQ(state.dialogHeight, 381);
  EXPECT_TRUE(settings.viewerPath.empty());
  EXPECT_TRUE(settings.viewerOptions.empty());
}

TEST_F(Store, NoFileGivesTheDefaultsAndLoadingAndSavingTakeAllNineKeysInTableOrder) {
  state.mode = Mode::kDirectInputForegroundOnly;  // the file's default replaces nothing it does not name
  loadSettings();
  EXPECT_EQ(currentSettings(), (SettingsValues{0, 0, 0, 0, L"", L"", 0, 1024, 800}));
  EXPECT_FALSE(profileData.hasFile(kPath));

  saveSettings();
  ASSERT_EQ(profileData.reads.size(), std::size(test::kSettingsKeys));
  ASSERT_EQ(profileData.writes.size(), std::size(test::kSettingsKeys));
  for (std::size_t i = 0; i < std::size(test::kSettingsKeys); ++i) {
    SCOPED_TRACE(test::kSettingsKeys[i]);
    const test::ProfileRead& read = profileData.reads[i];
    EXPECT_EQ(read.key, test::kSettingsKeys[i]);
    EXPECT_EQ(read.section, L"Vexlo");
    EXPECT_EQ(read.path, kPath);
    EXPECT_EQ(read.defaultValue, kDefaultTexts[i]);
    const bool isString = i == 4 || i == 5;
    EXPECT_EQ(read.capacity, isString ? 8192u : 64u);
    const test::ProfileEntry& write = profileData.writes[i];
    EXPECT_EQ(write.key, test::kSettingsKeys[i]);
    EXPECT_EQ(write.section, L"Vexlo");
    EXPECT_EQ(write.path, kPath);
    EXPECT_EQ(write.value, kDefaultTexts[i]);
  }
}

TEST_F(Store, EmptyValuesReadAsZeroAndSoAsTheMinimums) {
  state.mode = Mode::kDirectInput;
  for (const wchar_t* key : {L"ZIZU_MODE", L"BFDialogWidth", L"BFDialogHeight", L"BFDialogExpand"}) stored(key, L"");
  loadSettings();
  EXPECT_EQ(state.mode, Mode::kHdusEmulation);
  EXPECT_EQ(state.dialogWidth, 654);
  EXPECT_EQ(state.dialogHeight, 381);
  EXPECT_EQ(state.dialogExpand, 0);
}

TEST_F(Store, SizesBelowTheMinimumsAreRaised) {
  stored(L"BFDialogWidth", L"00000100");     // 256
  loadWith(L"BFDialogHeight", L"FFFFFFFF");  // -1, compared signed
  EXPECT_EQ(state.dialogWidth, 654);
  EXPECT_EQ(state.dialogHeight, 381);

  stored(L"BFDialogWidth", L"80000000");     // the most negative value
  loadWith(L"BFDialogHeight", L"0000017D");  // exactly the minimum
  EXPECT_EQ(state.dialogWidth, 654);
  EXPECT_EQ(state.dialogHeight, 381);

  stored(L"BFDialogWidth", L"0000028F");  // one above
  loadWith(L"BFDialogHeight", L"7FFFFFFF");
  EXPECT_EQ(state.dialogWidth, 655);
  EXPECT_EQ(state.dialogHeight, INT32_MAX);
}

TEST_F(Store, OnlyModesZeroToTwoAreTaken) {
  loadWith(L"ZIZU_MODE", L"00000007");
  EXPECT_EQ(state.mode, Mode::kHdusEmulation);
  loadWith(L"ZIZU_MODE", L"00000002");
  EXPECT_EQ(state.mode, Mode::kDirectInputForegroundOnly);
  for (const wchar_t* bad : {L"00000003", L"FFFFFFFF", L"80000002"}) {
    loadWith(L"ZIZU_MODE", bad);
    EXPECT_EQ(state.mode, Mode::kDirectInputForegroundOnly) << bad;
  }
  loadWith(L"ZIZU_MODE", L"1");
  EXPECT_EQ(state.mode, Mode::kDirectInput);
}

TEST_F(Store, FlagsKeepWhateverValueTheyHold) {
  stored(L"IgnoreCursor", L"1g");            // digit, then a letter beyond F
  stored(L"SwitchTVTestByOnair", L"g1");     // such a letter first
  stored(L"TVTestPowerON", L"0000000a");     // lower case
  stored(L"BFDialogExpand", L"fffffffe");
  loadSettings();
  EXPECT_EQ(state.ignoreCursor, 1);
  EXPECT_EQ(settings.switchByOnair, 0);
  EXPECT_EQ(settings.powerOnLaunch, 10);
  EXPECT_EQ(state.dialogExpand, -2);

  saveSettings();
  EXPECT_EQ(valueOf(L"TVTestPowerON"), L"0000000A");  // written back in upper case
  EXPECT_EQ(valueOf(L"BFDialogExpand"), L"FFFFFFFE");
  EXPECT_EQ(valueOf(L"SwitchTVTestByOnair"), L"00000000");
}

TEST_F(Store, IntegerReadStopsAtItsBuffer) {
  // 70 characters come back as 63; digits past the buffer cannot count.
  loadWith(L"BFDialogWidth", std::wstring(62, L'0') + L"1" + L"2345678");
  EXPECT_EQ(state.dialogWidth, 654);  // only "...01" was seen
  loadWith(L"BFDialogWidth", std::wstring(59, L'0') + L"1000" + L"FFFF");
  EXPECT_EQ(state.dialogWidth, 0x1000);
}

TEST_F(Store, AllNineKeysRoundTripWithExtremeValues) {
  const std::wstring longPath = L"C:\\" + std::wstring(250, L'p') + L"\\T.exe";
  ASSERT_EQ(longPath.size(), 259u);
  const std::wstring longOptions = L"/d " + std::wstring(8188, L'o');
  ASSERT_EQ(longOptions.size(), 8191u);

  // Each one within the rules, so that what is saved is what was set.
  const std::vector<SettingsValues> cases = {
      {0, 0, 0, 0, L"", L"", 0, 654, 381},
      {1, -1, -1, -1, longPath, longOptions, -1, INT32_MAX, INT32_MAX},
      {2, INT32_MAX, 1, 1, L"D:\\テレビ\\TVTest.exe", L"/ch 1 /nd /mute 「地デジ」", 1, 1920, 1080},
      {2, INT32_MIN, INT32_MIN, INT32_MAX, L"x", L" spaced ", INT32_MIN, 655, 382},
  };
  for (const SettingsValues& c : cases) {
    applySettings(c);
    saveSettings();
    state = LauncherState{};
    settings = LauncherSettings{};
    loadSettings();
    EXPECT_EQ(currentSettings(), c);
    EXPECT_EQ(state.lockedTarget, 0u);
  }
}

// Before the first of its nine writes, a file is made one that holds every
// value as it is: a new file always, an ANSI one only when a value needs it.
TEST_F(Store, SavingMakesTheFileUnicodeOnlyWhereAValueWouldBeLost) {
  const struct {
    const char* file;
    std::optional<FileText> before;  // none: no file
    std::wstring path, options;
    const wchar_t* change;  // none: the file stays as it is
  } cases[] = {
      {"new", std::nullopt, L"C:\\TVTest\\TVTest.exe", L"", L"create"},
      {"ANSI, Japanese", FileText::kAnsi, L"C:\\\u30C6\u30EC\u30D3\\TVTest.exe", L"/ch 1", nullptr},
      {"ANSI, emoji", FileText::kAnsi, L"C:\\\U0001F4FA\\TVTest.exe", L"", L"convert"},
      {"ANSI, accent", FileText::kAnsi, L"C:\\TVTest.exe", L"/d Caf\u00E9.dll", L"convert"},
      {"Unicode", FileText::kUnicode, L"C:\\\U00020BB7\\TVTest.exe", L"", nullptr},
      {"held by another program", FileText::kUnreadable, L"C:\\\U0001F4FA\\TVTest.exe", L"", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    profileData = test::MemoryProfile{};
    if (c.before) {
      stored(L"ZIZU_MODE", L"00000001");
      profileData.texts[kPath] = *c.before;
    }
    settings.viewerPath = c.path;
    settings.viewerOptions = c.options;
    saveSettings();
    EXPECT_EQ(profileData.writes.size(), std::size(test::kSettingsKeys));
    if (!c.change) {
      EXPECT_TRUE(profileData.fileChanges.empty());
      continue;
    }
    ASSERT_EQ(profileData.fileChanges.size(), 1u);
    EXPECT_EQ(profileData.fileChanges[0].what, c.change);
    EXPECT_EQ(profileData.fileChanges[0].path, kPath);
    EXPECT_EQ(profileData.fileChanges[0].writesBefore, 0u);
    EXPECT_EQ(valueOf(L"TVTestPath"), c.path);
  }

  // Without a path (the module's name could not be read) no file is made.
  profileData = test::MemoryProfile{};
  launcher().settingsPath.clear();
  saveSettings();
  EXPECT_TRUE(profileData.fileChanges.empty());
}

TEST_F(Store, SettersApplyTheirRules) {
  for (const auto& [value, expected] : {std::pair{653, 654}, std::pair{-100000, 654}, std::pair{654, 654}}) {
    setDialogWidth(value);
    EXPECT_EQ(state.dialogWidth, expected) << value;
  }
  for (const auto& [value, expected] : {std::pair{380, 381}, std::pair{INT32_MIN, 381}, std::pair{2000, 2000}}) {
    setDialogHeight(value);
    EXPECT_EQ(state.dialogHeight, expected) << value;
  }
  setMode(1);
  setMode(-1);
  EXPECT_EQ(state.mode, Mode::kDirectInput);
}

}  // namespace
}  // namespace vexlo

// The settings store over Windows' real private-profile functions, with a
// real file in a temporary directory.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "launcher/settings/decimal_text.h"
#include "launcher/settings/launcher_state.h"
#include "launcher/settings/profile_win32.h"
#include "launcher/settings/settings_store.h"
#include "tests/support/installed_launcher.h"
#include "tests/support/settings_keys.h"
#include "tests/support/settings_values_compared.h"
#include "tests/support/wine_files.h"

namespace vexlo {
namespace {

// The file the store writes: UTF-16 with its mark, the nine keys in their order with these values.
std::wstring savedFile(const std::vector<std::wstring>& values) {
  std::wstring text = L"\uFEFF[Vexlo]\r\n";
  for (std::size_t i = 0; i < values.size(); ++i) text += test::kSettingsKeys[i] + (L"=" + values[i]) + L"\r\n";
  return text;
}

class StoreOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test::fileExists(scratch.path()));
    path = scratch.file(L"Vexlo.ini");
  }

  test::ScratchDirectory scratch{L"vexlo-settings"};
  Win32Profile profileImpl;
  test::InstalledLauncher installed{test::Seams{nullptr, nullptr, &profileImpl}};
  std::wstring& path = launcher().settingsPath;
  LauncherState& state = launcher().state;
  LauncherSettings& settings = launcher().settings;
};

TEST_F(StoreOnWindows, NoFileGivesDefaultsAndTheFirstWriteCreatesIt) {
  loadSettings();
  EXPECT_EQ(state.mode, Mode::kHdusEmulation);
  EXPECT_EQ(state.dialogWidth, 1024);
  EXPECT_EQ(state.dialogHeight, 800);
  EXPECT_EQ(settings.viewerPath, L"");
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);

  // A new file is UTF-16, so that it holds any character a value may have.
  saveSettings();
  EXPECT_EQ(test::readUtf16File(path), savedFile({L"00000000", L"00000000", L"00000000", L"00000000", L"", L"",
                                                  L"00000000", L"00000400", L"00000320"}));
}

TEST_F(StoreOnWindows, SavedValuesAreWrittenAsText) {
  applySettings({1, 1, 1, -1, L"C:\\TVTest\\TVTest.exe", L"/d BonDriver_PT3.dll /ch 27", 1, 1280, 0x7FFFFFFF});
  saveSettings();
  EXPECT_EQ(test::readUtf16File(path),
            savedFile({L"00000001", L"00000001", L"00000001", L"FFFFFFFF", L"C:\\TVTest\\TVTest.exe",
                       L"/d BonDriver_PT3.dll /ch 27", L"00000001", L"00000500", L"7FFFFFFF"}));
}

TEST_F(StoreOnWindows, HandWrittenOddValuesReadAsTheRulesSay) {
  ASSERT_TRUE(test::writeFileBytes(path,
             "[Other]\r\n"
             "ZIZU_MODE=00000001\r\n"
             "[Vexlo]\r\n"
             "ZIZU_MODE=00000007\r\n"
             "IgnoreCursor=1g\r\n"
             "SwitchTVTestByOnair=g1\r\n"
             "TVTestPowerON=0000000a\r\n"
             "TVTestPath=C:\\TV\\TVTest.exe\r\n"
             "TVTestOptions=/d BonDriver.dll\r\n"
             "BFDialogExpand=\r\n"
             "BFDialogWidth=100\r\n"
             "BFDialogHeight=ffffffff\r\n"));
  state.mode = Mode::kDirectInputForegroundOnly;
  loadSettings();
  // 7 is no mode: the mode stays.
  EXPECT_EQ(currentSettings(),
            (SettingsValues{2, 1, 0, 10, L"C:\\TV\\TVTest.exe", L"/d BonDriver.dll", 0, 654, 381}));
}

TEST_F(StoreOnWindows, EmptyValuesAreZeroAndAbsentKeysTheirDefaults) {
  ASSERT_TRUE(test::writeFileBytes(path,
             "[Vexlo]\r\n"
             "ZIZU_MODE=\r\n"
             "BFDialogWidth=\r\n"));
  state.mode = Mode::kDirectInput;
  loadSettings();
  EXPECT_EQ(state.mode, Mode::kHdusEmulation);
  EXPECT_EQ(state.dialogWidth, 654);
  EXPECT_EQ(state.dialogHeight, 800);
}

TEST_F(StoreOnWindows, IntegerTextBeyondItsBufferIsNotSeen) {
  // 64 characters: the 63 that fit end in "1", the last digit is cut off.
  ASSERT_TRUE(test::writeFileBytes(path, "[Vexlo]\r\nBFDialogWidth=" + std::string(62, '0') + "1F\r\n"
                   "BFDialogHeight=" + std::string(59, '0') + "1000F\r\n"));
  loadSettings();
  EXPECT_EQ(state.dialogWidth, 654);
  EXPECT_EQ(state.dialogHeight, 0x1000);
}

TEST_F(StoreOnWindows, ExtremeValuesAndJapaneseTextRoundTripThroughTheFile) {
  const std::wstring longPath = L"C:\\" + std::wstring(250, L'p') + L"\\T.exe";
  const std::wstring longOptions = L"/d " + std::wstring(8188, L'o');
  const SettingsValues extreme{2, -1, INT32_MIN, INT32_MAX, longPath, longOptions, 0, INT32_MAX, 655};
  applySettings(extreme);
  saveSettings();

  state = LauncherState{};
  settings = LauncherSettings{};
  loadSettings();
  EXPECT_EQ(settings.viewerOptions.size(), 8191u);
  EXPECT_EQ(currentSettings(), extreme);

  // A file that starts with the UTF-16 byte-order mark is read and written as UTF-16.
  ASSERT_TRUE(test::writeFileBytes(path, std::string("\xFF\xFE", 2)));
  settings.viewerPath = L"D:\\テレビ\\TVTest.exe";
  settings.viewerOptions = L"/ch 1 「地デジ」";
  saveSettings();
  settings = LauncherSettings{};
  loadSettings();
  EXPECT_EQ(settings.viewerPath, L"D:\\テレビ\\TVTest.exe");
  EXPECT_EQ(settings.viewerOptions, L"/ch 1 「地デジ」");
}

// The dialog's size text is read as the runtime's _wtoi reads it: every
// character as white space before a digit, and as a digit after one.
TEST(DecimalTextOnWindows, EveryCharacterReadsAsTheRuntimesWtoiReadsIt) {
  std::vector<unsigned> differing;
  for (unsigned code = 1; code <= 0xFFFF; ++code) {
    const wchar_t c = static_cast<wchar_t>(code);
    for (const std::wstring& text : {std::wstring{c, L'7'}, std::wstring{L'7', c}}) {
      if (parseDecimalText(text) != _wtoi(text.c_str())) differing.push_back(code);
    }
  }
  EXPECT_EQ(differing, std::vector<unsigned>{});
}

TEST(SettingsPathOnWindows, IsTheProgramDirectoryPlusVexloIni) {
  wchar_t module[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
  ASSERT_GT(length, 0u);
  ASSERT_LT(length, static_cast<DWORD>(MAX_PATH));
  std::wstring expected(module, length);
  expected.erase(expected.find_last_of(L'\\') + 1);
  expected += L"Vexlo.ini";

  const std::wstring made = makeSettingsPath();
  EXPECT_EQ(made, expected);
  const std::wstring dirOfMade = made.substr(0, made.size() - 9);
  const DWORD attributes = GetFileAttributesW(dirOfMade.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
}  // namespace vexlo

// Settings text that the ANSI code page cannot hold, through the real
// Vexlo.exe: typed into its dialog, saved at exit, read back at the next
// start. Code page 932 holds Japanese but not an emoji, "𠮷" or "é".

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/settings/settings_dialog_ids.h"
#include "tests/support/dialog_controls.h"
#include "tests/support/launcher_process.h"
#include "tests/support/wine_files.h"

namespace vexlo::test {
namespace {

const std::wstring kUnicodePath = L"C:\\テレビ\\\U0001F4FA\U00020BB7\\TVTest.exe";
const std::wstring kUnicodeOptions = L"/d BonDriver_Caf\u00E9.dll";
const std::string kUtf16Mark = "\xFF\xFE";
constexpr wchar_t kMarkCharacter = 0xFEFF;

std::string inAnsiCodePage(const std::wstring& text) {
  const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
  return bytes;
}

std::vector<std::wstring> linesOf(const std::wstring& text) {
  std::vector<std::wstring> lines;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = text.find(L"\r\n", at);
    lines.push_back(text.substr(at, end - at));
    at = end == std::wstring::npos ? text.size() : end + 2;
  }
  return lines;
}

class SettingsText : public ::testing::Test {
 protected:
  // Types the path and options into the dialog, takes them with OK and exits by the menu.
  void saveThroughTheDialog(const std::wstring& path, const std::wstring& options) {
    ASSERT_TRUE(launcher.start()) << "no hidden main window";
    HWND dialog = launcher.openSettings();
    ASSERT_NE(dialog, nullptr);
    setControlText(dialog, IDC_VIEWER_PATH, path);
    setControlText(dialog, IDC_VIEWER_OPTIONS, options);
    ASSERT_TRUE(clickAndWaitClosed(dialog, IDOK));
    ASSERT_EQ(launcher.exitByCommand(), 0u);
  }

  void expectShownAtTheNextStart(const std::wstring& path, const std::wstring& options) {
    ASSERT_TRUE(launcher.start()) << "no hidden main window";
    HWND dialog = launcher.openSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(controlText(dialog, IDC_VIEWER_PATH), path);
    EXPECT_EQ(controlText(dialog, IDC_VIEWER_OPTIONS), options);
    ASSERT_TRUE(clickAndWaitClosed(dialog, IDCANCEL));
    EXPECT_EQ(launcher.exitByCommand(), 0u);
  }

  LauncherProcess launcher{windowsPath(VEXLO_EXE), L"vexlo settings text"};
};

TEST_F(SettingsText, ANewFileIsUtf16AndKeepsWhatTheCodePageLacks) {
  ASSERT_FALSE(fileExists(launcher.ini()));
  saveThroughTheDialog(kUnicodePath, kUnicodeOptions);
  EXPECT_EQ(readTextFile(launcher.ini()).substr(0, 2), kUtf16Mark);
  EXPECT_EQ(launcher.iniValue(L"TVTestPath"), kUnicodePath);
  EXPECT_EQ(launcher.iniValue(L"TVTestOptions"), kUnicodeOptions);
  expectShownAtTheNextStart(kUnicodePath, kUnicodeOptions);
}

// A file written by hand, or by an earlier launcher, stays in the code page
// while its values fit; the first value that does not turns the whole file,
// every section and line of it, into UTF-16 before it is written.
TEST_F(SettingsText, AnAnsiFileStaysSoUntilAValueNeedsMoreThenKeepsEveryLine) {
  const std::wstring byHand =
      L"; \u624B\u3067\u66F8\u3044\u305F\r\n[Other]\r\n\u540D\u524D=\u5024\r\n\r\n[Vexlo]\r\nZIZU_MODE=00000001\r\n"
      L"TVTestPath=C:\\\u30C6\u30EC\u30D3\\TVTest.exe\r\n[Last]\r\nkey=\u6B8B\u308B\r\n";
  ASSERT_EQ(GetACP(), 932u) << "the file by hand is Japanese: this world is to be a Japanese Windows";
  ASSERT_TRUE(writeFileBytes(launcher.ini(), inAnsiCodePage(byHand)));

  const std::wstring japanese = L"D:\\\u30C6\u30EC\u30D3\\TVTest.exe";
  saveThroughTheDialog(japanese, L"/ch 1");
  EXPECT_NE(readTextFile(launcher.ini()).substr(0, 2), kUtf16Mark) << "a file whose values fit was converted";
  EXPECT_EQ(launcher.iniValue(L"TVTestPath"), japanese);

  saveThroughTheDialog(kUnicodePath, kUnicodeOptions);
  const std::wstring converted = readUtf16File(launcher.ini());
  ASSERT_FALSE(converted.empty());
  EXPECT_EQ(converted[0], kMarkCharacter);
  // Every line not rewritten by the launcher is there, in its order.
  std::size_t at = 0;
  for (const std::wstring& line : linesOf(byHand)) {
    if (line.rfind(L"TVTestPath=", 0) == 0) continue;
    at = converted.find(line, at);
    ASSERT_NE(at, std::wstring::npos) << "lost: " << utf8(line) << "\nfile:\n" << utf8(converted);
  }
  EXPECT_EQ(iniValue(launcher.ini(), L"ZIZU_MODE"), L"00000001");
  expectShownAtTheNextStart(kUnicodePath, kUnicodeOptions);
  wchar_t other[16] = {};
  GetPrivateProfileStringW(L"Other", L"\u540D\u524D", L"", other, 16, launcher.ini().c_str());
  EXPECT_STREQ(other, L"\u5024");
}

}  // namespace
}  // namespace vexlo::test

// The settings file's text form: how its first bytes are taken, and the
// bytes of a file converted to UTF-16.

#include <gtest/gtest.h>

#include <string>

#include "launcher/settings/settings_file_text.h"

namespace vexlo {
namespace {

TEST(SettingsFileText, AByteOrderMarkMakesAFileUnicodeAndAnythingElseAnsi) {
  EXPECT_EQ(fileTextOf("\xFF\xFE["), FileText::kUnicode);
  EXPECT_EQ(fileTextOf("\xFE\xFF"), FileText::kUnicode);
  EXPECT_EQ(fileTextOf("\xEF\xBB\xBF["), FileText::kUnicode);
  // What an earlier launcher, or a user's editor, wrote without one.
  EXPECT_EQ(fileTextOf("[Ve"), FileText::kAnsi);
  EXPECT_EQ(fileTextOf(""), FileText::kAnsi);
  EXPECT_EQ(fileTextOf("\xFF"), FileText::kAnsi);
  EXPECT_EQ(fileTextOf("\xEF\xBB["), FileText::kAnsi);
  EXPECT_EQ(fileTextOf("\x83\x65\x83"), FileText::kAnsi);  // "テ" in code page 932
}

TEST(SettingsFileText, OnlyAMissingFileOrAnAnsiFileThatCannotHoldAValueChanges) {
  EXPECT_EQ(preparationFor(FileText::kNone, true), FilePreparation::kCreateUnicode);
  EXPECT_EQ(preparationFor(FileText::kNone, false), FilePreparation::kCreateUnicode);
  EXPECT_EQ(preparationFor(FileText::kAnsi, true), FilePreparation::kNone);
  EXPECT_EQ(preparationFor(FileText::kAnsi, false), FilePreparation::kConvertToUnicode);
  EXPECT_EQ(preparationFor(FileText::kUnicode, false), FilePreparation::kNone);
  EXPECT_EQ(preparationFor(FileText::kUnreadable, false), FilePreparation::kNone);
}

// Little-endian 16-bit units after the mark; what lies beyond them as pairs.
TEST(SettingsFileText, AConvertedFileIsTheMarkThenEveryCharacterAsItWas) {
  EXPECT_EQ(unicodeFileBytes(L""), std::string("\xFF\xFE"));
  EXPECT_EQ(unicodeFileBytes(L"a\r\n\u30C6"), std::string("\xFF\xFE" "a\0\r\0\n\0\xC6\x30", 10));
  // U+1F600 and U+20BB7 ("𠮷") as surrogate pairs; one whole wchar_t or two halves alike.
  const std::wstring beyond = std::wstring(L"\U0001F600") + L"\U00020BB7";
  EXPECT_EQ(unicodeFileBytes(beyond), std::string("\xFF\xFE\x3D\xD8\x00\xDE\x42\xD8\xB7\xDF", 10));

  // Every line of every section, comments and blank lines included, and no final line break.
  const std::wstring file =
      L"; kept\r\n[Other]\r\nkey=\u5024\r\n\r\n[Vexlo]\r\nZIZU_MODE=00000001\r\nTVTestPath=C:\\\u30C6\u30EC\u30D3";
  const std::string bytes = unicodeFileBytes(file);
  ASSERT_EQ(bytes.size(), 2 + 2 * file.size());
  std::wstring back;
  for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
    back += static_cast<wchar_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
  }
  EXPECT_EQ(back, file);
}

}  // namespace
}  // namespace vexlo

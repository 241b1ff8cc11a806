// Decimal text read as _wtoi reads it, saturating instead of overflowing.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "launcher/settings/decimal_text.h"

namespace vexlo {
namespace {

TEST(DecimalText, ReadsDigitsAfterSpaceAndSignUpToTheFirstOtherCharacterAndNoDigitsAsZero) {
  EXPECT_EQ(parseDecimalText(L"1024"), 1024);
  EXPECT_EQ(parseDecimalText(L"  \t\r\n\v\f800"), 800);
  EXPECT_EQ(parseDecimalText(L"+654"), 654);
  EXPECT_EQ(parseDecimalText(L"-381"), -381);
  EXPECT_EQ(parseDecimalText(L"0007"), 7);
  EXPECT_EQ(parseDecimalText(L"12px"), 12);
  EXPECT_EQ(parseDecimalText(L"1 2"), 1);
  EXPECT_EQ(parseDecimalText(L"3.9"), 3);
  EXPECT_EQ(parseDecimalText(L""), 0);
  EXPECT_EQ(parseDecimalText(L"   "), 0);
  EXPECT_EQ(parseDecimalText(L"-"), 0);
  EXPECT_EQ(parseDecimalText(L"+-5"), 0);
  EXPECT_EQ(parseDecimalText(L"- 5"), 0);
  EXPECT_EQ(parseDecimalText(L"abc"), 0);
  EXPECT_EQ(parseDecimalText(L"\x3000"), 0);
}

// What a Japanese input method types: full-width digits, often after an
// ideographic space. The runtime's _wtoi reads both.
TEST(DecimalText, ReadsWideSpaceAndTheDigitsOfEveryScriptAsWtoiDoes) {
  EXPECT_EQ(parseDecimalText(L"\xFF11\xFF10\xFF12\xFF14"), 1024);
  EXPECT_EQ(parseDecimalText(L"\x3000\x3000" L"800"), 800);
  EXPECT_EQ(parseDecimalText(L"\x3000-\xFF13\xFF18\xFF11"), -381);
  EXPECT_EQ(parseDecimalText(L"1\xFF10" L"2\xFF14"), 1024);
  EXPECT_EQ(parseDecimalText(L"\x0967\x0E59\x1810\x0669"), 1909);  // Devanagari, Thai, Mongolian, Arabic-Indic
  // The rest of iswspace's white space: no-break, typographic, separators.
  EXPECT_EQ(parseDecimalText(L"\x00A0\x1680\x2000\x200A\x2028\x2029\x202F\x205F" L"7"), 7);
  EXPECT_EQ(parseDecimalText(std::wstring(29, L'\x3000') + L"\xFF19"), 9);
  EXPECT_EQ(parseDecimalText(std::wstring(30, L'\xFF19')), INT32_MAX);
  // Next to them, but neither space, sign nor digit.
  EXPECT_EQ(parseDecimalText(L"\xFF0F" L"5"), 0);   // full-width solidus, just below zero
  EXPECT_EQ(parseDecimalText(L"\xFF11\xFF1A" L"5"), 1);  // full-width colon, just above nine
  EXPECT_EQ(parseDecimalText(L"\xFF0B" L"5"), 0);   // full-width plus
  EXPECT_EQ(parseDecimalText(L"\x200B" L"5"), 0);   // zero-width space
  EXPECT_EQ(parseDecimalText(L"\x0085" L"5"), 0);   // next line
  EXPECT_EQ(parseDecimalText(L"\xFEFF" L"5"), 0);   // byte order mark
}

TEST(DecimalText, EndsOfTheRangeAreExactAndBeyondThemItSaturates) {
  EXPECT_EQ(parseDecimalText(L"2147483647"), INT32_MAX);
  EXPECT_EQ(parseDecimalText(L"-2147483648"), INT32_MIN);
  EXPECT_EQ(parseDecimalText(L"-2147483647"), -INT32_MAX);
  EXPECT_EQ(parseDecimalText(L"2147483648"), INT32_MAX);
  EXPECT_EQ(parseDecimalText(L"-2147483649"), INT32_MIN);
  EXPECT_EQ(parseDecimalText(L"4294967296"), INT32_MAX);  // would wrap to 0 in 32 bits
  EXPECT_EQ(parseDecimalText(L"4294967950"), INT32_MAX);  // would wrap to 654
  EXPECT_EQ(parseDecimalText(std::wstring(30, L'9')), INT32_MAX);
  EXPECT_EQ(parseDecimalText(L"-" + std::wstring(29, L'9')), INT32_MIN);
  EXPECT_EQ(parseDecimalText(std::wstring(25, L'0') + L"12345"), 12345);
}

}  // namespace
}  // namespace vexlo

// Decimal text read as _wtoi reads it, saturating instead of overflowing.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "launcher/settings/decimal_text.h"

namespace vexlo {
namespace {

TEST(DecimalText, ReadsDigitsAfterSpaceAndSign) {
  EXPECT_EQ(parseDecimalText(L"1024"), 1024);
  EXPECT_EQ(parseDecimalText(L"  \t\r\n\v\f800"), 800);
  EXPECT_EQ(parseDecimalText(L"+654"), 654);
  EXPECT_EQ(parseDecimalText(L"-381"), -381);
  EXPECT_EQ(parseDecimalText(L"0007"), 7);
}

TEST(DecimalText, StopsAtTheFirstOtherCharacter) {
  EXPECT_EQ(parseDecimalText(L"12px"), 12);
  EXPECT_EQ(parseDecimalText(L"1 2"), 1);
  EXPECT_EQ(parseDecimalText(L"3.9"), 3);
  EXPECT_EQ(parseDecimalText(L"\xFF11\xFF12"), 0);  // full-width digits are not digits
}

TEST(DecimalText, NoDigitsGiveZero) {
  EXPECT_EQ(parseDecimalText(L""), 0);
  EXPECT_EQ(parseDecimalText(L"   "), 0);
  EXPECT_EQ(parseDecimalText(L"-"), 0);
  EXPECT_EQ(parseDecimalText(L"+-5"), 0);
  EXPECT_EQ(parseDecimalText(L"- 5"), 0);
  EXPECT_EQ(parseDecimalText(L"abc"), 0);
  EXPECT_EQ(parseDecimalText(L"\x3000" L"5"), 0);  // ideographic space is not C-locale space
}

TEST(DecimalText, EndsOfTheRangeAreExact) {
  EXPECT_EQ(parseDecimalText(L"2147483647"), INT32_MAX);
  EXPECT_EQ(parseDecimalText(L"-2147483648"), INT32_MIN);
  EXPECT_EQ(parseDecimalText(L"-2147483647"), -INT32_MAX);
}

TEST(DecimalText, SaturatesBeyondTheRange) {
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

// The eight-digit hexadecimal text of integer settings.

#include <gtest/gtest.h>

#include "launcher/settings/hex_text.h"

namespace vexlo {
namespace {

TEST(HexText, WritesEightUpperCaseDigits) {
  EXPECT_EQ(formatHexText(0), L"00000000");
  EXPECT_EQ(formatHexText(1024), L"00000400");
  EXPECT_EQ(formatHexText(0xFFFFFFFFu), L"FFFFFFFF");
  EXPECT_EQ(formatHexText(0x7FFFFFFFu), L"7FFFFFFF");
  EXPECT_EQ(formatHexText(0x1234ABCDu), L"1234ABCD");
  EXPECT_EQ(formatHexText(0x0A0B0C0Du), L"0A0B0C0D");
}

TEST(HexText, ReadsEitherCaseUpToTheFirstOtherCharacterAsciiOrNotAndNoDigitsAsZero) {
  EXPECT_EQ(parseHexText(L"00000400"), 1024u);
  EXPECT_EQ(parseHexText(L"abcdef12"), 0xABCDEF12u);
  EXPECT_EQ(parseHexText(L"AbCdEf12"), 0xABCDEF12u);
  EXPECT_EQ(parseHexText(L"1g"), 1u);
  EXPECT_EQ(parseHexText(L"3 4"), 3u);
  EXPECT_EQ(parseHexText(L"400 "), 0x400u);
  EXPECT_EQ(parseHexText(L"100"), 256u);  // fewer than eight digits is fine
  EXPECT_EQ(parseHexText(L""), 0u);
  EXPECT_EQ(parseHexText(L"g1"), 0u);
  EXPECT_EQ(parseHexText(L" 1"), 0u);
  EXPECT_EQ(parseHexText(L"-1"), 0u);
  EXPECT_EQ(parseHexText(L"0x10"), 0u);  // no prefix: stops at the x
  // Full-width digits and letters look like digits but are not.
  EXPECT_EQ(parseHexText(L"\xFF11"), 0u);
  EXPECT_EQ(parseHexText(L"4\xFF21"), 4u);
  EXPECT_EQ(parseHexText(std::wstring_view(L"5\0" L"6", 3)), 5u);
}

TEST(HexText, LongTextWrapsModulo32Bits) {
  EXPECT_EQ(parseHexText(L"123456789"), 0x23456789u);
  EXPECT_EQ(parseHexText(L"FFFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(parseHexText(L"10000000000000001"), 1u);
}

TEST(HexText, RoundTripsEveryBitPattern) {
  for (std::uint32_t v : {0u, 1u, 0x80000000u, 0xDEADBEEFu, 0xFFFFFFFEu, 0x0000000Fu}) {
    EXPECT_EQ(parseHexText(formatHexText(v)), v);
  }
}

}  // namespace
}  // namespace vexlo

#include "launcher/settings/decimal_text.h"

#include <cstdint>

namespace vexlo {

namespace {

// The white space of the runtime's iswspace: the C locale's, the no-break
// spaces, the typographic spaces and separators, and the ideographic space
// an input method types.
bool isSpace(wchar_t c) {
  return (c >= L'\t' && c <= L'\r') || c == L' ' || c == 0x00A0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) ||
         c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

// The zero of each run of ten decimal digits that _wtoi reads: ASCII, the
// Arabic-Indic and Indic scripts, Thai, Lao, Tibetan, Myanmar, Khmer,
// Mongolian, and the full-width forms.
constexpr std::uint16_t kDigitZeros[] = {0x0030, 0x0660, 0x06F0, 0x0966, 0x09E6, 0x0A66, 0x0AE6, 0x0B66, 0x0C66,
                                         0x0CE6, 0x0D66, 0x0E50, 0x0ED0, 0x0F20, 0x1040, 0x17E0, 0x1810, 0xFF10};

// The digit's value, or -1 for any other character.
int digitValue(wchar_t c) {
  const auto code = static_cast<std::uint32_t>(c);
  for (std::uint32_t zero : kDigitZeros) {
    if (code >= zero && code < zero + 10) return static_cast<int>(code - zero);
  }
  return -1;
}

}  // namespace

std::int32_t parseDecimalText(std::wstring_view text) {
  std::size_t i = 0;
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    negative = text[i] == L'-';
    ++i;
  }
  // Magnitude up to one past INT32_MAX: enough to tell both ends apart, and
  // clamping as we go keeps any number of digits from overflowing.
  constexpr std::int64_t kLimit = std::int64_t{INT32_MAX} + 1;
  std::int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const int digit = digitValue(text[i]);
    if (digit < 0) break;
    magnitude = magnitude * 10 + digit;
    if (magnitude > kLimit) magnitude = kLimit;
  }
  if (negative) return static_cast<std::int32_t>(-magnitude);  // -kLimit is INT32_MIN
  return static_cast<std::int32_t>(magnitude < kLimit ? magnitude : INT32_MAX);
}

}  // namespace vexlo

#include "launcher/settings/decimal_text.h"

#include <cstdint>

namespace vexlo {

namespace {

// The white space of the C locale.
bool isSpace(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
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
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - L'0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  if (negative) return static_cast<std::int32_t>(-magnitude);  // -kLimit is INT32_MIN
  return static_cast<std::int32_t>(magnitude < kLimit ? magnitude : INT32_MAX);
}

}  // namespace vexlo

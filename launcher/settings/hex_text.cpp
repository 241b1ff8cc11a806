#include "launcher/settings/hex_text.h"

namespace vexlo {

namespace {

// -1 for a character that is not a hexadecimal digit.
int hexDigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

std::wstring formatHexText(std::uint32_t value) {
  std::wstring text(kHexTextDigits, L'0');
  for (std::size_t i = kHexTextDigits; i-- > 0; value >>= 4) {
    const unsigned digit = value & 0xF;
    text[i] = static_cast<wchar_t>(digit < 10 ? L'0' + digit : L'A' + (digit - 10));
  }
  return text;
}

std::uint32_t parseHexText(std::wstring_view text) {
  std::uint32_t value = 0;
  for (wchar_t c : text) {
    const int digit = hexDigitValue(c);
    if (digit < 0) break;
    value = value * 16 + static_cast<std::uint32_t>(digit);  // unsigned: wraps modulo 2^32
  }
  return value;
}

}  // namespace vexlo

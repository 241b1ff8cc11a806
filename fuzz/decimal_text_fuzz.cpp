// Any UTF-16 text of up to 64 characters typed as a dialog size, checked
// against strtoll clamped to 32 bits. ASCII goes to strtoll as it is; any
// other character goes as what the parser makes of it alone (a digit after
// "1", white space before "7", else a letter), so the whole text must read
// as its characters do one by one.

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "launcher/settings/decimal_text.h"

namespace {

char asNarrow(wchar_t c) {
  using vexlo::parseDecimalText;
  if (c < 0x80) return static_cast<char>(c);
  const std::int32_t afterOne = parseDecimalText(std::wstring{L'1', c});
  if (afterOne >= 10) return static_cast<char>('0' + afterOne - 10);
  if (parseDecimalText(std::wstring{c, L'7'}) == 7) return ' ';
  return 'x';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  std::string narrow;
  for (std::size_t i = 0; i + 1 < size && text.size() < 64; i += 2) {
    const wchar_t c = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    text.push_back(c);
    narrow.push_back(asNarrow(c));  // NUL ends both
  }
  const std::int32_t value = vexlo::parseDecimalText(text);

  errno = 0;
  long long reference = std::strtoll(narrow.c_str(), nullptr, 10);  // saturates at the 64-bit ends
  if (reference > INT32_MAX) reference = INT32_MAX;
  if (reference < INT32_MIN) reference = INT32_MIN;
  if (value != reference) __builtin_trap();
  return 0;
}

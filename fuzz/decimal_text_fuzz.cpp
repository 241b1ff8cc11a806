// Any UTF-16 text of up to 64 characters typed as a dialog size, checked
// against strtoll clamped to 32 bits.

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "launcher/settings/decimal_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vexlo;
  std::wstring text;
  std::string narrow;
  for (std::size_t i = 0; i + 1 < size && text.size() < 64; i += 2) {
    const wchar_t c = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    text.push_back(c);
    // Non-ASCII characters are neither space, sign nor digit; NUL ends both.
    narrow.push_back(c < 0x80 ? static_cast<char>(c) : 'x');
  }
  const std::int32_t value = parseDecimalText(text);

  errno = 0;
  long long reference = std::strtoll(narrow.c_str(), nullptr, 10);  // saturates at the 64-bit ends
  if (reference > INT32_MAX) reference = INT32_MAX;
  if (reference < INT32_MIN) reference = INT32_MIN;
  if (value != reference) __builtin_trap();
  return 0;
}

// Any UTF-16 text of up to 64 characters as an integer setting's value.

#include <cstddef>
#include <cstdint>
#include <string>

#include "launcher/settings/hex_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vexlo;
  std::wstring text;
  for (std::size_t i = 0; i + 1 < size && text.size() < 64; i += 2) {
    text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  }
  const std::uint32_t value = parseHexText(text);

  // Reference: the same value from the run of leading digits alone.
  std::uint64_t expected = 0;
  for (wchar_t c : text) {
    int d = -1;
    if (c >= L'0' && c <= L'9') d = c - L'0';
    else if (c >= L'a' && c <= L'f') d = c - L'a' + 10;
    else if (c >= L'A' && c <= L'F') d = c - L'A' + 10;
    if (d < 0) break;
    expected = ((expected << 4) | static_cast<std::uint64_t>(d)) & 0xFFFFFFFFu;
  }
  if (value != expected) __builtin_trap();

  const std::wstring written = formatHexText(value);
  if (written.size() != 8 || parseHexText(written) != value) __builtin_trap();
  for (wchar_t c : written) {
    if (!((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F'))) __builtin_trap();
  }
  return 0;
}

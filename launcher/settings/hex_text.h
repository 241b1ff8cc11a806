#pragma once
// The text form of integer settings: exactly eight upper-case hexadecimal
// digits, most significant first, no prefix.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vexlo {

inline constexpr std::size_t kHexTextDigits = 8;

std::wstring formatHexText(std::uint32_t value);

// Reads hexadecimal digits of either case from the start, modulo 2^32, up to
// the first other character. Empty text, or text starting with another
// character, gives 0.
std::uint32_t parseHexText(std::wstring_view text);

}  // namespace vexlo

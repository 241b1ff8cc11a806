#pragma once
// Decimal text typed into the settings dialog, read the way the C runtime's
// _wtoi reads it: leading white space as iswspace knows it, an optional sign,
// then decimal digits up to the first other character; no digits give 0.
// Digits are those of every script _wtoi knows, so the full-width digits a
// Japanese input method types count as well. Values beyond the 32-bit range
// saturate to its ends, as _wtoi does, instead of overflowing.

#include <cstdint>
#include <string_view>

namespace vexlo {

std::int32_t parseDecimalText(std::wstring_view text);

}  // namespace vexlo

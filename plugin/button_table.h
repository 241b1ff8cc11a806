#pragma once
// The remote's 50 buttons: the descriptor handed to the host and the code the
// remote sends. The row index is the button index the host knows.

#include <cstdint>

#include "plugin/tvtest_host.h"

namespace vexlo2 {

struct ButtonEntry {
  TVTest::ButtonDescriptor descriptor;
  std::uint8_t code;
};

inline constexpr int kButtonCount = 50;

extern const ButtonEntry kButtonTable[kButtonCount];

// Index of the first row whose code equals `code`, or -1.
int FindButtonIndex(std::uint16_t code);

}  // namespace vexlo2

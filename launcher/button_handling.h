#pragma once
// What the shell does with one decoded WM_INPUT: launcher-level buttons
// first, then routing; a lock target found gone is released.

#include <cstdint>

namespace vexlo {

// `decoded` is decodeRemoteInput's result; kFirstNonButton and above carry no button.
void handleButton(std::uint16_t decoded);

}  // namespace vexlo

#pragma once
// What crosses between the launcher and the plugin: one registered window
// message carrying a button code in the low 16 bits of wParam.

#include <cstdint>

namespace vexlo {

inline constexpr wchar_t kRemoteMessageName[] = L"Vexlo2 GV-RCKIT3";

// Button codes the remote sends (one byte; 0x02 is never sent).
enum ButtonCode : std::uint8_t {
  kCodePower = 0x01,
  kCodeChannel1 = 0x0F,
  kCodeChannel10 = 0x18,
  kCodeChannel11 = 0x19,
  kCodeChannel12 = 0x1A,
  kCodeDateSelect = 0x1B,
  kCodeUp = 0x1C,
  kCodeLeft = 0x1E,
  kCodeEnter = 0x1F,
  kCodeRight = 0x20,
  kCodeOnAir = 0x21,
  kCodeDown = 0x22,
  kCodeCancel = 0x23,
  kCodeVolumeUp = 0x24,
  kCodeChannelUp = 0x26,
  kCodeVolumeDown = 0x27,
  kCodeChannelDown = 0x29,
};

}  // namespace vexlo

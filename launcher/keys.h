#pragma once
// Button codes played as key strokes into open-file dialogs and TVTest's
// channel display: the modifiers go through the system keyboard, the key
// itself is posted to one window only.

#include <cstddef>
#include <cstdint>

#include "launcher/window_system.h"
#include "shared/remote_protocol.h"

namespace vexlo {

struct KeyStroke {
  std::uint8_t shift = 0;  // 1: hold Shift during the key
  std::uint8_t ctrl = 0;   // 1: hold Ctrl during the key
  std::uint8_t virtualKey = 0;
};

struct KeyMapEntry {
  std::uint16_t code;
  KeyStroke stroke;
};

inline constexpr std::uint8_t kVkBack = 0x08;
inline constexpr std::uint8_t kVkTab = 0x09;
inline constexpr std::uint8_t kVkReturn = 0x0D;
inline constexpr std::uint8_t kVkEscape = 0x1B;
inline constexpr std::uint8_t kVkPrior = 0x21;
inline constexpr std::uint8_t kVkNext = 0x22;
inline constexpr std::uint8_t kVkEnd = 0x23;
inline constexpr std::uint8_t kVkHome = 0x24;
inline constexpr std::uint8_t kVkLeft = 0x25;
inline constexpr std::uint8_t kVkUp = 0x26;
inline constexpr std::uint8_t kVkRight = 0x27;
inline constexpr std::uint8_t kVkDown = 0x28;

// Open-file dialogs: list and box navigation. Codes not listed are dropped.
inline constexpr KeyMapEntry kDialogKeyMap[] = {
    {kCodeChannel10, {0, 0, kVkTab}},      {kCodeChannel11, {1, 0, kVkTab}},
    {kCodeDateSelect, {0, 0, kVkBack}},    {kCodeUp, {0, 0, kVkUp}},
    {kCodeLeft, {0, 0, kVkLeft}},          {kCodeEnter, {0, 0, kVkReturn}},
    {kCodeRight, {0, 0, kVkRight}},        {kCodeDown, {0, 0, kVkDown}},
    {kCodeCancel, {0, 0, kVkEscape}},      {kCodeVolumeUp, {0, 0, kVkPrior}},
    {kCodeChannelUp, {0, 0, kVkHome}},     {kCodeVolumeDown, {0, 0, kVkNext}},
    {kCodeChannelDown, {0, 0, kVkEnd}},
};

// The channel display: cursor, enter and cancel only.
inline constexpr KeyMapEntry kChannelDisplayKeyMap[] = {
    {kCodeUp, {0, 0, kVkUp}},         {kCodeLeft, {0, 0, kVkLeft}},   {kCodeEnter, {0, 0, kVkReturn}},
    {kCodeRight, {0, 0, kVkRight}},   {kCodeDown, {0, 0, kVkDown}},   {kCodeCancel, {0, 0, kVkEscape}},
};

// The entry for code, or null.
const KeyStroke* dialogKeyFor(std::uint16_t code);
const KeyStroke* channelKeyFor(std::uint16_t code);

void sendKeyStroke(KeyStroke stroke, WindowHandle window);
WindowHandle acquireFocus(WindowHandle window);
// The stroke into the control that has the dialog's focus.
void dialogStroke(WindowHandle dialog, KeyStroke stroke);
void dialogKeys(WindowHandle dialog, std::uint16_t code);
void channelKeys(WindowHandle display, std::uint16_t code);

}  // namespace vexlo

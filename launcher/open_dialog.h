#pragma once
// Enlarging an open-file dialog to the configured size, so that it can be
// read from across the room.

#include <cstdint>

#include "launcher/window_system.h"

namespace vexlo {

// A coordinate of the layout: a fixed number, or the dialog's width or
// height less a margin.
struct LayoutMeasure {
  enum class From : std::uint8_t { kFixed, kWidth, kHeight };
  From from = From::kFixed;
  std::int32_t amount = 0;

  std::int32_t resolve(std::int32_t width, std::int32_t height) const;
};

// One row of the child layout: which standard control, and where it goes.
struct ChildLayout {
  const wchar_t* className;
  std::int32_t controlId;
  std::uint32_t flags;  // SetWindowPos flags: a size or a move, never both
  LayoutMeasure x, y, cx, cy;
};

inline constexpr std::uint32_t kLayoutSizeFlags = kSwpNoMove | kSwpNoZOrder | kSwpFrameChanged;  // 0x26
inline constexpr std::uint32_t kLayoutMoveFlags = kSwpNoSize | kSwpNoZOrder | kSwpFrameChanged;  // 0x25

// The controls of the standard open-file dialog; the first row whose class
// and id both match applies.
extern const ChildLayout kOpenDialogLayout[8];

// The row for a child, or null when it is left alone.
const ChildLayout* findChildLayout(const WindowText& className, std::int32_t controlId);

// A fixed-size dialog gets its controls placed first; a resizable one lays
// itself out. Either way it ends at the configured width and height.
void layoutOpenDialog(WindowHandle dialog);

}  // namespace vexlo

#include "launcher/open_dialog.h"

#include "launcher/launcher.h"

namespace vexlo {
namespace {

constexpr LayoutMeasure fixed(std::int32_t value) { return {LayoutMeasure::From::kFixed, value}; }
constexpr LayoutMeasure widthLess(std::int32_t margin) { return {LayoutMeasure::From::kWidth, margin}; }
constexpr LayoutMeasure heightLess(std::int32_t margin) { return {LayoutMeasure::From::kHeight, margin}; }

constexpr ChildLayout sizeTo(const wchar_t* className, std::int32_t id, LayoutMeasure cx, LayoutMeasure cy) {
  return {className, id, kLayoutSizeFlags, fixed(0), fixed(0), cx, cy};
}
constexpr ChildLayout moveTo(const wchar_t* className, std::int32_t id, LayoutMeasure x, LayoutMeasure y) {
  return {className, id, kLayoutMoveFlags, x, y, fixed(0), fixed(0)};
}

void placeChild(WindowHandle child, std::int32_t width, std::int32_t height) {
  WindowSystem& ws = *launcher().windowSystem;
  WindowText className;
  if (!ws.className(child, className)) return;
  const ChildLayout* row = findChildLayout(className, ws.controlId(child));
  if (row == nullptr) return;
  ws.setWindowPos(child, kHwndTop, row->x.resolve(width, height), row->y.resolve(width, height),
                  row->cx.resolve(width, height), row->cy.resolve(width, height), row->flags);
}

}  // namespace

std::int32_t LayoutMeasure::resolve(std::int32_t width, std::int32_t height) const {
  switch (from) {
    case From::kWidth: return width - amount;
    case From::kHeight: return height - amount;
    case From::kFixed: break;
  }
  return amount;
}

const ChildLayout kOpenDialogLayout[8] = {
    sizeTo(L"ToolbarWindow32", 0x04A0, fixed(102), heightLess(61)),       // places bar
    sizeTo(L"SHELLDLL_DefView", 0x0461, widthLess(129), heightLess(120)),  // file list
    moveTo(L"Static", 0x0442, fixed(117), heightLess(73)),                 // file-name label
    moveTo(L"ComboBoxEx32", 0x047C, fixed(228), heightLess(78)),           // file-name box
    moveTo(L"Static", 0x0441, fixed(117), heightLess(49)),                 // file-type label
    moveTo(L"ComboBox", 0x0470, fixed(228), heightLess(52)),               // file-type box
    moveTo(L"Button", 1, fixed(553), heightLess(78)),                      // open
    moveTo(L"Button", 2, fixed(553), heightLess(54)),                      // cancel
};

const ChildLayout* findChildLayout(const WindowText& className, std::int32_t controlId) {
  if (controlId == 0) return nullptr;
  for (const ChildLayout& row : kOpenDialogLayout) {
    if (row.controlId == controlId && className.equals(row.className)) return &row;
  }
  return nullptr;
}

void layoutOpenDialog(WindowHandle dialog) {
  WindowSystem& ws = *launcher().windowSystem;
  const LauncherState& state = launcher().state;
  const std::int32_t width = state.dialogWidth;
  const std::int32_t height = state.dialogHeight;
  if ((ws.windowStyle(dialog) & kWsThickFrame) == 0) {
    ws.enumChildWindows(dialog, [&](WindowHandle child) {
      placeChild(child, width, height);
      return true;
    });
  }
  ws.setWindowPos(dialog, kHwndTop, 0, 0, width, height, kLayoutSizeFlags);
}

}  // namespace vexlo

#pragma once
// The TVTest host's plugin records as the host lays them out: 1-byte
// packing, so no field is padded to its natural alignment. Test hosts read
// what a plugin hands over by these offsets and build what they hand to it
// by them, never through the plugin's own declarations, so a wrong
// declaration cannot agree with itself. Both architectures are written out;
// a test program takes the one it was built for.

#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace vexlo::test {

// Where a field of a host record starts and how many bytes it takes.
struct Field {
  std::size_t offset, width;
};

struct PluginInfoLayout {
  std::size_t size;
  Field type, flags, name, copyright, description;
};

struct HostParamLayout {
  std::size_t size;
  Field callback, mainWindow, clientData, internalData;
};

struct ButtonLayout {
  std::size_t size;
  Field name, defaultCommand;
  Field imageRect;     // four 16-bit values: left, top, width, height
  Field selectionPos;  // two 16-bit values: left, top
  Field reserved;
};

struct ControllerLayout {
  std::size_t size;  // also the value the host expects in sizeField
  Field sizeField, flags, name, text, buttonCount, buttonList, iniFileName, iniSection;
  Field controllerBitmapId, selectionBitmapId;  // 32-bit on both architectures
  Field translateCallback, clientData;
};

struct Layout {
  std::size_t pointerSize;
  PluginInfoLayout pluginInfo;
  HostParamLayout hostParam;
  ButtonLayout button;
  ControllerLayout controller;
};

inline constexpr Layout kI686 = {
    4,
    {20, {0, 4}, {4, 4}, {8, 4}, {12, 4}, {16, 4}},
    {16, {0, 4}, {4, 4}, {8, 4}, {12, 4}},
    {24, {0, 4}, {4, 4}, {8, 8}, {16, 4}, {20, 4}},
    {48, {0, 4}, {4, 4}, {8, 4}, {12, 4}, {16, 4}, {20, 4}, {24, 4}, {28, 4},
     {32, 4}, {36, 4}, {40, 4}, {44, 4}},
};

inline constexpr Layout kX86_64 = {
    8,
    {32, {0, 4}, {4, 4}, {8, 8}, {16, 8}, {24, 8}},
    {32, {0, 8}, {8, 8}, {16, 8}, {24, 8}},
    {32, {0, 8}, {8, 8}, {16, 8}, {24, 4}, {28, 4}},
    {76, {0, 4}, {4, 4}, {8, 8}, {16, 8}, {24, 4}, {28, 8}, {36, 8}, {44, 8},
     {52, 4}, {56, 4}, {60, 8}, {68, 8}},
};

// The host this test program stands in for: the one of its own architecture.
inline constexpr const Layout& kHostLayout = sizeof(void*) == 8 ? kX86_64 : kI686;

namespace detail {

// Packed: every field starts where the one before it ends, the last ends at
// the record's size, and pointer fields are pointer sized.
constexpr bool packed(std::size_t size, std::size_t pointerSize, std::initializer_list<Field> fields,
                      std::initializer_list<std::size_t> pointerFields) {
  std::size_t at = 0;
  for (Field f : fields) {
    if (f.offset != at) return false;
    at += f.width;
  }
  for (std::size_t index : pointerFields) {
    if (fields.begin()[index].width != pointerSize) return false;
  }
  return at == size;
}

constexpr bool packed(const Layout& l) {
  const auto& i = l.pluginInfo;
  const auto& p = l.hostParam;
  const auto& b = l.button;
  const auto& c = l.controller;
  return packed(i.size, l.pointerSize, {i.type, i.flags, i.name, i.copyright, i.description}, {2, 3, 4}) &&
         packed(p.size, l.pointerSize, {p.callback, p.mainWindow, p.clientData, p.internalData},
                {0, 1, 2, 3}) &&
         packed(b.size, l.pointerSize, {b.name, b.defaultCommand, b.imageRect, b.selectionPos, b.reserved},
                {0, 1}) &&
         b.imageRect.width == 8 && b.selectionPos.width == 4 &&
         packed(c.size, l.pointerSize,
                {c.sizeField, c.flags, c.name, c.text, c.buttonCount, c.buttonList, c.iniFileName,
                 c.iniSection, c.controllerBitmapId, c.selectionBitmapId, c.translateCallback,
                 c.clientData},
                {2, 3, 5, 6, 7, 10, 11});
}

}  // namespace detail

// A slip in either table shows here, on every build, whichever architecture
// the build is for.
static_assert(detail::packed(kI686), "the i686 figures are not a packed layout");
static_assert(detail::packed(kX86_64), "the x86_64 figures are not a packed layout");

}  // namespace vexlo::test

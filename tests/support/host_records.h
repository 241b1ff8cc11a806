#pragma once
// A test host's side of the plugin records, by the host's layout table:
// what it reads of the records a plugin hands over, and the parameter record
// it hands to a plugin. Fields are copied out byte by byte, so a record need
// be neither aligned nor declared the way the host declares it.

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/host_layout.h"

namespace vexlo::test {

// A field of up to eight bytes, as the little-endian integer it holds.
inline std::uint64_t readField(const void* record, Field f) {
  std::uint64_t value = 0;
  std::memcpy(&value, static_cast<const std::uint8_t*>(record) + f.offset, f.width);
  return value;
}

// The index-th 16-bit value of a field made of them.
inline std::uint16_t readHalf(const void* record, Field f, std::size_t index) {
  return static_cast<std::uint16_t>(readField(record, Field{f.offset + 2 * index, 2}));
}

inline void writeField(void* record, Field f, std::uint64_t value) {
  std::memcpy(static_cast<std::uint8_t*>(record) + f.offset, &value, f.width);
}

// The wide text a pointer field points to in this process; none for null.
inline std::optional<std::wstring> textAt(std::uint64_t pointer) {
  if (pointer == 0) return std::nullopt;
  return std::wstring(reinterpret_cast<const wchar_t*>(static_cast<std::uintptr_t>(pointer)));
}

struct PluginInformation {
  std::uint32_t type = 0;
  std::uint32_t flags = 0;
  std::optional<std::wstring> name, copyright, description;
};

// A record the plugin filled in by TVTGetPluginInfo: pluginInfo.size bytes.
inline PluginInformation readPluginInfo(const void* info) {
  const PluginInfoLayout& l = kHostLayout.pluginInfo;
  return {static_cast<std::uint32_t>(readField(info, l.type)), static_cast<std::uint32_t>(readField(info, l.flags)),
          textAt(readField(info, l.name)), textAt(readField(info, l.copyright)),
          textAt(readField(info, l.description))};
}

struct ImageRect {
  std::uint16_t Left, Top, Width, Height;
};

struct ImagePos {
  std::uint16_t Left, Top;
};

// What the host keeps of one button.
struct CopiedButton {
  std::wstring name;
  bool hasDefault = false;
  std::wstring defaultCommand;
  ImageRect rect{};
  ImagePos sel{};
  std::uint32_t reserved = 0;
};

// What the host keeps of a controller record, copied while it registers it.
// Pointers the host only passes on are kept as their values.
struct CopiedController {
  std::uint32_t size = 0;
  std::uint32_t flags = 0;
  std::wstring name, text, section;
  std::int32_t buttonCount = 0;
  std::uint64_t iniFileName = 0;
  std::uint32_t controllerBitmapId = 0, selectionBitmapId = 0;
  std::uint64_t translateCallback = 0, clientData = 0;
  std::vector<CopiedButton> buttons;
};

// The reason the host refuses a controller record on its size alone, or
// empty. Reads the size field and nothing else, as the host does before
// trusting the rest of the layout.
inline std::string controllerSizeRefusal(const void* record, const Layout& layout = kHostLayout) {
  if (record == nullptr) return "no record";
  const std::uint64_t size = readField(record, layout.controller.sizeField);
  if (size == layout.controller.size) return {};
  return "size " + std::to_string(size) + " is not the host's " + std::to_string(layout.controller.size);
}

struct ControllerReading {
  std::string refusal;  // empty when the host takes the record
  CopiedController controller;
};

// A controller record handed over by message 68, read as the host of this
// process's architecture reads it (texts and buttons are followed here).
inline ControllerReading readController(const void* record) {
  ControllerReading reading{controllerSizeRefusal(record), {}};
  if (!reading.refusal.empty()) return reading;
  const ControllerLayout& l = kHostLayout.controller;
  CopiedController& c = reading.controller;
  c.size = static_cast<std::uint32_t>(readField(record, l.sizeField));
  c.flags = static_cast<std::uint32_t>(readField(record, l.flags));
  c.name = textAt(readField(record, l.name)).value_or(L"");
  c.text = textAt(readField(record, l.text)).value_or(L"");
  c.buttonCount = static_cast<std::int32_t>(readField(record, l.buttonCount));
  c.iniFileName = readField(record, l.iniFileName);
  c.section = textAt(readField(record, l.iniSection)).value_or(L"");
  c.controllerBitmapId = static_cast<std::uint32_t>(readField(record, l.controllerBitmapId));
  c.selectionBitmapId = static_cast<std::uint32_t>(readField(record, l.selectionBitmapId));
  c.translateCallback = readField(record, l.translateCallback);
  c.clientData = readField(record, l.clientData);

  const std::uint64_t list = readField(record, l.buttonList);
  if (c.buttonCount <= 0 || list == 0) {
    reading.refusal = "no buttons";
    return reading;
  }
  const ButtonLayout& b = kHostLayout.button;
  const auto* first = reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(list));
  for (std::int32_t i = 0; i < c.buttonCount; ++i) {
    const std::uint8_t* button = first + static_cast<std::size_t>(i) * b.size;
    const std::optional<std::wstring> defaultCommand = textAt(readField(button, b.defaultCommand));
    c.buttons.push_back({textAt(readField(button, b.name)).value_or(L""), defaultCommand.has_value(),
                         defaultCommand.value_or(L""),
                         {readHalf(button, b.imageRect, 0), readHalf(button, b.imageRect, 1),
                          readHalf(button, b.imageRect, 2), readHalf(button, b.imageRect, 3)},
                         {readHalf(button, b.selectionPos, 0), readHalf(button, b.selectionPos, 1)},
                         static_cast<std::uint32_t>(readField(button, b.reserved))});
  }
  return reading;
}

// The parameter record a host hands to TVTInitialize. It stays where it is
// for the plugin's lifetime, so it is neither copied nor moved.
class HostParamRecord {
 public:
  HostParamRecord(std::uintptr_t callback, std::uintptr_t mainWindow) {
    writeField(bytes_, kHostLayout.hostParam.callback, callback);
    setMainWindow(mainWindow);
  }
  HostParamRecord(const HostParamRecord&) = delete;
  HostParamRecord& operator=(const HostParamRecord&) = delete;

  void setMainWindow(std::uintptr_t window) { writeField(bytes_, kHostLayout.hostParam.mainWindow, window); }
  void* data() { return bytes_; }

 private:
  // The host's own client and internal data stay 0: the plugin has no use for them.
  alignas(8) std::uint8_t bytes_[kHostLayout.hostParam.size] = {};
};

}  // namespace vexlo::test

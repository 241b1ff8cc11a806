#pragma once
// The controller record as natural alignment lays it out, with pointer-sized
// bitmap ids: the record the plugin once handed a 64-bit host. A host reads
// its own packed layout, so on x86_64 it must refuse this one (88 bytes, not
// 76); on i686 natural alignment happens to be the host's layout.

#include <cstdint>

namespace vexlo::test {

struct NaturalControllerRecord {
  std::uint32_t Size;
  std::uint32_t Flags;
  const wchar_t* pszName;
  const wchar_t* pszText;
  std::int32_t NumButtons;
  const void* pButtonList;
  const wchar_t* pszIniFileName;
  const wchar_t* pszSectionName;
  std::uintptr_t ControllerImageId;
  std::uintptr_t SelButtonsImageId;
  const void* pTranslateMessage;
  void* pClientData;
};

static_assert(sizeof(NaturalControllerRecord) == (sizeof(void*) == 8 ? 88 : 48), "natural alignment");

}  // namespace vexlo::test

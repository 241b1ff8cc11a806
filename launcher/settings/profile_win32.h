#pragma once
// The profile over Windows' private-profile functions.

#include "launcher/settings/profile.h"

namespace vexlo {

class Win32Profile final : public Profile {
 public:
  std::wstring readString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                          std::size_t capacity, const std::wstring& path) override;
  void writeString(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                   const std::wstring& path) override;
  FileText fileText(const std::wstring& path) override;
  bool ansiHolds(const std::wstring& text) override;
  bool createUnicodeFile(const std::wstring& path) override;
  bool convertToUnicode(const std::wstring& path) override;
};

// The one the launcher uses, for launcher().profile.
Profile& win32Profile();

}  // namespace vexlo

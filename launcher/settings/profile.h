#pragma once
// One string of one section of a profile (INI) file, read or written. Real
// over GetPrivateProfileStringW / WritePrivateProfileStringW in the
// programs, in memory in the host tests.

#include <cstddef>
#include <string>

namespace vexlo {

class Profile {
 public:
  virtual ~Profile() = default;

  // GetPrivateProfileStringW into a buffer of `capacity` characters,
  // terminator included, so at most capacity - 1 come back.
  virtual std::wstring readString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                                  std::size_t capacity, const std::wstring& path) = 0;
  // WritePrivateProfileStringW; a missing file is created.
  virtual void writeString(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                           const std::wstring& path) = 0;
};

}  // namespace vexlo

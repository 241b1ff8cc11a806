#pragma once
// One string of one section of a profile (INI) file, read or written, and
// the text form of the file. Real over GetPrivateProfileStringW /
// WritePrivateProfileStringW in the programs, in memory in the host tests.

#include <cstddef>
#include <string>

#include "launcher/settings/settings_file_text.h"

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

  // The file's text form, by its first bytes.
  virtual FileText fileText(const std::wstring& path) = 0;
  // Whether the ANSI code page holds the text exactly, with no character
  // replaced by a default or a look-alike.
  virtual bool ansiHolds(const std::wstring& text) = 0;
  // A new file holding only the UTF-16LE byte-order mark; an existing one is
  // left alone. False when none was made.
  virtual bool createUnicodeFile(const std::wstring& path) = 0;
  // The whole file, every section, key and line of it, rewritten from the
  // ANSI code page as UTF-16LE; a new file replaces it only once it is
  // complete. False, with the file as it was, when that could not be done.
  virtual bool convertToUnicode(const std::wstring& path) = 0;
};

}  // namespace vexlo

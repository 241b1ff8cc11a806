#pragma once
// The text form of the settings file. The profile functions write a file
// that lacks a UTF-16 byte-order mark in the ANSI code page, where every
// character the page lacks becomes '?': a viewer path holding one would be
// lost at exit. So a new file is made UTF-16 before its first write, and an
// ANSI file is made UTF-16 before a value the page cannot hold is saved. A
// file whose values all fit is left as it is.

#include <string>
#include <string_view>

namespace vexlo {

enum class FileText {
  kNone,        // no such file
  kUnicode,     // starts with a byte-order mark: the profile functions keep every character
  kAnsi,        // read and written in the ANSI code page
  kUnreadable,  // held by another program, say: left alone
};

// How the profile functions take a file that starts with these bytes: a
// UTF-16 (either byte order) or UTF-8 byte-order mark makes it Unicode.
FileText fileTextOf(std::string_view firstBytes);

enum class FilePreparation { kNone, kCreateUnicode, kConvertToUnicode };

FilePreparation preparationFor(FileText text, bool ansiHoldsEveryValue);

// The bytes of a UTF-16LE profile file holding `text`: its byte-order mark,
// then the text as it is (characters beyond the 16-bit range as surrogate
// pairs, where wchar_t holds them whole).
std::string unicodeFileBytes(std::wstring_view text);

}  // namespace vexlo

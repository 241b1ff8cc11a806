#pragma once
// A profile held in memory for host tests: files by path, sections and keys
// in the order first written, and a log of every call so a test can check
// what the store asked for and in which order.

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "launcher/settings/profile.h"

namespace vexlo::test {

struct ProfileEntry {
  std::wstring path, section, key, value;
};

// A file made Unicode before the store's writes, and how many writes came first.
struct FileChange {
  std::wstring what;  // "create" or "convert"
  std::wstring path;
  std::size_t writesBefore = 0;
};

struct ProfileRead {
  std::wstring section, key, defaultValue;
  std::size_t capacity = 0;
  std::wstring path;
};

class MemoryProfile final : public Profile {
 public:
  // Like GetPrivateProfileStringW: the stored value, else the default, cut
  // to capacity - 1 characters. Values are kept verbatim (no trimming).
  std::wstring readString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                          std::size_t capacity, const std::wstring& path) override;
  void writeString(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                   const std::wstring& path) override;
  // What `texts` says, else ANSI for a file with values (one written by
  // hand or by an earlier launcher), else none.
  FileText fileText(const std::wstring& path) override;
  // The code page in memory stands for Japanese Windows' 932: ASCII, kana,
  // the common kanji and the full-width forms.
  bool ansiHolds(const std::wstring& text) override;
  bool createUnicodeFile(const std::wstring& path) override { return makeUnicode(path, FileText::kNone, L"create"); }
  bool convertToUnicode(const std::wstring& path) override { return makeUnicode(path, FileText::kAnsi, L"convert"); }

  // Puts a value in place without logging it as a write (a hand-edited file).
  void set(const std::wstring& path, const std::wstring& section, const std::wstring& key,
           const std::wstring& value);
  const ProfileEntry* find(const std::wstring& path, const std::wstring& section, const std::wstring& key) const;
  bool hasFile(const std::wstring& path) const;

  std::vector<ProfileEntry> entries;  // the stored values, in first-write order
  std::vector<ProfileEntry> writes;   // every write, in call order
  std::vector<ProfileRead> reads;     // every read, in call order
  std::map<std::wstring, FileText> texts;  // set by a test, or by a creation or conversion
  std::vector<FileChange> fileChanges;     // every creation or conversion, in call order

 private:
  // A file that is `from` made Unicode, the change logged as `what`.
  bool makeUnicode(const std::wstring& path, FileText from, const wchar_t* what);
};

}  // namespace vexlo::test

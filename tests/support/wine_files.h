#pragma once
// Files as the Wine test programs see them: build-tree paths on drive Z:,
// scratch directories, the launcher's INI and the text files that helper
// programs write.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace vexlo::test {

// A build-tree path as Windows programs under Wine see it: Unix paths live
// on drive Z:. A path that is already a Windows one is kept as it is.
std::wstring windowsPath(const char* path);
std::wstring windowsPath(const std::wstring& path);

// A program or plugin of the build as a test runs it: the one this tree
// built, unless the command line names another with --OPTION=PATH (the
// cross-bitness tests hand a program the other architecture's files that way).
std::wstring builtFile(const wchar_t* option, const char* builtPath);

// A fresh directory under the temporary directory, removed with its files.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(const wchar_t* name);
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::wstring& path() const { return path_; }
  std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// Keys of section "Vexlo" with their text.
using IniValues = std::vector<std::pair<std::wstring, std::wstring>>;

// The nine keys of kSettingsKeys, each with an empty value.
IniValues allSettingsKeys();
// The value of a key in section "Vexlo" of the file, or "<absent>".
std::wstring iniValue(const std::wstring& file, const wchar_t* key);
// The file's values of the keys that `like` names, in its order.
IniValues iniValues(const std::wstring& file, const IniValues& like);
void writeIniValues(const std::wstring& file, const IniValues& values);

bool fileExists(const std::wstring& path);
// "i686" or "x86_64", what the executable was built for; "unknown" otherwise.
const char* executableArchitecture(const std::wstring& path);
bool copyFile(const std::wstring& from, const std::wstring& to);
// The bytes of a file another process may still be writing.
std::string readTextFile(const std::wstring& path);
// Its UTF-16 text, a byte-order mark included.
std::wstring readUtf16File(const std::wstring& path);
// A file of exactly these bytes, made anew; false when it could not be written.
bool writeFileBytes(const std::wstring& path, const std::string& bytes);
// The text in a code page: CP_ACP for the ANSI one.
std::string inCodePage(const std::wstring& text, UINT codePage);
std::string utf8(const std::wstring& text);

}  // namespace vexlo::test

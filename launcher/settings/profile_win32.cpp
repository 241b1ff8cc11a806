#include "launcher/settings/profile_win32.h"

#include <windows.h>

#include <string>
#include <vector>

namespace vexlo {
namespace {

// Enough to tell every byte-order mark the profile functions know.
constexpr DWORD kMarkBytes = 3;
// A settings file is a few hundred bytes; one past this is no settings file
// of ours, and is left as it is rather than read whole.
constexpr DWORD kLargestConvertedFile = 16 * 1024 * 1024;
constexpr wchar_t kNewFileSuffix[] = L".new";

// Shared every way: another program may hold the file, and looking must not
// stop it.
HANDLE openForReading(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool readWhole(const std::wstring& path, std::string& bytes) {
  HANDLE file = openForReading(path);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart <= kLargestConvertedFile;
  if (ok) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD got = 0;
    ok = bytes.empty() ||
         (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size());
  }
  CloseHandle(file);
  return ok;
}

// The bytes in a new file, written through to the disk.
bool writeNew(const std::wstring& path, const std::string& bytes, DWORD disposition) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size() && FlushFileBuffers(file);
  CloseHandle(file);
  return ok;
}

// False for bytes the code page has no character for: such a file is not
// the code page's text, and converting it would corrupt its other lines.
bool fromAnsi(const std::string& bytes, std::wstring& text) {
  text.clear();
  if (bytes.empty()) return true;
  const int length = static_cast<int>(bytes.size());
  const int wide = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
  if (wide <= 0) return false;
  text.resize(static_cast<std::size_t>(wide));
  return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), length, text.data(), wide) == wide;
}

}  // namespace

std::wstring Win32Profile::readString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue,
                                      std::size_t capacity, const std::wstring& path) {
  if (capacity == 0) return std::wstring();
  std::vector<wchar_t> buffer(capacity, L'\0');
  const DWORD length = GetPrivateProfileStringW(section, key, defaultValue, buffer.data(),
                                                static_cast<DWORD>(capacity), path.c_str());
  return std::wstring(buffer.data(), length < capacity ? length : capacity - 1);
}

void Win32Profile::writeString(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                               const std::wstring& path) {
  WritePrivateProfileStringW(section, key, value, path.c_str());
}

FileText Win32Profile::fileText(const std::wstring& path) {
  HANDLE file = openForReading(path);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileText::kNone : FileText::kUnreadable;
  }
  char start[kMarkBytes] = {};
  DWORD got = 0;
  const bool read = ReadFile(file, start, kMarkBytes, &got, nullptr) != 0;
  CloseHandle(file);
  return read ? fileTextOf(std::string_view(start, got)) : FileText::kUnreadable;
}

bool Win32Profile::ansiHolds(const std::wstring& text) {
  // Where the ANSI code page is UTF-8 it holds everything (and refuses the flag below).
  if (text.empty() || GetACP() == CP_UTF8) return true;
  BOOL defaultUsed = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, &defaultUsed);
  return length > 0 && !defaultUsed;
}

bool Win32Profile::createUnicodeFile(const std::wstring& path) {
  return writeNew(path, unicodeFileBytes(L""), CREATE_NEW);
}

bool Win32Profile::convertToUnicode(const std::wstring& path) {
  std::string bytes;
  std::wstring text;
  if (!readWhole(path, bytes) || !fromAnsi(bytes, text)) return false;
  const std::wstring newFile = path + kNewFileSuffix;
  // Moved over the old one only once complete: an end at any moment leaves
  // the old file or the new one, never a part of either.
  if (writeNew(newFile, unicodeFileBytes(text), CREATE_ALWAYS) &&
      MoveFileExW(newFile.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileW(newFile.c_str());
  return false;
}

namespace {

Win32Profile g_win32Profile;

}  // namespace

Profile& win32Profile() { return g_win32Profile; }

}  // namespace vexlo

#include "tests/support/wine_files.h"

#include "tests/support/settings_keys.h"
#include "tests/support/wine_processes.h"

#include <cstdio>
#include <filesystem>
#include <set>

namespace vexlo::test {

namespace {

constexpr wchar_t kSection[] = L"Vexlo";
constexpr DWORD kIniValueCapacity = 512;

}  // namespace

std::wstring windowsPath(const std::wstring& path) {
  std::wstring out = !path.empty() && path[0] == L'/' ? L"Z:" : L"";
  for (wchar_t c : path) out += c == L'/' ? L'\\' : c;
  return out;
}

std::wstring windowsPath(const char* path) {
  std::wstring wide;
  for (const char* c = path; *c; ++c) wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
  return windowsPath(wide);
}

std::wstring builtFile(const wchar_t* option, const char* builtPath) {
  const std::wstring named = commandLineOption(option);
  if (named.empty()) return windowsPath(builtPath);
  // Said once, so that a log shows which files crossed from the other tree.
  static std::set<std::wstring> told;
  if (told.insert(option).second) std::printf("%ls: %ls\n", option, named.c_str());
  return windowsPath(named);
}

ScratchDirectory::ScratchDirectory(const wchar_t* name) {
  static int serial = 0;
  const std::wstring unique = name + (L" " + std::to_wstring(GetCurrentProcessId())) + L"-" + std::to_wstring(++serial);
  path_ = (std::filesystem::temp_directory_path() / unique).wstring();
  CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;  // what another process still holds stays
  std::filesystem::remove_all(path_, ignored);
}

std::wstring iniValue(const std::wstring& file, const wchar_t* key) {
  wchar_t value[kIniValueCapacity] = {};
  GetPrivateProfileStringW(kSection, key, L"<absent>", value, kIniValueCapacity, file.c_str());
  return value;
}

IniValues allSettingsKeys() {
  IniValues keys;
  for (const wchar_t* key : kSettingsKeys) keys.emplace_back(key, L"");
  return keys;
}

IniValues iniValues(const std::wstring& file, const IniValues& like) {
  IniValues values;
  for (const auto& entry : like) values.emplace_back(entry.first, iniValue(file, entry.first.c_str()));
  return values;
}

void writeIniValues(const std::wstring& file, const IniValues& values) {
  for (const auto& [key, value] : values) WritePrivateProfileStringW(kSection, key.c_str(), value.c_str(), file.c_str());
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());  // flush the profile cache
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

const char* executableArchitecture(const std::wstring& path) {
  DWORD type = 0;
  if (!GetBinaryTypeW(path.c_str(), &type)) return "unknown";
  return type == SCS_32BIT_BINARY ? "i686" : type == SCS_64BIT_BINARY ? "x86_64" : "unknown";
}

bool copyFile(const std::wstring& from, const std::wstring& to) { return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0; }

std::string readTextFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string content;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) content.append(buffer, got);
  CloseHandle(file);
  return content;
}

std::wstring readUtf16File(const std::wstring& path) {
  const std::string bytes = readTextFile(path);
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

bool writeFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0;
  CloseHandle(file);
  return ok && written == bytes.size();
}

std::string inCodePage(const std::wstring& text, UINT codePage) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string utf8(const std::wstring& text) { return inCodePage(text, CP_UTF8); }

}  // namespace vexlo::test

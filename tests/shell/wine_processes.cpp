#include "tests/shell/wine_processes.h"

#include <shellapi.h>

#include <vector>

namespace vexlo::test {

ScratchDirectory::ScratchDirectory(const wchar_t* name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static int serial = 0;
  path_ = std::wstring(temp) + name + L" " + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
  CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchDirectory::~ScratchDirectory() {
  // SHFileOperationW wants a double-terminated list.
  std::vector<wchar_t> from(path_.begin(), path_.end());
  from.push_back(L'\0');
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.data();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&op);
}

std::wstring ScratchDirectory::subdirectory(const std::wstring& name) {
  const std::wstring dir = file(name);
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

RunningProgram::~RunningProgram() {
  if (!info_.hProcess) return;
  terminate();
  CloseHandle(info_.hProcess);
  CloseHandle(info_.hThread);
}

bool RunningProgram::start(const std::wstring& executable, const std::wstring& arguments) {
  std::wstring line = L"\"" + executable + L"\"";
  if (!arguments.empty()) line += L" " + arguments;
  std::vector<wchar_t> buffer(line.begin(), line.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  return CreateProcessW(executable.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info_) != 0;
}

bool RunningProgram::running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool RunningProgram::waitForExit(DWORD milliseconds, DWORD& exitCode) {
  if (WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) return false;
  return GetExitCodeProcess(info_.hProcess, &exitCode) != 0;
}

void RunningProgram::terminate() {
  if (!running()) return;
  TerminateProcess(info_.hProcess, 99);
  WaitForSingleObject(info_.hProcess, 10000);
}

bool waitUntil(const std::function<bool()>& done, DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(10);
  }
}

HWND findProcessWindow(const wchar_t* className, DWORD processId, const wchar_t* title) {
  for (HWND w = FindWindowExW(nullptr, nullptr, className, title); w; w = FindWindowExW(nullptr, w, className, title)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (processId == 0 || owner == processId) return w;
  }
  return nullptr;
}

std::wstring iniValue(const std::wstring& file, const wchar_t* key) {
  wchar_t value[512] = {};
  GetPrivateProfileStringW(L"Vexlo", key, L"<absent>", value, 512, file.c_str());
  return value;
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring readUtf16File(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return L"";
  std::wstring text;
  wchar_t chunk[256];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) text.append(chunk, read / sizeof(wchar_t));
  CloseHandle(file);
  return text;
}

}  // namespace vexlo::test

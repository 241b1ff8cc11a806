#include "tests/support/wine_processes.h"

#include <shellapi.h>

#include <vector>

namespace vexlo::test {

RunningProgram::~RunningProgram() {
  if (!info_.hProcess) return;
  terminate();
  CloseHandle(info_.hProcess);
  if (info_.hThread) CloseHandle(info_.hThread);
}

bool RunningProgram::start(const std::wstring& executable, const std::wstring& arguments) {
  std::wstring line = L"\"" + executable + L"\"";
  if (!arguments.empty()) line += L" " + arguments;
  std::vector<wchar_t> buffer(line.begin(), line.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  // Inherited: a crash ends the program at once instead of waiting on a debugger.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  return CreateProcessW(executable.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info_) != 0;
}

bool RunningProgram::attach(DWORD processId) {
  info_.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, processId);
  info_.dwProcessId = processId;
  return info_.hProcess != nullptr;
}

void RunningProgram::close(HWND window, DWORD graceMilliseconds) {
  if (!running()) return;
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info_.hProcess, graceMilliseconds) != WAIT_OBJECT_0) terminate();
}

bool RunningProgram::running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool RunningProgram::waitForExit(DWORD milliseconds, DWORD& exitCode) {
  if (!info_.hProcess || WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) return false;
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

std::vector<HWND> processWindows(const wchar_t* className, DWORD processId, const wchar_t* title) {
  std::vector<HWND> windows;
  for (HWND w = FindWindowExW(nullptr, nullptr, className, title); w; w = FindWindowExW(nullptr, w, className, title)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (processId == 0 || owner == processId) windows.push_back(w);
  }
  return windows;
}

HWND findProcessWindow(const wchar_t* className, DWORD processId, const wchar_t* title) {
  const std::vector<HWND> windows = processWindows(className, processId, title);
  return windows.empty() ? nullptr : windows.front();
}

std::wstring commandLineArgument(int index) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring value = argv && index < argc ? argv[index] : L"";
  LocalFree(argv);
  return value;
}

}  // namespace vexlo::test

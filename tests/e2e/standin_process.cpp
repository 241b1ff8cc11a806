#include "tests/e2e/standin_process.h"

#include <shellapi.h>

#include <cstdlib>
#include <vector>

namespace e2e {

std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string readLog(const std::wstring& path) {
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

bool waitForLog(const std::wstring& path, const std::string& needle, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    if (readLog(path).find(needle) != std::string::npos) return true;
    Sleep(10);
  }
  return readLog(path).find(needle) != std::string::npos;
}

namespace {

HWND handleAfter(const std::string& line, const std::string& key) {
  std::size_t at = line.find(key);
  if (at == std::string::npos) return nullptr;
  return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(line.c_str() + at + key.size(), nullptr, 16)));
}

}  // namespace

bool waitUntilReady(StandIn& out, DWORD timeoutMs) {
  if (!waitForLog(out.logPath, "ready pid=", timeoutMs)) return false;
  std::string log = readLog(out.logPath);
  std::string line = log.substr(log.find("ready pid="));
  line = line.substr(0, line.find('\n'));
  out.processId = static_cast<DWORD>(std::strtoul(line.c_str() + 10, nullptr, 10));
  out.window = handleAfter(line, "window=0x");
  out.dialog = handleAfter(line, "dialog=0x");
  return out.window != nullptr;
}

namespace {

bool launch(const std::wstring& exe, const std::wstring& logPath, const std::wstring& arguments,
            PROCESS_INFORMATION& process) {
  DeleteFileW(logPath.c_str());
  std::wstring commandLine = L"\"" + exe + L"\" --log \"" + logPath + L"\" " + arguments;
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  return CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process) != 0;
}

}  // namespace

bool startStandIn(const std::wstring& exe, const std::wstring& logPath, const std::wstring& arguments,
                  StandIn& out) {
  out = StandIn{};
  out.logPath = logPath;
  if (!launch(exe, logPath, arguments, out.process)) return false;
  return waitUntilReady(out);
}

bool runStandInToExit(const std::wstring& exe, const std::wstring& logPath, const std::wstring& arguments,
                      DWORD& exitCode, DWORD timeoutMs) {
  PROCESS_INFORMATION process{};
  if (!launch(exe, logPath, arguments, process)) return false;
  const bool ended = WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0;
  if (!ended) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
  }
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ended;
}

void stopStandIn(StandIn& standIn) {
  if (!standIn.process.hProcess) return;
  if (standIn.window) PostMessageW(standIn.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(standIn.process.hProcess, 5000) != WAIT_OBJECT_0) {
    TerminateProcess(standIn.process.hProcess, 1);
    WaitForSingleObject(standIn.process.hProcess, 5000);
  }
  CloseHandle(standIn.process.hThread);
  CloseHandle(standIn.process.hProcess);
  standIn.process = PROCESS_INFORMATION{};
}

std::wstring tempDirectory(const std::wstring& name) {
  wchar_t base[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, base);
  std::wstring dir = std::wstring(base) + name + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                     std::to_wstring(GetTickCount());
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

bool copyFile(const std::wstring& from, const std::wstring& to) { return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0; }

std::wstring commandLineArgument(int index) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring value = argv && index < argc ? argv[index] : L"";
  LocalFree(argv);
  return value;
}

}  // namespace e2e

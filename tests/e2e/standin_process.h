#pragma once
// Starting TVTest stand-ins in their own processes and reading their logs.

#include <windows.h>

#include <string>

namespace e2e {

struct StandIn {
  PROCESS_INFORMATION process{};
  std::wstring logPath;
  HWND window = nullptr;
  HWND dialog = nullptr;
  DWORD processId = 0;
};

// Runs `exe` with `arguments` (the log path is added) and waits until it has
// loaded the plugin and shown its windows. False on failure or time-out.
bool startStandIn(const std::wstring& exe, const std::wstring& logPath, const std::wstring& arguments,
                  StandIn& out);

// Runs `exe` with `arguments` (the log path is added) to its end, for a
// stand-in that is expected to give up. False when it could not be started
// or was still running after `timeoutMs` (it is then ended).
bool runStandInToExit(const std::wstring& exe, const std::wstring& logPath, const std::wstring& arguments,
                      DWORD& exitCode, DWORD timeoutMs = 20000);

// Parses the stand-in's "ready" line out of its log into `out`.
bool waitUntilReady(StandIn& out, DWORD timeoutMs = 20000);

// Closes the stand-in (WM_CLOSE, then TerminateProcess after a grace time).
void stopStandIn(StandIn& standIn);

std::string readLog(const std::wstring& path);

// Polls the log until it holds `needle`, or the deadline passes.
bool waitForLog(const std::wstring& path, const std::string& needle, DWORD timeoutMs = 10000);

std::string utf8(const std::wstring& text);

std::wstring tempDirectory(const std::wstring& name);  // fresh, empty
bool copyFile(const std::wstring& from, const std::wstring& to);

// Argument `index` of this process's command line, or empty.
std::wstring commandLineArgument(int index);

}  // namespace e2e

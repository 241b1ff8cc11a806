#pragma once
// TVTest stand-ins (tests/e2e/tvtest_standin) in their own processes: started
// with a plugin, found ready through their log, ended, and their log read.

#include <windows.h>

#include <memory>
#include <string>

#include "tests/support/wine_processes.h"

namespace vexlo::test {

// Copies share the one process, which stopStandIn ends.
struct StandIn {
  std::shared_ptr<RunningProgram> program = std::make_shared<RunningProgram>();
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
                      DWORD& exitCode, DWORD timeoutMs = kPatience);

// Waits for the "ready" line of the log at out.logPath and fills `out` from
// it; a stand-in that another program started is taken over by its id.
bool waitUntilReady(StandIn& out, DWORD timeoutMs = kPatience);

// Closes the stand-in (WM_CLOSE, then an end by force after a grace time).
void stopStandIn(StandIn& standIn);

std::string readLog(const std::wstring& path);
// Polls the log until it holds `needle`, or the deadline passes.
bool waitForLog(const std::wstring& path, const std::string& needle, DWORD timeoutMs = kPatience);

}  // namespace vexlo::test

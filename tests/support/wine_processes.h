#pragma once
// Programs the Wine tests start and end for real, their windows, and waiting
// on them by polling with a deadline, never a fixed sleep.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vexlo::test {

// A started program; ended at destruction if it still runs.
class RunningProgram {
 public:
  RunningProgram() = default;
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // The executable is quoted on the command line, the arguments follow as given.
  bool start(const std::wstring& executable, const std::wstring& arguments = L"");
  // A program another one started, taken over by its id.
  bool attach(DWORD processId);
  bool running() const;
  // The exit code once it ended within the time; false on a time-out.
  bool waitForExit(DWORD milliseconds, DWORD& exitCode);
  void terminate();
  DWORD processId() const { return info_.dwProcessId; }
  HANDLE process() const { return info_.hProcess; }
  // WM_CLOSE to the window, then an end by force after a grace time.
  void close(HWND window, DWORD graceMilliseconds = 5000);

 private:
  PROCESS_INFORMATION info_{};
};

// Polls until `done` holds or the time is up.
bool waitUntil(const std::function<bool()>& done, DWORD milliseconds = 20000);

// The top-level windows of the class that belong to the process (any
// process when processId is 0), hidden ones included, front to back.
std::vector<HWND> processWindows(const wchar_t* className, DWORD processId, const wchar_t* title = nullptr);
// The first of them, or null.
HWND findProcessWindow(const wchar_t* className, DWORD processId, const wchar_t* title = nullptr);

// Argument `index` of this process's command line, or empty.
std::wstring commandLineArgument(int index);

}  // namespace vexlo::test

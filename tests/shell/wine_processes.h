#pragma once
// Helpers of the shell's Wine tests: scratch directories, programs started
// and ended for real, and waiting on them by polling with a deadline.

#include <windows.h>

#include <functional>
#include <string>

#include "tests/support/wine_path.h"

namespace vexlo::test {


// A fresh directory under the temporary directory, removed with its files.
class ScratchDirectory {
 public:
  explicit ScratchDirectory(const wchar_t* name = L"vexlo shell");
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::wstring& path() const { return path_; }
  std::wstring file(const std::wstring& name) const { return path_ + L"\\" + name; }
  // A subdirectory, removed with this one.
  std::wstring subdirectory(const std::wstring& name);

 private:
  std::wstring path_;
};

// A started program; ended at destruction if it still runs.
class RunningProgram {
 public:
  RunningProgram() = default;
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool start(const std::wstring& executable, const std::wstring& arguments = L"");
  bool running() const;
  // The exit code once it ended within the time; false on a time-out.
  bool waitForExit(DWORD milliseconds, DWORD& exitCode);
  void terminate();
  DWORD processId() const { return info_.dwProcessId; }

 private:
  PROCESS_INFORMATION info_{};
};

// Polls until `done` holds or the time is up.
bool waitUntil(const std::function<bool()>& done, DWORD milliseconds = 20000);

// The first top-level window of the class that belongs to the process
// (any process when processId is 0), hidden ones included.
HWND findProcessWindow(const wchar_t* className, DWORD processId, const wchar_t* title = nullptr);

// The value of a key in section "Vexlo" of the file, or "<absent>".
std::wstring iniValue(const std::wstring& file, const wchar_t* key);

bool fileExists(const std::wstring& path);
std::wstring readUtf16File(const std::wstring& path);

}  // namespace vexlo::test

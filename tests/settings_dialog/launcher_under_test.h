#pragma once
// The real Vexlo.exe started from a copy in a scratch directory, with its INI
// prepared and read back, and its settings dialogs found and driven from
// outside the process, as a user's clicks and typing would drive them.

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "launcher/resources/resource_ids.h"

namespace vexlo::test {

using IniValues = std::vector<std::pair<const wchar_t*, std::wstring>>;

// Polls until `done` holds or the time is up.
bool waitUntil(const std::function<bool()>& done, DWORD milliseconds = 20000);

class LauncherUnderTest {
 public:
  LauncherUnderTest();
  ~LauncherUnderTest();
  LauncherUnderTest(const LauncherUnderTest&) = delete;
  LauncherUnderTest& operator=(const LauncherUnderTest&) = delete;

  // Before start: the keys of section "Vexlo" the launcher loads.
  void prepareIni(const IniValues& values);
  // A key of section "Vexlo" as the file holds it now, or "<absent>".
  std::wstring iniValue(const wchar_t* key) const;
  IniValues iniValues(const std::vector<const wchar_t*>& keys) const;

  // Starts the copy and waits for its hidden main window.
  bool start();
  HWND mainWindow() const { return main_; }
  DWORD processId() const { return info_.dwProcessId; }

  // Posts menu command IDM_SETTINGS and waits for a settings dialog that is not
  // one of `open`; nullptr when none appeared in time.
  HWND openSettings(const std::vector<HWND>& open = {});

  // Posts the exit command and waits for the end; the exit code, or a
  // value no program returns when the launcher did not end in time.
  DWORD exitByCommand();
  void kill();
  bool running() const;
  bool waitForExit(DWORD& exitCode, DWORD milliseconds = 20000);

  const std::wstring& directory() const { return directory_; }

 private:
  std::wstring directory_, exe_, ini_;
  PROCESS_INFORMATION info_{};
  HWND main_ = nullptr;
};

// The visible settings dialogs ("#32770", "設定") of the process.
std::vector<HWND> settingsDialogs(DWORD processId);

// Control access across the process boundary: messages only, bounded in time.
std::wstring controlText(HWND control);
std::wstring controlText(HWND dialog, int id);
void setControlText(HWND dialog, int id, const std::wstring& text);
bool isChecked(HWND dialog, int id);
bool isEnabled(HWND dialog, int id);
void click(HWND dialog, int id);
// Clicks the button and waits until the dialog has gone.
bool clickAndWaitClosed(HWND dialog, int id);

}  // namespace vexlo::test

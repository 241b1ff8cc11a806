#pragma once
// The real Vexlo.exe run by a Wine test: a copy in a scratch directory of its
// own (it writes its INI beside itself), its INI prepared and read back, its
// hidden main window found, and commands and tray clicks sent to it.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/wine_files.h"
#include "tests/support/wine_processes.h"

namespace vexlo::test {

class LauncherProcess {
 public:
  // What exitByCommand gives when the launcher did not end in time.
  static constexpr DWORD kNoExit = 0xDEADBEEF;

  explicit LauncherProcess(const std::wstring& builtExe, const wchar_t* scratchName = L"vexlo launcher");
  // One still running is ended by its exit command, or by force when that does not end it.
  ~LauncherProcess() {
    if (running()) exitByCommand();
  }

  // Before start: the keys of section "Vexlo" the launcher loads.
  void prepareIni(const IniValues& values) { writeIniValues(ini_, values); }
  // A key as the file holds it now, or "<absent>".
  std::wstring iniValue(const wchar_t* key) const { return vexlo::test::iniValue(ini_, key); }
  // The keys `like` names as the file holds them; all nine keys by default.
  IniValues iniValues(const IniValues& like = allSettingsKeys()) const { return vexlo::test::iniValues(ini_, like); }

  // Starts the copy and waits for its hidden main window, then for the
  // launcher to be ready: done with its creation and waiting for input.
  bool start();
  HWND mainWindow() const { return main_; }
  DWORD processId() const { return program_.processId(); }
  HANDLE process() const { return program_.process(); }
  const std::wstring& directory() const { return scratch_.path(); }
  const std::wstring& exe() const { return exe_; }
  const std::wstring& ini() const { return ini_; }

  void command(UINT id) const { PostMessageW(main_, WM_COMMAND, id, 0); }
  // What the notification area reports of a mouse event on the icon.
  void trayEvent(UINT mouseMessage) const;
  // The popup menu while it is up, or null; the same once it is up.
  HWND shownMenu() const;
  HWND waitForMenu() const;
  // A right-click on the icon, then the item `downs` steps down chosen with
  // the keyboard (Escape for `key` closes the menu instead); false when no
  // menu came or it did not close.
  bool chooseFromMenu(int downs, WPARAM key = VK_RETURN) const;

  // Opens the settings by the menu command and waits for a visible settings
  // dialog that is not one of `open`; nullptr when none appeared in time.
  HWND openSettings(const std::vector<HWND>& open = {}) const;

  // Posts the exit command and waits for the end: the exit code, or kNoExit.
  DWORD exitByCommand();
  void kill() { program_.terminate(); }
  bool running() const { return program_.running(); }
  // Whether it runs, else its exit code: what explains a launcher that does not answer.
  std::string status() const;
  bool waitForExit(DWORD& exitCode, DWORD milliseconds = kPatience) { return program_.waitForExit(milliseconds, exitCode); }

 private:
  ScratchDirectory scratch_;
  std::wstring exe_, ini_;
  RunningProgram program_;
  HWND main_ = nullptr;
};

}  // namespace vexlo::test

#pragma once
// TVTest stand-ins (tests/e2e/tvtest_standin) in their own processes: started
// with a plugin or without, found ready through their log, ended, and their
// log read.

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
bool startStandIn(const std::wstring& exe, const std::wstring& logPath, const std::wstring& arguments, StandIn& out);

// The stand-in and the plugin this tree built, or those the command line
// names with --standin= and --plugin=.
std::wstring standInFile();
std::wstring pluginFile();

// What the stand-in logs once the plugin has registered the remote as its
// controller, for the presses of some of its buttons, and for Down on the
// open-file dialog's file list.
inline constexpr char kControllerRegistered[] = "controller GV-RCKIT3 buttons=50";
inline constexpr char kChannel1Press[] = "press index=13 name=チャンネル1 default=Channel1";
inline constexpr char kChannel2Press[] = "press index=14 name=チャンネル2 default=Channel2";
inline constexpr char kChannel3Press[] = "press index=15 name=チャンネル3 default=Channel3";
inline constexpr char kOnAirPress[] = "press index=31 name=オンエア default=";
inline constexpr char kDialogDown[] = "id=1121 vk=0x28";

// Runs standInFile() with pluginFile(), logging to DIRECTORY\NAME.log, and
// finds the plugin's controller registered; `options` follow (--no-plugin
// wins over the plugin).
bool startViewer(const std::wstring& directory, const std::wstring& name, const std::wstring& options, StandIn& out);

// Waits for the "ready" line of the log at out.logPath and fills `out` from
// it; a stand-in that another program started is taken over by its id.
bool waitUntilReady(StandIn& out, DWORD timeoutMs = kPatience);

// Runs the stand-in without the plugin, with its counting button, and makes
// it the foreground as a user's click on it would.
bool startClickTarget(const std::wstring& directory, const std::wstring& name, StandIn& out,
                      const std::wstring& options = L"");
// A left click on it through the system's input, as a user's mouse makes it,
// so a low-level mouse hook sees it.
void clickCountingButton(const StandIn& standIn);
// Waits until `ups` button-ups have reached the counting button, then says
// how many downs did; -1 when the ups never came.
LRESULT downsAfterClicks(const StandIn& standIn, LRESULT ups);

// Closes the stand-in (WM_CLOSE, then an end by force after a grace time).
void stopStandIn(StandIn& standIn);

std::string readLog(const std::wstring& path);
// How many times the text holds `needle`.
std::size_t countOf(const std::string& text, const std::string& needle);
// Polls the log until it holds `needle`, or the deadline passes.
bool waitForLog(const std::wstring& path, const std::string& needle, DWORD timeoutMs = kPatience);

}  // namespace vexlo::test

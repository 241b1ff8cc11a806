#pragma once
// Dialogs and controls of another process, found and driven from outside as
// a user's clicks and typing would drive them: messages only, bounded in time.

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/wine_processes.h"

namespace vexlo::test {

// The visible settings dialogs ("#32770", "設定") of the process.
std::vector<HWND> settingsDialogs(DWORD processId);
// The first visible dialog of the process with this title, once it is up; null on a time-out.
HWND waitForDialog(DWORD processId, const wchar_t* title, DWORD milliseconds = kPatience);

std::wstring controlText(HWND control);
std::wstring controlText(HWND dialog, int id);
void setControlText(HWND dialog, int id, const std::wstring& text);
bool isChecked(HWND dialog, int id);
bool isEnabled(HWND dialog, int id);
void click(HWND dialog, int id);
// Clicks the button and waits until the dialog has gone.
bool clickAndWaitClosed(HWND dialog, int id);
// Posts the command, as the dialog's keys do, and waits until the dialog has gone.
bool commandAndWaitClosed(HWND dialog, int id);

}  // namespace vexlo::test

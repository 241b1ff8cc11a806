#pragma once
// The launcher's hidden main window: its procedure (creation, teardown and
// the whole message table) and the About box.

#include <windows.h>

namespace vexlo {

// Set by the entry before the main window is created: creation loads
// resources from it.
extern HINSTANCE g_instance;

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// True from the end of a successful creation until teardown begins; the
// process-wide objects exist exactly while it holds.
bool shellRunning();

}  // namespace vexlo

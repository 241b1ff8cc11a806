#pragma once
// The launcher's hidden main window: its procedure (creation, teardown and
// the whole message table) and the About box. Everything it keeps lives in
// the launcher's record; the entry sets the module and the seams first.

#include <windows.h>

namespace vexlo {

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace vexlo

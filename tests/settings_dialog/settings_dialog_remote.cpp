// Works the running launcher from outside, for tools/screenshot-settings:
//   settings_dialog_remote open   opens the settings dialog (menu command IDM_SETTINGS)
//                                 and prints its place on the screen as
//                                 "WIDTHxHEIGHT+LEFT+TOP"
//   settings_dialog_remote exit   sends the exit command (IDM_EXIT)
// Exits with 1 when the launcher or its dialog did not appear in time.

#include <windows.h>

#include <cstdio>

#include "launcher/resources/resource_ids.h"
#include "tests/support/wine_processes.h"

int wmain(int argc, wchar_t** argv) {
  using namespace vexlo::test;
  if (argc != 2) {
    std::fprintf(stderr, "usage: settings_dialog_remote open|exit\n");
    return 2;
  }
  HWND launcher = nullptr;
  if (!waitUntil([&] { return (launcher = findProcessWindow(L"VEXLO", 0)) != nullptr; })) {
    std::fprintf(stderr, "settings_dialog_remote: no launcher window\n");
    return 1;
  }
  if (lstrcmpW(argv[1], L"exit") == 0) {
    PostMessageW(launcher, WM_COMMAND, IDM_EXIT, 0);
    return 0;
  }
  PostMessageW(launcher, WM_COMMAND, IDM_SETTINGS, 0);
  HWND dialog = waitForDialog(0, L"設定");
  if (!dialog) {
    std::fprintf(stderr, "settings_dialog_remote: no settings dialog\n");
    return 1;
  }
  // Active, as it is for a user who has just opened it.
  SetForegroundWindow(dialog);
  // Shown is not yet painted: let the dialog's thread finish its paint.
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  sendMessageBounded(dialog, WM_NULL);
  RECT place{};
  GetWindowRect(dialog, &place);
  std::printf("%ldx%ld+%ld+%ld\n", place.right - place.left, place.bottom - place.top, place.left, place.top);
  return 0;
}

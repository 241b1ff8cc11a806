// The launcher's entry: one launcher per logon, a hidden main window and the
// message loop. Everything else happens in the main window's procedure.

#include <windows.h>

#include "launcher/launcher.h"
#include "launcher/lockon_win32.h"
#include "launcher/resources/resource_ids.h"
#include "launcher/settings/profile_win32.h"
#include "launcher/shell_win32.h"
#include "launcher/window_system_win32.h"

namespace {

constexpr int kTextCapacity = 100;
constexpr wchar_t kMutexName[] = L"VexloMutex";

int runLauncher(HINSTANCE instance) {
  // Kept open for the life of the process: its existence is the "running" mark.
  // A mutex this process may not open was made by a launcher running with
  // other rights (elevated, say): that one runs, and two would deliver every
  // press twice.
  const HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
  const DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS || (mutex == nullptr && error == ERROR_ACCESS_DENIED)) return 0;

  wchar_t title[kTextCapacity] = {};
  wchar_t className[kTextCapacity] = {};
  LoadStringW(instance, IDS_WINDOW_TITLE, title, kTextCapacity);
  LoadStringW(instance, IDS_WINDOW_CLASS, className, kTextCapacity);

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = vexlo::mainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VEXLO));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = className;
  windowClass.hIconSm = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SMALL));
  RegisterClassExW(&windowClass);

  // Creation loads resources from the module and works through the seams.
  vexlo::Launcher& launcher = vexlo::launcher();
  launcher.module = reinterpret_cast<vexlo::ModuleHandle>(instance);
  launcher.windowSystem = &vexlo::win32WindowSystem();
  launcher.lockOnPlatform = &vexlo::win32LockOnPlatform();
  launcher.profile = &vexlo::win32Profile();
  HWND window = CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 0;
  UpdateWindow(window);  // never shown

  HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDC_VEXLO));
  MSG message{};
  // -1 from GetMessageW is taken like any other message; only WM_QUIT ends the loop.
  while (GetMessageW(&message, nullptr, 0, 0) != 0) {
    if (!TranslateAcceleratorW(message.hwnd, accelerators, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return runLauncher(instance); }

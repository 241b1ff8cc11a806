// A stand-in for the viewer in Wine tests: a visible "TVTest Window" with one
// child button that counts the left-button messages it receives, and a file
// beside the executable holding the command line it was started with.
//   WM_APP + 1 -> button-downs the child received, WM_APP + 2 -> button-ups.

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

constexpr UINT kQueryDowns = WM_APP + 1;
constexpr UINT kQueryUps = WM_APP + 2;

LONG g_downs = 0;
LONG g_ups = 0;
WNDPROC g_buttonProc = nullptr;

LRESULT CALLBACK countingButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Two clicks in quick succession make the second down a double-click.
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) ++g_downs;
  if (message == WM_LBUTTONUP) ++g_ups;
  return CallWindowProcW(g_buttonProc, window, message, wParam, lParam);
}

LRESULT CALLBACK viewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kQueryDowns:
      return g_downs;
    case kQueryUps:
      return g_ups;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

// Written under another name and renamed, so a reader never sees half of it.
void recordCommandLine() {
  wchar_t module[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, module, MAX_PATH);
  std::wstring dir(module);
  dir.erase(dir.find_last_of(L'\\') + 1);
  const std::wstring partial = dir + L"command_line.part";
  const std::wstring done = dir + L"command_line.txt";
  HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const wchar_t* line = GetCommandLineW();
  DWORD written = 0;
  WriteFile(file, line, static_cast<DWORD>(std::wcslen(line) * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
  MoveFileExW(partial.c_str(), done.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  recordCommandLine();

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = viewerProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"TVTest Window";
  RegisterClassW(&windowClass);

  HWND viewer = CreateWindowExW(0, L"TVTest Window", L"TVTest", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 400,
                                300, nullptr, nullptr, instance, nullptr);
  HWND button = CreateWindowExW(0, L"Button", L"Picture", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 160, 80,
                                viewer, reinterpret_cast<HMENU>(7), instance, nullptr);
  g_buttonProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countingButtonProc)));
  SetForegroundWindow(viewer);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

// Stands in for a running TVTest in the Wine tests: its main window with a
// channel display, a full-screen window, a fixed-size "ファイルを開く" dialog
// with the standard controls, and an mAgicTV window. Every remote message
// and key-down its windows receive goes as one line into the log file named
// on the command line; "ready" is written once every window exists.
//   core_wine_helper.exe LOG_PATH
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

FILE* g_log = nullptr;

void logLine(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(g_log, format, args);
  va_end(args);
  std::fputc('\n', g_log);
  std::fflush(g_log);
}

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND g_fileList = nullptr;

INT_PTR CALLBACK dialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  // Shown again, the dialog starts with the file list focused, as the real one does.
  if (message == WM_SHOWWINDOW && wParam && g_fileList) SetFocus(g_fileList);
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

void registerClass(const wchar_t* name) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = mainProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = name;
  RegisterClassW(&wc);
}

HWND child(HWND parent, const wchar_t* className, int id, DWORD style, const wchar_t* text = L"") {
  return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, 5, 6, 70, 20, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

// A fixed-size dialog (no WS_THICKFRAME) from an in-memory template.
HWND createOpenDialog() {
  std::vector<WORD> t(64, 0);
  auto* head = reinterpret_cast<DLGTEMPLATE*>(t.data());
  head->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  head->cx = 300;
  head->cy = 200;
  const wchar_t title[] = L"ファイルを開く";
  WORD* p = reinterpret_cast<WORD*>(head + 1);
  *p++ = 0;  // no menu
  *p++ = 0;  // the standard dialog class
  for (const wchar_t* c = title; *c; ++c) *p++ = static_cast<WORD>(*c);
  *p = 0;
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), head, nullptr, dialogProc, 0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc < 2 || _wfopen_s(&g_log, argv[1], L"w") != 0 || g_log == nullptr) return 2;

  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const UINT remote = RegisterWindowMessageW(L"Vexlo2 GV-RCKIT3");
  for (const wchar_t* name : {L"TVTest Window", L"TVTest Channel Display", L"TVTest Fullscreen", L"mAgicTVWindow",
                              L"SHELLDLL_DefView"}) {
    registerClass(name);
  }
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  CreateWindowExW(0, L"mAgicTVWindow", L"mAgicTV", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 40, 200, 150, nullptr,
                  nullptr, instance, nullptr);
  CreateWindowExW(0, L"TVTest Fullscreen", L"", WS_POPUP, 0, 0, 320, 240, nullptr, nullptr, instance, nullptr);
  const HWND viewer = CreateWindowExW(0, L"TVTest Window", L"TVTest", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                      400, 300, nullptr, nullptr, instance, nullptr);
  CreateWindowExW(0, L"TVTest Channel Display", L"", WS_CHILD, 10, 10, 200, 100, viewer,
                  reinterpret_cast<HMENU>(1), instance, nullptr);

  const HWND dialog = createOpenDialog();
  child(dialog, L"ToolbarWindow32", 0x04A0, CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | CCS_VERT);
  g_fileList = child(dialog, L"SHELLDLL_DefView", 0x0461, WS_TABSTOP);
  child(dialog, L"Static", 0x0442, 0, L"ファイル名:");
  child(dialog, L"ComboBoxEx32", 0x047C, CBS_DROPDOWN);
  child(dialog, L"Static", 0x0441, 0, L"ファイルの種類:");
  child(dialog, L"ComboBox", 0x0470, CBS_DROPDOWNLIST);
  child(dialog, L"Button", IDOK, BS_DEFPUSHBUTTON, L"開く");
  child(dialog, L"Button", IDCANCEL, BS_PUSHBUTTON, L"キャンセル");
  logLine("ready %lu", GetCurrentProcessId());

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    char className[100] = "";
    GetClassNameA(msg.hwnd, className, static_cast<int>(sizeof className));
    if (remote != 0 && msg.message == remote) {
      logLine("remote %s %llu %lld", className, static_cast<unsigned long long>(msg.wParam),
              static_cast<long long>(msg.lParam));
    } else if (msg.message == WM_KEYDOWN) {
      logLine("keydown %s %d %llu %s", className, GetDlgCtrlID(msg.hwnd), static_cast<unsigned long long>(msg.wParam),
              GetFocus() == msg.hwnd ? "focused" : "unfocused");
    }
    DispatchMessageW(&msg);
  }
  std::fclose(g_log);
  return 0;
}

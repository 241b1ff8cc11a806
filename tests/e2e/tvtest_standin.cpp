// A stand-in for TVTest, as our plugin sees its host: a "TVTest Window" main
// window, optionally a channel display and an open-file dialog, the plugin
// loaded and driven through its four exports, host messages answered, and
// every controller button press written to a log that the tests read. It
// reads the plugin's records as the host does, by the host's layout, and
// refuses a controller record the host would refuse, logging why.
//
//   tvtest_standin.exe [--log FILE] [--plugin FILE] [--channel-display] [--open-dialog] [options...]

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "plugin/tvtest_host.h"
#include "tests/e2e/standin_ids.h"
#include "tests/support/host_records.h"
#include "tests/support/wine_files.h"

namespace {

using namespace TVTest;
namespace records = vexlo::test::host;

HostLParam TVT_STDCALL hostCallback(HostParam*, std::uint32_t message, HostLParam p1, HostLParam p2);

struct Host {
  records::HostParamRecord param{reinterpret_cast<std::uintptr_t>(&hostCallback), 0};
  HWND mainWindow = nullptr;
  std::wstring logPath;
  EventCallbackFunc eventCallback = nullptr;
  void* eventClient = nullptr;
  WindowMessageCallbackFunc messageCallback = nullptr;
  void* messageClient = nullptr;
  std::wstring controllerName;
  std::vector<records::CopiedButton> buttons;
  UINT remoteMessage = 0;
  LRESULT presses = 0;  // controller buttons run, for kCountMessage
  LRESULT keys = 0;     // key strokes that arrived, whichever window they were for
} g_host;
HWND g_dialog = nullptr;  // the open-file dialog, when it was asked for

// One line per event, appended and flushed at once so a reader in another
// process sees it as soon as it happened.
void logLine(const std::wstring& line) {
  if (g_host.logPath.empty()) return;
  HANDLE file = CreateFileW(g_host.logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::string bytes = vexlo::test::utf8(line) + "\n";
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::wstring hex(std::uintptr_t value) {
  wchar_t text[32];
  swprintf(text, 32, L"0x%llX", static_cast<unsigned long long>(value));
  return text;
}

std::wstring text(HostLParam pointer) {
  const wchar_t* p = reinterpret_cast<const wchar_t*>(pointer);
  return p ? p : L"";
}

HostLParam registerController(const void* record) {
  records::ControllerReading reading = records::ReadController(record);
  if (!reading.refusal.empty()) {
    logLine(L"controller-refused " + std::wstring(reading.refusal.begin(), reading.refusal.end()));
    return 0;
  }
  g_host.controllerName = reading.controller.name;
  g_host.buttons = std::move(reading.controller.buttons);
  logLine(L"controller " + g_host.controllerName + L" buttons=" + std::to_wstring(g_host.buttons.size()) +
          L" text=" + reading.controller.text);
  return 1;
}

HostLParam buttonDown(const std::wstring& controller, HostLParam index) {
  if (controller != g_host.controllerName || index < 0 || index >= static_cast<HostLParam>(g_host.buttons.size())) {
    logLine(L"press-unknown controller=" + controller + L" index=" + std::to_wstring(index));
    return 0;
  }
  const records::CopiedButton& b = g_host.buttons[static_cast<std::size_t>(index)];
  ++g_host.presses;
  logLine(L"press index=" + std::to_wstring(index) + L" name=" + b.name + L" default=" + b.defaultCommand);
  return 1;
}

HostLParam TVT_STDCALL hostCallback(HostParam*, std::uint32_t message, HostLParam p1, HostLParam p2) {
  switch (message) {
    case kMessageSetEventCallback:
      g_host.eventCallback = reinterpret_cast<EventCallbackFunc>(p1);
      g_host.eventClient = reinterpret_cast<void*>(p2);
      return 1;
    case kMessageAddLog:
      logLine(L"log " + text(p1));
      return 1;
    case kMessageSetWindowMessageCallback:
      g_host.messageCallback = reinterpret_cast<WindowMessageCallbackFunc>(p1);
      g_host.messageClient = reinterpret_cast<void*>(p2);
      return 1;
    case kMessageRegisterController:
      return registerController(reinterpret_cast<const void*>(p1));
    case kMessageOnControllerButtonDown:
      return buttonDown(text(p1), p2);
    default:
      return 0;
  }
}

// Windows whose key input the tests watch log each WM_KEYDOWN with their role.
LRESULT CALLBACK keyLoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN) {
    logLine(L"key window=" + hex(reinterpret_cast<std::uintptr_t>(window)) + L" id=" +
            std::to_wstring(GetDlgCtrlID(window)) + L" vk=" + hex(wParam));
  }
  if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS;
  if (message == WM_LBUTTONDOWN) SetFocus(window);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // The host offers every message of its main window to the plugin first.
  if (g_host.messageCallback) {
    HostLParam result = 0;
    if (g_host.messageCallback(reinterpret_cast<HostWindow>(window), message, wParam, lParam, &result,
                               g_host.messageClient)) {
      return result;
    }
  }
  if (message != 0 && message == g_host.remoteMessage) {
    logLine(L"unhandled-remote wParam=" + hex(wParam));
    return 0;
  }
  if (message == kCountMessage) return wParam == kCountKeys ? g_host.keys : g_host.presses;
  if (message == kComeToFrontMessage) return SetForegroundWindow(g_dialog ? g_dialog : window);
  if (message == kHangMessage) {
    logLine(L"hang ms=" + std::to_wstring(wParam));
    Sleep(static_cast<DWORD>(wParam));
    logLine(L"hang-end");
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

INT_PTR CALLBACK openDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SetFocus(GetDlgItem(dialog, kFileListId));
    return FALSE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    logLine(L"dialog-command id=" + std::to_wstring(LOWORD(wParam)));
    return TRUE;
  }
  return FALSE;
}

void registerClasses(HINSTANCE instance) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof(wc);
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpfnWndProc = mainWindowProc;
  wc.lpszClassName = L"TVTest Window";
  RegisterClassExW(&wc);
  wc.lpfnWndProc = keyLoggingProc;
  wc.lpszClassName = L"TVTest Channel Display";
  RegisterClassExW(&wc);
  // The shell's file list, as the layout of the open-file dialog expects it.
  wc.lpszClassName = L"SHELLDLL_DefView";
  RegisterClassExW(&wc);
}

bool hasFlag(int argc, wchar_t** argv, const wchar_t* flag) {
  for (int i = 1; i < argc; ++i)
    if (wcscmp(argv[i], flag) == 0) return true;
  return false;
}

std::wstring optionValue(int argc, wchar_t** argv, const wchar_t* name) {
  for (int i = 1; i + 1 < argc; ++i)
    if (wcscmp(argv[i], name) == 0) return argv[i + 1];
  return {};
}

std::wstring besideExecutable(const wchar_t* name) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path);
  dir.resize(dir.find_last_of(L'\\') + 1);
  return dir + name;
}

template <class F>
F exportOf(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  g_host.logPath = optionValue(argc, argv, L"--log");
  if (g_host.logPath.empty()) g_host.logPath = besideExecutable(L"standin.log");
  std::wstring pluginPath = optionValue(argc, argv, L"--plugin");
  if (pluginPath.empty()) pluginPath = besideExecutable(L"Plugins\\Vexlo2.tvtp");

  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  registerClasses(instance);
  g_host.remoteMessage = RegisterWindowMessageW(L"Vexlo2 GV-RCKIT3");

  g_host.mainWindow = CreateWindowExW(0, L"TVTest Window", L"TVTest stand-in", WS_OVERLAPPEDWINDOW, 40, 40, 480, 320,
                                      nullptr, nullptr, instance, nullptr);
  if (!g_host.mainWindow) return 1;
  g_host.param.SetMainWindow(reinterpret_cast<std::uintptr_t>(g_host.mainWindow));

  HMODULE plugin = LoadLibraryW(pluginPath.c_str());
  if (!plugin) {
    logLine(L"error plugin-not-loaded " + pluginPath);
    return 2;
  }
  auto getVersion = exportOf<DWORD(TVT_STDCALL*)()>(plugin, "TVTGetVersion");
  // Records cross as the host's bytes, not as the plugin declares them.
  auto getInfo = exportOf<HostBool(TVT_STDCALL*)(void*)>(plugin, "TVTGetPluginInfo");
  auto initialize = exportOf<HostBool(TVT_STDCALL*)(void*)>(plugin, "TVTInitialize");
  auto finalize = exportOf<HostBool(TVT_STDCALL*)()>(plugin, "TVTFinalize");
  if (!getVersion || !getInfo || !initialize || !finalize) {
    logLine(L"error exports-missing");
    return 3;
  }
  std::vector<std::uint8_t> info(records::kHostLayout.pluginInfo.size);
  if (getVersion() != kInterfaceVersion || !getInfo(info.data())) {
    logLine(L"error plugin-refused");
    return 4;
  }
  logLine(L"plugin " + records::ReadPluginInfo(info.data()).name.value_or(L""));
  if (!initialize(g_host.param.data())) {
    logLine(L"error plugin-refused");
    return 4;
  }
  // Enabling the plugin, as the host does for a plugin the user switched on.
  if (!g_host.eventCallback || !g_host.eventCallback(kEventPluginEnable, 1, 0, g_host.eventClient)) {
    logLine(L"error enable-refused");
    return 5;
  }

  ShowWindow(g_host.mainWindow, SW_SHOW);
  UpdateWindow(g_host.mainWindow);
  if (hasFlag(argc, argv, L"--channel-display")) {
    CreateWindowExW(0, L"TVTest Channel Display", L"", WS_CHILD | WS_VISIBLE, 10, 10, 300, 200, g_host.mainWindow,
                    nullptr, instance, nullptr);
  }
  HWND dialog = nullptr;
  if (hasFlag(argc, argv, L"--open-dialog")) {
    dialog = CreateDialogParamW(instance, MAKEINTRESOURCEW(kOpenDialogId), g_host.mainWindow, openDialogProc, 0);
    g_dialog = dialog;
    ShowWindow(dialog, SW_SHOW);
  }

  std::wstring commandLine = GetCommandLineW();
  logLine(L"ready pid=" + std::to_wstring(GetCurrentProcessId()) + L" window=" +
          hex(reinterpret_cast<std::uintptr_t>(g_host.mainWindow)) + L" dialog=" +
          hex(reinterpret_cast<std::uintptr_t>(dialog)) + L" cmdline=" + commandLine);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_KEYDOWN) {
      ++g_host.keys;
      wchar_t className[64] = L"";
      GetClassNameW(message.hwnd, className, 64);
      logLine(L"keydown class=" + std::wstring(className) + L" vk=" + hex(message.wParam));
    }
    if (dialog && IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  g_host.messageCallback = nullptr;
  finalize();
  FreeLibrary(plugin);
  LocalFree(argv);
  return 0;
}

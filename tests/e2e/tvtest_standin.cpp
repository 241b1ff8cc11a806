// A stand-in for TVTest in every Wine test, as our plugin and the launcher
// see it: a "TVTest Window" main window with the plugin loaded and driven as
// the host drives it (tests/support's plugin host, which reads the plugin's
// records by the host's layout and refuses what the host would refuse), and
// on request the windows a user may have up beside it. What arrives is
// written to a log the tests read, one line an event.
//
//   tvtest_standin.exe [--log=FILE] [--plugin=FILE | --no-plugin] [--channel-display] [--open-dialog]
//                      [--magictv] [--fullscreen] [--counting-button] [--not-a-viewer] [options...]
//
// --log defaults to standin.log and --plugin to Plugins\Vexlo2.tvtp beside
// the executable, where a launcher that starts it as TVTest.exe finds them.
// --channel-display: a visible channel display in the main window.
// --open-dialog: a fixed-size "ファイルを開く" dialog with the standard controls.
// --magictv: a visible mAgicTV window. --fullscreen: a hidden full-screen window.
// --counting-button: a button in the main window that counts the clicks on it.
// --not-a-viewer: the main window of a class no viewer has, as another program's.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <iterator>
#include <optional>
#include <string>

#include "tests/e2e/standin_ids.h"
#include "tests/support/plugin_host_win32.h"
#include "tests/support/wine_files.h"
#include "tests/support/wine_processes.h"

namespace vexlo::test {
namespace {

std::wstring g_logPath;
UINT g_remoteMessage = 0;
HWND g_dialog = nullptr;  // the open-file dialog, when it was asked for
WNDPROC g_buttonProc = nullptr;
LRESULT g_counts[kCountClickUps + 1] = {};  // by kCount...

// One line per event, written unbuffered at once so a reader in another
// process sees it as soon as it happened. The file stays open: opening it for
// every line cost a soak's presses more than all else the stand-in does.
void logLine(const std::wstring& line) {
  static const HANDLE file = CreateFileW(g_logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE |
                                         FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::string bytes = utf8(line) + "\n";
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::wstring hex(std::uintptr_t value) {
  wchar_t text[32];
  swprintf(text, 32, L"0x%llX", static_cast<unsigned long long>(value));
  return text;
}

// What the plugin asks of the host, as log lines; the host keeps no record.
void logHostMessage(PluginHost& host, const HostMessage& m) {
  if (m.message == TVTest::kMessageAddLog) logLine(L"log " + m.text);
  if (m.message == TVTest::kMessageRegisterController) {
    if (!host.refusal.empty()) {
      logLine(L"controller-refused " + std::wstring(host.refusal.begin(), host.refusal.end()));
    } else {
      const CopiedController& c = host.controllers.back();
      logLine(L"controller " + c.name + L" buttons=" + std::to_wstring(c.buttons.size()) + L" text=" + c.text);
    }
  }
  if (m.message == TVTest::kMessageOnControllerButtonDown) {
    const CopiedButton* b = host.button(m.text, m.lParam2);
    if (b) ++g_counts[kCountPresses];
    logLine(b ? L"press index=" + std::to_wstring(m.lParam2) + L" name=" + b->name + L" default=" + b->defaultCommand
              : L"press-unknown controller=" + m.text + L" index=" + std::to_wstring(m.lParam2));
  }
  host.clear();
}

// What the plugin leaves of the main window's messages.
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != 0 && message == g_remoteMessage) {
    logLine(L"unhandled-remote wParam=" + hex(wParam) + L" lParam=" + hex(static_cast<std::uintptr_t>(lParam)));
    return 0;
  }
  if (message == kCountMessage) return wParam < std::size(g_counts) ? g_counts[wParam] : 0;
  if (message == kComeToFrontMessage) return SetForegroundWindow(g_dialog ? g_dialog : window);
  if (message == kHangMessage) {
    logLine(L"hang ms=" + std::to_wstring(wParam));
    Sleep(static_cast<DWORD>(wParam));
    logLine(L"hang-end");
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

// The channel display and the file list take every key, and the focus on a click.
LRESULT CALLBACK keyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETDLGCODE) return DLGC_WANTALLKEYS;
  if (message == WM_LBUTTONDOWN) SetFocus(window);
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK countingButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Two clicks in quick succession make the second down a double-click.
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) ++g_counts[kCountClickDowns];
  if (message == WM_LBUTTONUP) ++g_counts[kCountClickUps];
  return CallWindowProcW(g_buttonProc, window, message, wParam, lParam);
}

// The file list has the focus, as in the shell's dialog.
INT_PTR CALLBACK openDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) SetFocus(GetDlgItem(dialog, kFileListId));
  return FALSE;
}

std::wstring optionValue(const wchar_t* name, const wchar_t* besideExecutable) {
  const std::wstring value = commandLineOption(name);
  if (!value.empty()) return value;
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path);
  return dir.substr(0, dir.find_last_of(L'\\') + 1) + besideExecutable;
}

// The step of starting the plugin that failed, logged; its exit code.
int failed(int exitCode, const std::wstring& step) {
  logLine(L"error " + step);
  return exitCode;
}

// Loads, initialises and enables the plugin as the host does for a plugin
// the user switched on; 0, or the exit code that says which step failed.
int startPlugin(LoadedPlugin& plugin, PluginHost& host, const std::wstring& path) {
  if (!plugin.module()) return failed(2, L"plugin-not-loaded " + path);
  if (!plugin.complete()) return failed(3, L"exports-missing");
  std::string info(kHostLayout.pluginInfo.size, '\0');
  if (plugin.getVersion() != TVTest::kInterfaceVersion || !plugin.getPluginInfo(info.data())) {
    return failed(4, L"plugin-refused");
  }
  logLine(L"plugin " + readPluginInfo(info.data()).name.value_or(L""));
  if (!plugin.initialize(host.param())) return failed(4, L"plugin-refused");
  if (host.enable(true) == 0) return failed(5, L"enable-refused");
  return 0;
}

HWND child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, RECT place, int id) {
  return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top, place.right,
                         place.bottom, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace
}  // namespace vexlo::test

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace vexlo::test;
  g_logPath = optionValue(L"log", L"standin.log");
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES | ICC_USEREX_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  registerWindowClass(L"TVTest Channel Display", keyWindowProc);
  registerWindowClass(L"SHELLDLL_DefView", keyWindowProc);  // the shell's file list, for the open-file dialog
  registerWindowClass(L"TVTest Fullscreen", DefWindowProcW);
  registerWindowClass(L"mAgicTVWindow", DefWindowProcW);
  g_remoteMessage = RegisterWindowMessageW(L"Vexlo2 GV-RCKIT3");

  PluginHost host;
  host.onMessage = [&](const HostMessage& m) { logHostMessage(host, m); };
  const wchar_t* mainClass = commandLineFlag(L"not-a-viewer") ? L"Vexlo Test Window" : L"TVTest Window";
  const HWND mainWindow = createHostWindow(host, mainClass, L"TVTest stand-in", mainWindowProc);
  if (!mainWindow) return 1;
  std::optional<LoadedPlugin> plugin;
  if (!commandLineFlag(L"no-plugin")) {
    const std::wstring path = optionValue(L"plugin", L"Plugins\\Vexlo2.tvtp");
    if (const int failed = startPlugin(plugin.emplace(path), host, path)) return failed;
  }

  ShowWindow(mainWindow, SW_SHOW);
  UpdateWindow(mainWindow);
  if (commandLineFlag(L"channel-display")) {
    child(mainWindow, L"TVTest Channel Display", L"", 0, {10, 10, 300, 200}, 0);
  }
  if (commandLineFlag(L"counting-button")) {
    const HWND button = child(mainWindow, L"Button", L"Picture", BS_PUSHBUTTON, {20, 20, 160, 80}, kCountingButtonId);
    g_buttonProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countingButtonProc)));
  }
  if (commandLineFlag(L"magictv")) {
    CreateWindowExW(0, L"mAgicTVWindow", L"mAgicTV", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 40, 200, 150, nullptr,
                    nullptr, instance, nullptr);
  }
  if (commandLineFlag(L"fullscreen")) {
    CreateWindowExW(0, L"TVTest Fullscreen", L"", WS_POPUP, 0, 0, 320, 240, nullptr, nullptr, instance, nullptr);
  }
  if (commandLineFlag(L"open-dialog")) {
    g_dialog = CreateDialogParamW(instance, MAKEINTRESOURCEW(kOpenDialogId), mainWindow, openDialogProc, 0);
    ShowWindow(g_dialog, SW_SHOW);
  }
  logLine(L"ready pid=" + std::to_wstring(GetCurrentProcessId()) + L" window=" +
          hex(reinterpret_cast<std::uintptr_t>(mainWindow)) + L" dialog=" +
          hex(reinterpret_cast<std::uintptr_t>(g_dialog)) + L" cmdline=" + GetCommandLineW());

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_KEYDOWN) {
      ++g_counts[kCountKeys];
      wchar_t className[64] = L"";
      GetClassNameW(message.hwnd, className, 64);
      logLine(L"keydown class=" + std::wstring(className) + L" id=" + std::to_wstring(GetDlgCtrlID(message.hwnd)) +
              L" vk=" + hex(message.wParam) + (GetFocus() == message.hwnd ? L" focused" : L" unfocused"));
    }
    if (g_dialog && IsDialogMessageW(g_dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  host.windowMessageCallback = nullptr;
  if (plugin) plugin->finalize();
  return 0;
}

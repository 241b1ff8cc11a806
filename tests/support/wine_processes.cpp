#include "tests/support/wine_processes.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace vexlo::test {
namespace {

constexpr DWORD kPollInterval = 10;
constexpr DWORD kAnswerTime = 5000;  // for a window to answer a sent message
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kSettingsTitle[] = L"設定";
constexpr int kTextCapacity = 4096;

DWORD readTimeScale() {
  wchar_t text[16] = {};
  const DWORD length = GetEnvironmentVariableW(L"VEXLO_TIME_SCALE", text, 16);
  const long scale = length > 0 && length < 16 ? std::wcstol(text, nullptr, 10) : 1;
  return scale >= 1 && scale <= 100 ? static_cast<DWORD>(scale) : 1;
}

bool poll(const std::function<bool()>& done, DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + worldTime(milliseconds);
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollInterval);
  }
}

std::vector<std::wstring> commandLineArguments() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> arguments;
  for (int i = 0; argv && i < argc; ++i) arguments.emplace_back(argv[i]);
  LocalFree(argv);
  return arguments;
}

BOOL CALLBACK appendWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

}  // namespace

DWORD worldTime(DWORD milliseconds) {
  static const DWORD scale = readTimeScale();
  return milliseconds * scale;
}

bool endChildrenWithThisProcess() {
  // The one handle stays open until this process ends; its close ends the job.
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  if (!job) return false;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  return SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof(limits)) &&
         AssignProcessToJobObject(job, GetCurrentProcess());
}

RunningProgram::~RunningProgram() {
  if (!info_.hProcess) return;
  terminate();
  CloseHandle(info_.hProcess);
  if (info_.hThread) CloseHandle(info_.hThread);
}

bool RunningProgram::start(const std::wstring& executable, const std::wstring& arguments) {
  std::wstring line = L"\"" + executable + L"\"";
  if (!arguments.empty()) line += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  // Inherited: a crash ends the program at once instead of waiting on a debugger.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  return CreateProcessW(executable.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info_) != 0;
}

bool RunningProgram::attach(DWORD processId) {
  info_.hProcess = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, processId);
  info_.dwProcessId = processId;
  return info_.hProcess != nullptr;
}

void RunningProgram::close(HWND window, DWORD graceMilliseconds) {
  if (!running()) return;
  if (window) PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(info_.hProcess, worldTime(graceMilliseconds)) != WAIT_OBJECT_0) terminate();
}

bool RunningProgram::running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool RunningProgram::waitForExit(DWORD milliseconds, DWORD& exitCode) {
  if (!info_.hProcess || WaitForSingleObject(info_.hProcess, worldTime(milliseconds)) != WAIT_OBJECT_0) return false;
  return GetExitCodeProcess(info_.hProcess, &exitCode) != 0;
}

void RunningProgram::terminate() {
  if (!running()) return;
  TerminateProcess(info_.hProcess, 99);
  WaitForSingleObject(info_.hProcess, 10000);
}

bool sendMessageBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  DWORD_PTR answer = 0;
  const bool answered =
      SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, worldTime(kAnswerTime), &answer) != 0;
  if (result) *result = answered ? static_cast<LRESULT>(answer) : 0;
  return answered;
}

LRESULT askWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  sendMessageBounded(window, message, wParam, lParam, &result);
  return result;
}

bool waitUntil(const std::function<bool()>& done, DWORD milliseconds, const std::function<std::string()>& seen,
               const char* file, int line) {
  if (poll(done, milliseconds)) return true;
  std::printf("%s:%d: waited %lu ms in vain%s%s\n", file, line, static_cast<unsigned long>(worldTime(milliseconds)),
              seen ? "; seen: " : "", seen ? seen().c_str() : "");
  std::fflush(stdout);
  return false;
}

bool happensWithin(const std::function<bool()>& done, DWORD milliseconds) { return poll(done, milliseconds); }

// One snapshot of the Z order, not FindWindowExW from the last window found
// (this Wine's server loops for ever on a search that starts after a window
// whose destruction has begun, a closing menu say), its names compared as
// FindWindowExW compares them: the stored title, no message sent, any case.
std::vector<HWND> processWindows(const wchar_t* className, DWORD processId, const wchar_t* title) {
  std::vector<HWND> all, windows;
  EnumWindows(appendWindow, reinterpret_cast<LPARAM>(&all));
  for (HWND w : all) {
    wchar_t found[256] = {};
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (processId != 0 && owner != processId) continue;
    if (className && (GetClassNameW(w, found, 256) == 0 || _wcsicmp(found, className) != 0)) continue;
    if (title && (InternalGetWindowText(w, found, 256), _wcsicmp(found, title) != 0)) continue;
    windows.push_back(w);
  }
  return windows;
}

HWND findProcessWindow(const wchar_t* className, DWORD processId, const wchar_t* title) {
  const std::vector<HWND> windows = processWindows(className, processId, title);
  return windows.empty() ? nullptr : windows.front();
}

std::string describeWindow(HWND w) {
  wchar_t className[64] = {}, title[64] = {};
  GetClassNameW(w, className, 64);
  GetWindowTextW(w, title, 64);
  char entry[400];
  std::snprintf(entry, sizeof entry, "%p %ls \"%ls\"%s", static_cast<void*>(w), className, title,
                IsWindowVisible(w) ? "" : " (hidden)");
  return entry;
}

std::string describeWindows(DWORD processId, const wchar_t* className) {
  std::string text;
  for (HWND w : processWindows(className, processId)) text += (text.empty() ? "" : ", ") + describeWindow(w);
  if (!text.empty()) return text;
  return processId ? "no window of process " + std::to_string(processId) : "no such window";
}

std::string describeForeground() {
  HWND w = GetForegroundWindow();
  if (!w) return "no window in front";
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  // Raw input goes to the thread of the focus of the input in front: with
  // none, this Wine hands it to no one.
  GUITHREADINFO input{};
  input.cbSize = sizeof(input);
  GetGUIThreadInfo(0, &input);
  return "in front " + describeWindow(w) + " of process " + std::to_string(owner) + ", focus on " +
         (input.hwndFocus ? describeWindow(input.hwndFocus) : "nothing") + ", capture " +
         (input.hwndCapture ? describeWindow(input.hwndCapture) : "none");
}

void registerWindowClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = name;
  RegisterClassW(&wc);
}

std::wstring commandLineArgument(int index) {
  const std::vector<std::wstring> arguments = commandLineArguments();
  return index >= 0 && static_cast<std::size_t>(index) < arguments.size() ? arguments[index] : L"";
}

std::wstring commandLineOption(const wchar_t* name) {
  const std::wstring prefix = L"--" + std::wstring(name) + L"=";
  std::wstring value;
  for (const std::wstring& argument : commandLineArguments()) {
    if (argument.rfind(prefix, 0) == 0) value = argument.substr(prefix.size());
  }
  return value;
}

bool commandLineFlag(const wchar_t* name) {
  const std::vector<std::wstring> arguments = commandLineArguments();
  return std::find(arguments.begin(), arguments.end(), L"--" + std::wstring(name)) != arguments.end();
}

std::vector<HWND> settingsDialogs(DWORD processId) {
  std::vector<HWND> dialogs;
  // A dialog is shown only once WM_INITDIALOG has filled its controls.
  for (HWND w : processWindows(kDialogClass, processId, kSettingsTitle)) {
    if (IsWindowVisible(w)) dialogs.push_back(w);
  }
  return dialogs;
}

HWND waitForDialog(DWORD processId, const wchar_t* title, DWORD milliseconds) {
  HWND dialog = nullptr;
  // The dialog exists before its controls do; it is shown once they all are.
  waitUntil(
      [&] {
        dialog = findProcessWindow(kDialogClass, processId, title);
        return dialog != nullptr && IsWindowVisible(dialog);
      },
      milliseconds, [&] { return describeWindows(processId); });
  return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

// Controls of another process do not keep their text where GetWindowTextW
// looks, so it is asked for with the message, which Windows carries across.
std::wstring controlText(HWND control) {
  wchar_t text[kTextCapacity] = {};
  askWindow(control, WM_GETTEXT, kTextCapacity, reinterpret_cast<LPARAM>(text));
  return text;
}

std::wstring controlText(HWND dialog, int id) { return controlText(GetDlgItem(dialog, id)); }

void setControlText(HWND dialog, int id, const std::wstring& text) {
  askWindow(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool isChecked(HWND dialog, int id) { return askWindow(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool isEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

void click(HWND dialog, int id) { askWindow(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool clickAndWaitClosed(HWND dialog, int id) {
  click(dialog, id);
  return waitUntil([&] { return !IsWindow(dialog); });
}

bool commandAndWaitClosed(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, id, 0);
  return waitUntil([&] { return !IsWindow(dialog); });
}

}  // namespace vexlo::test

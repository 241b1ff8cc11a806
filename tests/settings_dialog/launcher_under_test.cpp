#include "tests/settings_dialog/launcher_under_test.h"

#include "launcher/resources/resource_ids.h"
#include "tests/support/wine_path.h"

namespace vexlo::test {
namespace {

constexpr wchar_t kSection[] = L"Vexlo";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kDialogTitle[] = L"設定";
constexpr DWORD kMessageTime = 5000;
constexpr DWORD kNoExit = 0xDEADBEEF;

HWND findMainWindow(DWORD processId) {
  for (HWND w = FindWindowExW(nullptr, nullptr, L"VEXLO", nullptr); w; w = FindWindowExW(nullptr, w, L"VEXLO", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == processId) return w;
  }
  return nullptr;
}

LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTime, &result);
  return static_cast<LRESULT>(result);
}

}  // namespace

bool waitUntil(const std::function<bool()>& done, DWORD milliseconds) {
  const ULONGLONG deadline = GetTickCount64() + milliseconds;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(10);
  }
}

// The launcher writes its INI beside itself, so each test runs its own copy.
LauncherUnderTest::LauncherUnderTest() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static int serial = 0;
  directory_ = std::wstring(temp) + L"vexlo settings dialog " + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(++serial);
  CreateDirectoryW(directory_.c_str(), nullptr);
  exe_ = directory_ + L"\\Vexlo.exe";
  ini_ = directory_ + L"\\Vexlo.ini";
  CopyFileW(windowsPath(VEXLO_EXE).c_str(), exe_.c_str(), FALSE);
}

LauncherUnderTest::~LauncherUnderTest() {
  if (info_.hProcess) {
    kill();
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
  DeleteFileW(exe_.c_str());
  DeleteFileW(ini_.c_str());
  RemoveDirectoryW(directory_.c_str());
}

void LauncherUnderTest::prepareIni(const IniValues& values) {
  for (const auto& [key, value] : values) WritePrivateProfileStringW(kSection, key, value.c_str(), ini_.c_str());
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, ini_.c_str());  // flush the profile cache
}

std::wstring LauncherUnderTest::iniValue(const wchar_t* key) const {
  wchar_t value[512] = {};
  GetPrivateProfileStringW(kSection, key, L"<absent>", value, 512, ini_.c_str());
  return value;
}

IniValues LauncherUnderTest::iniValues(const std::vector<const wchar_t*>& keys) const {
  IniValues values;
  for (const wchar_t* key : keys) values.emplace_back(key, iniValue(key));
  return values;
}

bool LauncherUnderTest::start() {
  std::wstring line = L"\"" + exe_ + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  // Inherited: a crash ends the launcher at once instead of waiting on a debugger.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  if (!CreateProcessW(exe_.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_)) {
    return false;
  }
  return waitUntil([&] { return (main_ = findMainWindow(info_.dwProcessId)) != nullptr; });
}

HWND LauncherUnderTest::openSettings(const std::vector<HWND>& open) {
  PostMessageW(main_, WM_COMMAND, IDM_SETTINGS, 0);
  HWND found = nullptr;
  waitUntil([&] {
    for (HWND dialog : settingsDialogs(info_.dwProcessId)) {
      bool known = false;
      for (HWND other : open) known = known || other == dialog;
      if (!known) found = dialog;
    }
    return found != nullptr;
  });
  return found;
}

DWORD LauncherUnderTest::exitByCommand() {
  PostMessageW(main_, WM_COMMAND, 105, 0);
  DWORD code = kNoExit;
  if (!waitForExit(code)) return kNoExit;
  return code;
}

void LauncherUnderTest::kill() {
  if (!running()) return;
  TerminateProcess(info_.hProcess, 99);
  WaitForSingleObject(info_.hProcess, 10000);
}

bool LauncherUnderTest::running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool LauncherUnderTest::waitForExit(DWORD& exitCode, DWORD milliseconds) {
  if (WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) return false;
  return GetExitCodeProcess(info_.hProcess, &exitCode) != 0;
}

std::vector<HWND> settingsDialogs(DWORD processId) {
  std::vector<HWND> dialogs;
  // A dialog is shown only once WM_INITDIALOG has filled its controls.
  for (HWND w = FindWindowExW(nullptr, nullptr, kDialogClass, kDialogTitle); w;
       w = FindWindowExW(nullptr, w, kDialogClass, kDialogTitle)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == processId && IsWindowVisible(w)) dialogs.push_back(w);
  }
  return dialogs;
}

// Controls of another process do not keep their text where GetWindowTextW
// looks, so it is asked for with the message, which Windows carries across.
std::wstring controlText(HWND control) {
  wchar_t text[4096] = {};
  send(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
  return text;
}

std::wstring controlText(HWND dialog, int id) { return controlText(GetDlgItem(dialog, id)); }

void setControlText(HWND dialog, int id, const std::wstring& text) {
  send(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool isChecked(HWND dialog, int id) { return send(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool isEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

void click(HWND dialog, int id) { send(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

bool clickAndWaitClosed(HWND dialog, int id) {
  click(dialog, id);
  return waitUntil([&] { return !IsWindow(dialog); });
}

}  // namespace vexlo::test

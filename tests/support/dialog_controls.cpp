#include "tests/support/dialog_controls.h"

#include "tests/support/wine_processes.h"

namespace vexlo::test {
namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kSettingsTitle[] = L"設定";
constexpr int kTextCapacity = 4096;

}  // namespace

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

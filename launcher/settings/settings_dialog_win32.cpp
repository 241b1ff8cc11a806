// The settings dialog's procedure: puts a copy of the settings into the
// controls and, on OK, the controls back into that copy, which the store
// accepts. The file is written only at teardown, by the store.

#include <windows.h>
#include <commdlg.h>

#include <cwchar>

#include "launcher/settings/decimal_text.h"
#include "launcher/settings/launcher_state.h"
#include "launcher/settings/settings_dialog.h"
#include "launcher/settings/settings_dialog_ids.h"

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(OPENFILENAMEW) == 88, "the 32-bit common dialog expects an 88-byte record");
#endif

namespace vexlo {
namespace {

constexpr int kSizeTextCapacity = 31;  // at most 30 characters and the terminator
constexpr int kPathCapacity = 260;
constexpr int kOptionsCapacity = 4096;

constexpr wchar_t kExecutableFilter[] = L"実行ファイル(*.exe)\0*.exe\0全てのファイル(*.*)\0*.*\0";
constexpr wchar_t kBrowseTitle[] = L"実行ファイルを選択してください。";

HINSTANCE moduleInstance() { return GetModuleHandleW(nullptr); }

// The radio button of each mode.
struct ModeButton {
  Mode mode;
  int id;
};
constexpr ModeButton kModeButtons[] = {
    {Mode::kHdusEmulation, IDC_MODE_HDUS},
    {Mode::kDirectInput, IDC_MODE_DIRECT},
    {Mode::kDirectInputForegroundOnly, IDC_MODE_FOREGROUND},
};

void setChecked(HWND dialog, int id, bool checked) {
  SendDlgItemMessageW(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool isChecked(HWND dialog, int id) {
  return SendDlgItemMessageW(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void enableControls(HWND dialog, std::initializer_list<int> ids, bool enable) {
  for (int id : ids) EnableWindow(GetDlgItem(dialog, id), enable ? TRUE : FALSE);
}

void enableSizeControls(HWND dialog, bool enable) {
  enableControls(dialog, {IDC_DIALOG_WIDTH, IDC_DIALOG_HEIGHT}, enable);
}

void enableLaunchControls(HWND dialog, bool enable) {
  enableControls(dialog, {IDC_VIEWER_PATH, IDC_BROWSE, IDC_VIEWER_OPTIONS}, enable);
}

void setNumberText(HWND dialog, int id, std::int32_t value) {
  wchar_t text[16];
  wsprintfW(text, L"%d", value);
  SetDlgItemTextW(dialog, id, text);
}

std::int32_t readNumberText(HWND dialog, int id) {
  wchar_t text[kSizeTextCapacity] = {};
  GetWindowTextW(GetDlgItem(dialog, id), text, kSizeTextCapacity);
  return parseDecimalText(text);
}

std::wstring readText(HWND dialog, int id, int capacity) {
  std::wstring text(static_cast<std::size_t>(capacity), L'\0');
  int length = GetWindowTextW(GetDlgItem(dialog, id), text.data(), capacity);
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

// The copy this dialog edits, handed over at creation.
SettingsValues& valuesOf(HWND dialog) {
  return *reinterpret_cast<SettingsValues*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// Every non-zero flag shows as checked; OK writes 0 or 1.
void initDialog(HWND dialog, const SettingsValues& values) {
  setNumberText(dialog, IDC_DIALOG_WIDTH, values.dialogWidth);
  setNumberText(dialog, IDC_DIALOG_HEIGHT, values.dialogHeight);
  if (values.dialogExpand != 0) {
    setChecked(dialog, IDC_DIALOG_EXPAND, true);
  } else {
    enableSizeControls(dialog, false);
  }
  if (values.switchByOnair != 0) setChecked(dialog, IDC_SWITCH_BY_ONAIR, true);
  if (values.ignoreCursor != 0) setChecked(dialog, IDC_IGNORE_CURSOR, true);
  SetDlgItemTextW(dialog, IDC_VIEWER_PATH, values.viewerPath.c_str());
  SetDlgItemTextW(dialog, IDC_VIEWER_OPTIONS, values.viewerOptions.c_str());
  if (values.powerOnLaunch != 0) {
    setChecked(dialog, IDC_POWER_ON_LAUNCH, true);
  } else {
    enableLaunchControls(dialog, false);
  }
  for (const ModeButton& button : kModeButtons) {
    if (static_cast<std::int32_t>(button.mode) == values.mode) setChecked(dialog, button.id, true);
  }
}

// The sizes go as typed; the store raises them to their minimums when it
// accepts them.
void acceptDialog(HWND dialog, SettingsValues& values) {
  values.dialogWidth = readNumberText(dialog, IDC_DIALOG_WIDTH);
  values.dialogHeight = readNumberText(dialog, IDC_DIALOG_HEIGHT);
  values.dialogExpand = isChecked(dialog, IDC_DIALOG_EXPAND) ? 1 : 0;
  // With no radio button checked the mode keeps its value.
  for (const ModeButton& button : kModeButtons) {
    if (isChecked(dialog, button.id)) values.mode = static_cast<std::int32_t>(button.mode);
  }
  values.ignoreCursor = isChecked(dialog, IDC_IGNORE_CURSOR) ? 1 : 0;
  values.switchByOnair = isChecked(dialog, IDC_SWITCH_BY_ONAIR) ? 1 : 0;
  values.powerOnLaunch = isChecked(dialog, IDC_POWER_ON_LAUNCH) ? 1 : 0;
  values.viewerPath = readText(dialog, IDC_VIEWER_PATH, kPathCapacity);
  values.viewerOptions = readText(dialog, IDC_VIEWER_OPTIONS, kOptionsCapacity);
}

// Lets the user pick the viewer executable, starting from the current text,
// or from the launcher itself when the text names no existing file.
void browseViewer(HWND dialog) {
  wchar_t file[kPathCapacity] = {};
  GetWindowTextW(GetDlgItem(dialog, IDC_VIEWER_PATH), file, kPathCapacity);
  std::size_t length = std::wcslen(file);
  if (length > 0 && file[length - 1] == L'\\') file[length - 1] = L'\0';
  if (GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES) {
    file[0] = L'\0';
    GetModuleFileNameW(nullptr, file, kPathCapacity);
    file[kPathCapacity - 1] = L'\0';
  }

  OPENFILENAMEW request = {};
  request.lStructSize = sizeof(request);
  request.hwndOwner = dialog;
  request.lpstrFilter = kExecutableFilter;
  request.nFilterIndex = 1;
  request.lpstrFile = file;
  request.nMaxFile = kPathCapacity;
  request.lpstrTitle = kBrowseTitle;
  request.Flags = 0;
  if (GetOpenFileNameW(&request)) SetDlgItemTextW(dialog, IDC_VIEWER_PATH, file);
}

INT_PTR onCommand(HWND dialog, int id) {
  switch (id) {
    case IDOK:
      acceptDialog(dialog, valuesOf(dialog));
      acceptSettings(valuesOf(dialog));
      EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    case IDC_DIALOG_EXPAND:
      enableSizeControls(dialog, isChecked(dialog, IDC_DIALOG_EXPAND));
      return TRUE;
    case IDC_POWER_ON_LAUNCH:
      enableLaunchControls(dialog, isChecked(dialog, IDC_POWER_ON_LAUNCH));
      return TRUE;
    case IDC_BROWSE:
      browseViewer(dialog);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK settingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      initDialog(dialog, valuesOf(dialog));
      return TRUE;
    case WM_COMMAND:
      return onCommand(dialog, LOWORD(wParam));
    default:
      return FALSE;
  }
}

}  // namespace

std::intptr_t openSettingsDialog(std::uintptr_t owner) {
  // The dialog edits its own copy, so Cancel, or an OK after teardown that
  // the store declines, changes nothing.
  SettingsValues edited = currentSettings();
  return DialogBoxParamW(moduleInstance(), MAKEINTRESOURCEW(IDD_SETTINGS), reinterpret_cast<HWND>(owner),
                         settingsDialogProc, reinterpret_cast<LPARAM>(&edited));
}

}  // namespace vexlo

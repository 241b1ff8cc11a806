// The settings dialog of the real Vexlo.exe under Wine, opened by menu
// command IDM_SETTINGS and driven from outside the process: its template, what it
// shows for a prepared file, what OK and Cancel do to the settings, when
// they reach the file, and text there that the ANSI code page cannot hold.
// Last, the settings store in this process over the real profile functions.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "launcher/settings/decimal_text.h"
#include "launcher/settings/launcher_state.h"
#include "launcher/settings/profile_win32.h"
#include "launcher/settings/settings_dialog_ids.h"
#include "launcher/settings/settings_store.h"
#include "tests/e2e/standin_ids.h"
#include "tests/support/installed_launcher.h"
#include "tests/support/launcher_program_fixture.h"
#include "tests/support/settings_keys.h"
#include "tests/support/settings_values_compared.h"
#include "tests/support/wine_files.h"
#include "tests/support/wine_processes.h"

namespace vexlo::test {
namespace {

// The nine keys, in kSettingsKeys' order, as three files hold them:
// off: direct input, every flag off but the ignored cursor, sizes above the minimums;
// on: foreground only, every flag on (one of them a hand-edited 5), enlargement on;
// edited: the off file after editEverything and OK.
const wchar_t* const kFiles[][3] = {
    {L"00000001", L"00000002", L"00000002"},                                             // ZIZU_MODE
    {L"00000001", L"00000000", L"00000000"},                                             // IgnoreCursor
    {L"00000000", L"00000005", L"00000001"},                                             // SwitchTVTestByOnair
    {L"00000000", L"00000001", L"00000001"},                                             // TVTestPowerON
    {L"C:\\TV Test\\TVTest.exe", L"D:\\TVTest\\TVTest.exe", L"F:\\Other\\TVTest.exe"},  // TVTestPath
    {L"/d BonDriver_File.dll /nodshow", L"", L"/d BonDriver_Spinel.dll"},               // TVTestOptions
    {L"00000000", L"00000001", L"00000001"},                                             // BFDialogExpand
    {L"00000500", L"00000400", L"00000780"},                                             // BFDialogWidth
    {L"000002D0", L"00000320", L"00000438"},                                             // BFDialogHeight
};

IniValues fileColumn(int column) {
  IniValues values;
  for (std::size_t i = 0; i < std::size(kSettingsKeys); ++i) values.emplace_back(kSettingsKeys[i], kFiles[i][column]);
  return values;
}

const IniValues kPreparedOff = fileColumn(0);
const IniValues kPreparedOn = fileColumn(1);
const IniValues kEditedEverything = fileColumn(2);

// Changes every control of the kPreparedOff dialog.
void editEverything(HWND dialog) {
  click(dialog, IDC_MODE_FOREGROUND);
  click(dialog, IDC_IGNORE_CURSOR);
  click(dialog, IDC_SWITCH_BY_ONAIR);
  click(dialog, IDC_POWER_ON_LAUNCH);
  click(dialog, IDC_DIALOG_EXPAND);
  setControlText(dialog, IDC_VIEWER_PATH, L"F:\\Other\\TVTest.exe");
  setControlText(dialog, IDC_VIEWER_OPTIONS, L"/d BonDriver_Spinel.dll");
  setControlText(dialog, IDC_DIALOG_WIDTH, L"1920");
  setControlText(dialog, IDC_DIALOG_HEIGHT, L"1080");
}

class SettingsDialogTest : public LauncherProgramFixture {
 protected:
  SettingsDialogTest() : LauncherProgramFixture(L"vexlo settings dialog") {}

  HWND startAndOpen(const IniValues& prepared) {
    launcher.prepareIni(prepared);
    return startAndOpenSettings();
  }

  HWND startAndEditEverything() {
    HWND dialog = startAndOpen(kPreparedOff);
    if (dialog) editEverything(dialog);
    return dialog;
  }

  bool editEverythingAndClose(int button) {
    HWND dialog = startAndEditEverything();
    return dialog != nullptr && clickAndWaitClosed(dialog, button);
  }

  // Two dialogs over kPreparedOff, the second opened over the first by the
  // menu command: everything changed in the inner one, the width set to 1000
  // in the outer one. False when either did not open.
  bool openTwoAndEdit() {
    outer = startAndOpen(kPreparedOff);
    if (!outer) return false;
    inner = launcher.openSettings({outer});
    if (!inner) return false;
    editEverything(inner);
    setControlText(outer, IDC_DIALOG_WIDTH, L"1000");
    return true;
  }

  // Types the sizes into a dialog over kPreparedOn, confirms them, and opens
  // the dialog again to show what was kept; null when a dialog is missing.
  HWND typeSizesThenReopen(const std::wstring& width, const std::wstring& height) {
    HWND dialog = startAndOpen(kPreparedOn);
    if (!dialog) return nullptr;
    setControlText(dialog, IDC_DIALOG_WIDTH, width);
    setControlText(dialog, IDC_DIALOG_HEIGHT, height);
    if (!clickAndWaitClosed(dialog, IDOK)) return nullptr;
    return launcher.openSettings();
  }

  // The dialog shows the sizes; closed with the button, the exit command writes
  // them as the saved texts.
  void expectSizesKept(HWND dialog, const wchar_t* width, const wchar_t* height, int button,
                       const wchar_t* savedWidth, const wchar_t* savedHeight) {
    EXPECT_EQ(controlText(dialog, IDC_DIALOG_WIDTH), width);
    EXPECT_EQ(controlText(dialog, IDC_DIALOG_HEIGHT), height);
    closeAndExit(dialog, button);
    expectIniHolds({{L"BFDialogWidth", savedWidth}, {L"BFDialogHeight", savedHeight}});
  }

  void expectExitSaves(const IniValues& values) {
    expectExitByCommand();
    EXPECT_EQ(launcher.iniValues(), values);
  }

  HWND outer = nullptr, inner = nullptr;  // openTwoAndEdit's dialogs
};

// --- the template -----------------------------------------------------------

struct ExpectedControl {
  int id;
  const wchar_t* className;
  const wchar_t* text;  // nullptr: filled in from the settings
  DWORD kind;           // the type bits of the style
  DWORD styles;         // further styles that must be set
  bool border;
  int x, y, width, height;
};

constexpr DWORD kEditKind = 0;  // edits have no type bits; ES_LEFT is 0

const ExpectedControl kTemplate[] = {
    {IDOK, L"Button", L"OK", BS_PUSHBUTTON, WS_TABSTOP, false, 170, 255, 48, 15},
    {IDCANCEL, L"Button", L"Cancel", BS_PUSHBUTTON, WS_TABSTOP, false, 225, 255, 48, 15},
    {-1, L"Button", L"動作モード", BS_GROUPBOX, 0, false, 10, 5, 265, 65},
    {1006, L"Button", L"HDUSエミュレーションモード", BS_AUTORADIOBUTTON, WS_GROUP | WS_TABSTOP, false, 20, 20, 90, 10},
    {40001, L"Button", L"直接入力モード", BS_AUTORADIOBUTTON, 0, false, 20, 35, 58, 10},
    {40002, L"Button", L"直接入力モード（フォアグラウンドのみ）", BS_AUTORADIOBUTTON, 0, false, 20, 50, 115, 10},
    {-1, L"Static", L"BonDriver_Fileプラグインのファイル選択ダイアログの操作は直接入力モードのみの機能です。", SS_LEFT,
     0, true, 155, 15, 115, 50},
    {-1, L"Button", L"個別機能", BS_GROUPBOX, 0, false, 10, 80, 265, 165},
    {1005, L"Button", L"方向ボタン無視", BS_AUTOCHECKBOX, WS_TABSTOP, false, 20, 95, 57, 10},
    {1007, L"Button", L"オンエアボタンでTVTestを切り替える", BS_AUTOCHECKBOX, WS_TABSTOP, false, 20, 110, 113, 10},
    {40003, L"Button", L"電源ボタンでTVTestを起動する", BS_AUTOCHECKBOX, WS_TABSTOP, false, 20, 125, 102, 10},
    {1000, L"Edit", nullptr, kEditKind, ES_AUTOHSCROLL | WS_TABSTOP, true, 30, 150, 215, 14},
    {40004, L"Button", L"...", BS_PUSHBUTTON, WS_TABSTOP, false, 250, 150, 11, 14},
    {-1, L"Static", L"TVTest.exe", SS_LEFT, 0, false, 25, 140, 36, 8},
    {-1, L"Static", L"オプション", SS_LEFT, 0, false, 25, 170, 27, 8},
    {1002, L"Edit", nullptr, kEditKind, ES_AUTOHSCROLL | WS_TABSTOP, true, 30, 180, 230, 14},
    {1004, L"Edit", nullptr, ES_RIGHT, ES_NUMBER | WS_TABSTOP, true, 45, 220, 40, 14},
    {40005, L"Edit", nullptr, ES_RIGHT, ES_NUMBER | WS_TABSTOP, true, 115, 220, 40, 14},
    {-1, L"Static", L"幅:", SS_LEFT, 0, false, 30, 225, 10, 8},
    {-1, L"Static", L"高さ:", SS_LEFT, 0, false, 95, 225, 15, 8},
    {1003, L"Button", L"ファイル選択ダイアログ拡大機能", BS_AUTOCHECKBOX, WS_TABSTOP, false, 20, 205, 107, 10},
};

DWORD kindOf(const wchar_t* className, DWORD style) {
  if (lstrcmpiW(className, L"Button") == 0) return style & BS_TYPEMASK;
  if (lstrcmpiW(className, L"Static") == 0) return style & SS_TYPEMASK;
  return style & (ES_LEFT | ES_CENTER | ES_RIGHT);
}

TEST_F(SettingsDialogTest, TheTemplateHasEveryControlInTabOrderWithItsKindTextAndPlace) {
  // Mode 0: a checked radio button keeps its tab stop, unchecked ones lose it.
  HWND dialog = startAndOpen({});
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), launcher.mainWindow());
  const LONG dialogStyle = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_TRUE(dialogStyle & WS_POPUP);
  EXPECT_EQ(dialogStyle & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(dialogStyle & WS_SYSMENU);

  // Dialog units to pixels from the client area, which is 285 x 279 units.
  RECT client{};
  GetClientRect(dialog, &client);
  auto toPixelsX = [&](int units) { return MulDiv(units, client.right, 285); };
  auto toPixelsY = [&](int units) { return MulDiv(units, client.bottom, 279); };
  ASSERT_GT(client.right, 285) << "8-point text gives more than one pixel per unit";

  HWND control = GetWindow(dialog, GW_CHILD);
  for (const ExpectedControl& expected : kTemplate) {
    ASSERT_NE(control, nullptr) << "fewer controls than the template has";
    SCOPED_TRACE(testing::Message() << "control " << expected.id << " at " << expected.x << "," << expected.y);
    wchar_t className[64] = {};
    GetClassNameW(control, className, 64);
    EXPECT_EQ(GetDlgCtrlID(control), expected.id);
    EXPECT_EQ(lstrcmpiW(className, expected.className), 0);
    if (expected.text) {
      EXPECT_EQ(controlText(control), expected.text);
    }
    const DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
    EXPECT_EQ(kindOf(className, style), expected.kind);
    EXPECT_EQ(style & expected.styles, expected.styles);
    EXPECT_TRUE(style & WS_VISIBLE);
    // The dialog manager draws a bordered control with a client edge instead.
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE));
    EXPECT_EQ((style & WS_BORDER) != 0 || (exStyle & WS_EX_CLIENTEDGE) != 0, expected.border);
    // Only the first radio button starts a group; the OK button is a plain one.
    if (!(expected.styles & WS_GROUP) && expected.kind == BS_AUTORADIOBUTTON) {
      EXPECT_FALSE(style & WS_GROUP);
    }

    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_NEAR(place.left, toPixelsX(expected.x), 2);
    EXPECT_NEAR(place.top, toPixelsY(expected.y), 2);
    EXPECT_NEAR(place.right - place.left, toPixelsX(expected.width), 2);
    EXPECT_NEAR(place.bottom - place.top, toPixelsY(expected.height), 2);
    control = GetWindow(control, GW_HWNDNEXT);
  }
  EXPECT_EQ(control, nullptr) << "more controls than the template has";
  closeAndExit(dialog, IDCANCEL);
}

// --- what it shows ----------------------------------------------------------

// What the dialog shows: the boxes and buttons checked, the texts, and the
// controls greyed; every other one of each is unchecked or enabled.
struct Shown {
  std::vector<int> checked;
  std::vector<std::pair<int, std::wstring>> texts;
  std::vector<int> greyed;
};

void expectEnabled(HWND dialog, std::initializer_list<int> ids, bool enabled) {
  for (int id : ids) EXPECT_EQ(isEnabled(dialog, id), enabled) << "control " << id;
}

bool contains(const std::vector<int>& ids, int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

void expectShows(HWND dialog, const Shown& shown) {
  for (int id : {IDC_MODE_HDUS, IDC_MODE_DIRECT, IDC_MODE_FOREGROUND, IDC_IGNORE_CURSOR, IDC_SWITCH_BY_ONAIR,
                 IDC_POWER_ON_LAUNCH, IDC_DIALOG_EXPAND}) {
    EXPECT_EQ(isChecked(dialog, id), contains(shown.checked, id)) << "check of control " << id;
  }
  for (const auto& [id, text] : shown.texts) EXPECT_EQ(controlText(dialog, id), text) << "text of control " << id;
  for (int id : {IDOK, IDCANCEL, IDC_MODE_HDUS, IDC_MODE_DIRECT, IDC_MODE_FOREGROUND, IDC_IGNORE_CURSOR,
                 IDC_SWITCH_BY_ONAIR, IDC_POWER_ON_LAUNCH, IDC_DIALOG_EXPAND, IDC_VIEWER_PATH, IDC_BROWSE,
                 IDC_VIEWER_OPTIONS, IDC_DIALOG_WIDTH, IDC_DIALOG_HEIGHT}) {
    EXPECT_EQ(isEnabled(dialog, id), !contains(shown.greyed, id)) << "control " << id;
  }
}

// What the kPreparedOff dialog shows: flags off unchecked with their
// controls greyed, whose texts are there all the same.
const Shown kShownOff = {{IDC_MODE_DIRECT, IDC_IGNORE_CURSOR},
                         {{IDC_VIEWER_PATH, L"C:\\TV Test\\TVTest.exe"},
                          {IDC_VIEWER_OPTIONS, L"/d BonDriver_File.dll /nodshow"},
                          {IDC_DIALOG_WIDTH, L"1280"},
                          {IDC_DIALOG_HEIGHT, L"720"}},
                         {IDC_VIEWER_PATH, IDC_BROWSE, IDC_VIEWER_OPTIONS, IDC_DIALOG_WIDTH, IDC_DIALOG_HEIGHT}};
// What the kPreparedOn dialog shows: flags on checked with their controls
// enabled; the on-air switch holds a hand-edited 5: any non-zero flag shows as checked.
const Shown kShownOn = {{IDC_MODE_FOREGROUND, IDC_SWITCH_BY_ONAIR, IDC_POWER_ON_LAUNCH, IDC_DIALOG_EXPAND},
                        {{IDC_VIEWER_PATH, L"D:\\TVTest\\TVTest.exe"},
                         {IDC_VIEWER_OPTIONS, L""},
                         {IDC_DIALOG_WIDTH, L"1024"},
                         {IDC_DIALOG_HEIGHT, L"800"}},
                        {}};

TEST_F(SettingsDialogTest, FlagsOffShowUncheckedAndGreyTheirControlsFlagsOnCheckedAndEnabled) {
  for (const auto& [prepared, shown] : {std::pair{&kPreparedOff, &kShownOff}, std::pair{&kPreparedOn, &kShownOn}}) {
    SCOPED_TRACE(prepared == &kPreparedOff ? "flags off" : "flags on");
    HWND dialog = startAndOpen(*prepared);
    ASSERT_NE(dialog, nullptr);
    expectShows(dialog, *shown);
    ASSERT_TRUE(clickAndWaitClosed(dialog, IDCANCEL));
    expectExitSaves(*prepared);
  }
}

TEST_F(SettingsDialogTest, AnUnreadableModeShowsTheFirstModeAndSizesBelowTheMinimumsShowTheMinimums) {
  HWND dialog = startAndOpen({{L"ZIZU_MODE", L"00000007"},
                              {L"BFDialogWidth", L"00000100"},
                              {L"BFDialogHeight", L"FFFFFFFF"}});
  ASSERT_NE(dialog, nullptr);
  expectShows(dialog, {{IDC_MODE_HDUS}, {}, kShownOff.greyed});
  expectSizesKept(dialog, L"654", L"381", IDCANCEL, L"0000028E", L"0000017D");
}

// --- OK, Cancel and the checks that grey ------------------------------------

TEST_F(SettingsDialogTest, AWidthBelowTheMinimumIsRaisedOnOkAndShownSoOnReopening) {
  HWND dialog = typeSizesThenReopen(L"100", L"");  // empty text reads as 0
  ASSERT_NE(dialog, nullptr);
  expectSizesKept(dialog, L"654", L"381", IDOK, L"0000028E", L"0000017D");
}

TEST_F(SettingsDialogTest, AHugeWidthStaysHugeInsteadOfWrapping) {
  // 4294967950 is 654 more than 2^32: wrapped, it would pass for 654.
  HWND dialog = typeSizesThenReopen(L"4294967950", std::wstring(30, L'9'));
  ASSERT_NE(dialog, nullptr);
  expectSizesKept(dialog, L"2147483647", L"2147483647", IDCANCEL, L"7FFFFFFF", L"7FFFFFFF");
}

TEST_F(SettingsDialogTest, PowerOnGreysAndEnablesPathBrowseAndOptionsAtOnceAndTheirTextsAreStillSaved) {
  HWND dialog = startAndOpen(kPreparedOn);
  ASSERT_NE(dialog, nullptr);
  setControlText(dialog, IDC_VIEWER_PATH, L"E:\\Viewer\\TVTest.exe");
  setControlText(dialog, IDC_VIEWER_OPTIONS, L"/s /nodshow");

  click(dialog, IDC_POWER_ON_LAUNCH);  // returns once the dialog has handled the click
  EXPECT_FALSE(isChecked(dialog, IDC_POWER_ON_LAUNCH));
  expectEnabled(dialog, {IDC_VIEWER_PATH, IDC_BROWSE, IDC_VIEWER_OPTIONS}, false);
  EXPECT_TRUE(isEnabled(dialog, IDC_DIALOG_WIDTH)) << "the size edits follow their own check";

  click(dialog, IDC_DIALOG_EXPAND);
  expectEnabled(dialog, {IDC_DIALOG_WIDTH, IDC_DIALOG_HEIGHT}, false);
  click(dialog, IDC_DIALOG_EXPAND);
  expectEnabled(dialog, {IDC_DIALOG_WIDTH, IDC_DIALOG_HEIGHT}, true);

  closeAndExit(dialog, IDOK);
  expectIniHolds({{L"TVTestPowerON", L"00000000"}, {L"TVTestPath", L"E:\\Viewer\\TVTest.exe"},
                  {L"TVTestOptions", L"/s /nodshow"}, {L"BFDialogExpand", L"00000001"}});

  dialog = startAndOpen(kPreparedOff);
  ASSERT_NE(dialog, nullptr);
  click(dialog, IDC_POWER_ON_LAUNCH);
  expectEnabled(dialog, {IDC_VIEWER_PATH, IDC_BROWSE, IDC_VIEWER_OPTIONS}, true);
  click(dialog, IDC_DIALOG_EXPAND);
  expectEnabled(dialog, {IDC_DIALOG_WIDTH, IDC_DIALOG_HEIGHT}, true);
  closeAndExit(dialog, IDCANCEL);
}


TEST_F(SettingsDialogTest, CancelOrTheCloseBoxAfterEditingEverythingChangesNothing) {
  ASSERT_TRUE(editEverythingAndClose(IDCANCEL));

  HWND dialog = launcher.openSettings();
  ASSERT_NE(dialog, nullptr);
  expectShows(dialog, kShownOff);
  editEverything(dialog);
  PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
  expectExitSaves(kPreparedOff);
}

TEST_F(SettingsDialogTest, OkAndThenAKillLeavesTheFileAsItWasAndTheExitCommandSavesWhatTheDialogShowed) {
  ASSERT_TRUE(editEverythingAndClose(IDOK));
  launcher.kill();
  EXPECT_FALSE(launcher.running());
  EXPECT_EQ(launcher.iniValues(), kPreparedOff) << "nothing is written before teardown";

  ASSERT_TRUE(editEverythingAndClose(IDOK));
  expectExitSaves(kEditedEverything);
}

// --- two dialogs at once ----------------------------------------------------

IniValues offWithWidth1000() {
  IniValues values = kPreparedOff;
  values[7] = {L"BFDialogWidth", L"000003E8"};
  return values;
}

// The outer one still shows what it was opened with: its OK puts all of it
// back, its Cancel leaves the inner one's OK standing.
TEST_F(SettingsDialogTest, ASecondDialogOverTheFirstIsPossibleAndTheLastOkDecides) {
  for (const auto& [button, saved] : {std::pair{IDOK, offWithWidth1000()}, std::pair{IDCANCEL, kEditedEverything}}) {
    SCOPED_TRACE(button == IDOK ? "the outer dialog's OK" : "the outer dialog's Cancel");
    ASSERT_TRUE(openTwoAndEdit()) << "the menu command opens a second dialog while the first is up";
    EXPECT_TRUE(IsWindow(outer));
    ASSERT_TRUE(clickAndWaitClosed(inner, IDOK));
    ASSERT_TRUE(IsWindow(outer));
    EXPECT_FALSE(isChecked(outer, IDC_POWER_ON_LAUNCH));
    ASSERT_TRUE(clickAndWaitClosed(outer, button));
    expectExitSaves(saved);
  }
}

// The outer dialog's modal loop cannot end before the inner one's, but its
// OK takes effect while it is handled: closed last, the inner one decides.
TEST_F(SettingsDialogTest, TheOuterDialogClosedWithOkFirstAndTheInnerAfterItTheInnerDecides) {
  ASSERT_TRUE(openTwoAndEdit());
  click(outer, IDOK);
  ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(outer); })) << "the outer dialog did not take its OK";
  ASSERT_TRUE(clickAndWaitClosed(inner, IDOK));
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(outer); }));
  expectExitSaves(kEditedEverything);
}

// --- the "..." button ---------------------------------------------------------

// The file dialog the "..." button opens: where it starts is seen in its name
// box, and through the file that a bare name typed there picks.
class BrowseTest : public SettingsDialogTest {
 protected:
  BrowseTest() {
    viewerDir = launcher.directory() + L"\\TV";
    CreateDirectoryW(viewerDir.c_str(), nullptr);
    for (const std::wstring& file : {viewerDir + L"\\TVTest.exe", viewerDir + L"\\pick.exe",
                                     launcher.directory() + L"\\pick.exe"}) {
      CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
  }

  // Opens the file dialog over `settings` with `start` in the path edit; the
  // text of its name box, or "<no dialog>".
  std::wstring browseFrom(HWND settings, const std::wstring& start) {
    setControlText(settings, IDC_VIEWER_PATH, start);
    // Posted: the click runs the modal file dialog inside its handler.
    PostMessageW(GetDlgItem(settings, IDC_BROWSE), BM_CLICK, 0, 0);
    fileDialog = nullptr;
    waitUntil([&] { return (fileDialog = FindWindowW(L"#32770", L"実行ファイルを選択してください。")) != nullptr; });
    if (!fileDialog) return L"<no dialog>";
    EXPECT_EQ(GetWindow(fileDialog, GW_OWNER), settings) << "the file dialog belongs to the settings dialog";
    return controlText(fileDialog, kFileNameBoxId);
  }

  // Types a bare file name into the file dialog and confirms it; the path edit of `settings` then.
  std::wstring choose(HWND settings, const wchar_t* name) {
    setControlText(fileDialog, kFileNameBoxId, name);
    EXPECT_TRUE(commandAndWaitClosed(fileDialog, IDOK)) << "the file dialog stayed open";
    return controlText(settings, IDC_VIEWER_PATH);
  }

  std::wstring viewerDir;
  HWND fileDialog = nullptr;
};

TEST_F(BrowseTest, StartsAtTheStoredFileElseAtTheLauncherAndWritesTheChosenOneIntoTheEdit) {
  HWND settings = startAndOpen(kPreparedOn);
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(browseFrom(settings, viewerDir + L"\\TVTest.exe"), L"TVTest.exe");
  EXPECT_EQ(choose(settings, L"pick.exe"), viewerDir + L"\\pick.exe");

  // A trailing backslash is dropped before the file is looked for.
  EXPECT_EQ(browseFrom(settings, viewerDir + L"\\TVTest.exe\\"), L"TVTest.exe");
  EXPECT_EQ(choose(settings, L"pick.exe"), viewerDir + L"\\pick.exe");

  // A folder is a usable start as well; it is handed over as it is.
  EXPECT_EQ(browseFrom(settings, viewerDir + L"\\"), L"TV");
  ASSERT_TRUE(commandAndWaitClosed(fileDialog, IDCANCEL));
  EXPECT_EQ(controlText(settings, IDC_VIEWER_PATH), viewerDir + L"\\") << "a cancelled choice changes nothing";

  // An unusable or empty path starts at the launcher itself.
  for (const wchar_t* unusable : {L"Q:\\nowhere\\TVTest.exe", L""}) {
    EXPECT_EQ(browseFrom(settings, unusable), L"Vexlo.exe") << "from \"" << unusable << "\"";
    EXPECT_EQ(choose(settings, L"pick.exe"), launcher.directory() + L"\\pick.exe");
  }
  closeAndExit(settings, IDCANCEL);
}

// --- the end of the session with a dialog open ------------------------------

TEST_F(SettingsDialogTest, AnOkQueuedBehindTheEndOfTheSessionLeavesTheSavedSettingsAlone) {
  HWND dialog = startAndEditEverything();
  ASSERT_NE(dialog, nullptr);
  // Both are queued on the launcher's one thread: the OK arrives after the
  // teardown has saved and released the settings.
  PostMessageW(launcher.mainWindow(), WM_ENDSESSION, TRUE, 0);
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  expectEndsWithZero();
  EXPECT_EQ(launcher.iniValues(), kPreparedOff);
}

// --- text the ANSI code page cannot hold -------------------------------------

// Typed into the dialog, saved at exit, read back at the next start. Code
// page 932 holds Japanese but not an emoji, "𠮷" or "é".
const std::wstring kUnicodePath = L"C:\\テレビ\\\U0001F4FA\U00020BB7\\TVTest.exe";
const std::wstring kUnicodeOptions = L"/d BonDriver_Caf\u00E9.dll";
const std::string kUtf16Mark = "\xFF\xFE";
constexpr wchar_t kMarkCharacter = 0xFEFF;

class SettingsText : public LauncherProgramFixture {
 protected:
  SettingsText() : LauncherProgramFixture(L"vexlo settings text") {}

  // Types the path and options into the dialog, takes them with OK and exits by the menu.
  void saveThroughTheDialog(const std::wstring& path, const std::wstring& options) {
    HWND dialog = startAndOpenSettings();
    ASSERT_NE(dialog, nullptr);
    setControlText(dialog, IDC_VIEWER_PATH, path);
    setControlText(dialog, IDC_VIEWER_OPTIONS, options);
    closeAndExit(dialog, IDOK);
  }

  void expectShownAtTheNextStart(const std::wstring& path, const std::wstring& options) {
    HWND dialog = startAndOpenSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(controlText(dialog, IDC_VIEWER_PATH), path);
    EXPECT_EQ(controlText(dialog, IDC_VIEWER_OPTIONS), options);
    closeAndExit(dialog, IDCANCEL);
  }
};

TEST_F(SettingsText, ANewFileIsUtf16AndKeepsWhatTheCodePageLacks) {
  ASSERT_FALSE(fileExists(launcher.ini()));
  saveThroughTheDialog(kUnicodePath, kUnicodeOptions);
  EXPECT_EQ(readTextFile(launcher.ini()).substr(0, 2), kUtf16Mark);
  EXPECT_EQ(launcher.iniValue(L"TVTestPath"), kUnicodePath);
  EXPECT_EQ(launcher.iniValue(L"TVTestOptions"), kUnicodeOptions);
  expectShownAtTheNextStart(kUnicodePath, kUnicodeOptions);
}

// A file written by hand, or by an earlier launcher, stays in the code page
// while its values fit; the first value that does not turns the whole file,
// every section and line of it, into UTF-16 before it is written.
TEST_F(SettingsText, AnAnsiFileStaysSoUntilAValueNeedsMoreThenKeepsEveryLine) {
  const std::wstring byHand =
      L"; \u624B\u3067\u66F8\u3044\u305F\r\n[Other]\r\n\u540D\u524D=\u5024\r\n\r\n[Vexlo]\r\nZIZU_MODE=00000001\r\n"
      L"TVTestPath=C:\\\u30C6\u30EC\u30D3\\TVTest.exe\r\n[Last]\r\nkey=\u6B8B\u308B\r\n";
  ASSERT_EQ(GetACP(), 932u) << "the file by hand is Japanese: this world is to be a Japanese Windows";
  ASSERT_TRUE(writeFileBytes(launcher.ini(), inCodePage(byHand, CP_ACP)));

  const std::wstring japanese = L"D:\\\u30C6\u30EC\u30D3\\TVTest.exe";
  saveThroughTheDialog(japanese, L"/ch 1");
  EXPECT_NE(readTextFile(launcher.ini()).substr(0, 2), kUtf16Mark) << "a file whose values fit was converted";
  EXPECT_EQ(launcher.iniValue(L"TVTestPath"), japanese);

  saveThroughTheDialog(kUnicodePath, kUnicodeOptions);
  const std::wstring converted = readUtf16File(launcher.ini());
  ASSERT_FALSE(converted.empty());
  EXPECT_EQ(converted[0], kMarkCharacter);
  // Every line not rewritten by the launcher is there, in its order. The
  // blank line is not looked for: Wine's profile writer drops blank lines
  // whenever it rewrites a file, converted or not.
  std::wistringstream lines(byHand);
  std::size_t at = 0;
  for (std::wstring line; std::getline(lines, line);) {
    line.pop_back();  // the "\r" of its "\r\n"
    if (line.empty() || line.rfind(L"TVTestPath=", 0) == 0) continue;
    at = converted.find(line, at);
    ASSERT_NE(at, std::wstring::npos) << "lost: " << utf8(line) << "\nfile:\n" << utf8(converted);
  }
  EXPECT_EQ(launcher.iniValue(L"ZIZU_MODE"), L"00000001");
  expectShownAtTheNextStart(kUnicodePath, kUnicodeOptions);
  wchar_t other[16] = {};
  GetPrivateProfileStringW(L"Other", L"\u540D\u524D", L"", other, 16, launcher.ini().c_str());
  EXPECT_STREQ(other, L"\u5024");
}

// --- the settings store, over Windows' real private-profile functions -------
// With a real file in a temporary directory.

// The file the store writes: UTF-16 with its mark, the nine keys in their order with these values.
std::wstring savedFile(const std::vector<std::wstring>& values) {
  std::wstring text = L"\uFEFF[Vexlo]\r\n";
  for (std::size_t i = 0; i < values.size(); ++i) text += kSettingsKeys[i] + (L"=" + values[i]) + L"\r\n";
  return text;
}

class StoreOnWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fileExists(scratch.path()));
    path = scratch.file(L"Vexlo.ini");
  }

  ScratchDirectory scratch{L"vexlo-settings"};
  Win32Profile profileImpl;
  InstalledLauncher installed{Seams{nullptr, nullptr, &profileImpl}};
  std::wstring& path = launcher().settingsPath;
  LauncherState& state = launcher().state;
  LauncherSettings& settings = launcher().settings;
};

TEST_F(StoreOnWindows, NoFileGivesDefaultsAndTheFirstWriteCreatesIt) {
  loadSettings();
  EXPECT_EQ(state.mode, Mode::kHdusEmulation);
  EXPECT_EQ(state.dialogWidth, 1024);
  EXPECT_EQ(state.dialogHeight, 800);
  EXPECT_EQ(settings.viewerPath, L"");
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);

  // A new file is UTF-16, so that it holds any character a value may have.
  saveSettings();
  EXPECT_EQ(readUtf16File(path), savedFile({L"00000000", L"00000000", L"00000000", L"00000000", L"", L"",
                                                  L"00000000", L"00000400", L"00000320"}));
}

TEST_F(StoreOnWindows, SavedValuesAreWrittenAsText) {
  applySettings({1, 1, 1, -1, L"C:\\TVTest\\TVTest.exe", L"/d BonDriver_PT3.dll /ch 27", 1, 1280, 0x7FFFFFFF});
  saveSettings();
  EXPECT_EQ(readUtf16File(path),
            savedFile({L"00000001", L"00000001", L"00000001", L"FFFFFFFF", L"C:\\TVTest\\TVTest.exe",
                       L"/d BonDriver_PT3.dll /ch 27", L"00000001", L"00000500", L"7FFFFFFF"}));
}

TEST_F(StoreOnWindows, HandWrittenOddValuesReadAsTheRulesSay) {
  ASSERT_TRUE(writeFileBytes(path,
             "[Other]\r\n"
             "ZIZU_MODE=00000001\r\n"
             "[Vexlo]\r\n"
             "ZIZU_MODE=00000007\r\n"
             "IgnoreCursor=1g\r\n"
             "SwitchTVTestByOnair=g1\r\n"
             "TVTestPowerON=0000000a\r\n"
             "TVTestPath=C:\\TV\\TVTest.exe\r\n"
             "TVTestOptions=/d BonDriver.dll\r\n"
             "BFDialogExpand=\r\n"
             "BFDialogWidth=100\r\n"
             "BFDialogHeight=ffffffff\r\n"));
  state.mode = Mode::kDirectInputForegroundOnly;
  loadSettings();
  // 7 is no mode: the mode stays.
  EXPECT_EQ(currentSettings(), (SettingsValues{2, 1, 0, 10, L"C:\\TV\\TVTest.exe", L"/d BonDriver.dll", 0, 654, 381}));
}

TEST_F(StoreOnWindows, EmptyValuesAreZeroAndAbsentKeysTheirDefaults) {
  ASSERT_TRUE(writeFileBytes(path,
             "[Vexlo]\r\n"
             "ZIZU_MODE=\r\n"
             "BFDialogWidth=\r\n"));
  state.mode = Mode::kDirectInput;
  loadSettings();
  EXPECT_EQ(state.mode, Mode::kHdusEmulation);
  EXPECT_EQ(state.dialogWidth, 654);
  EXPECT_EQ(state.dialogHeight, 800);
}

TEST_F(StoreOnWindows, IntegerTextBeyondItsBufferIsNotSeen) {
  // 64 characters: the 63 that fit end in "1", the last digit is cut off.
  ASSERT_TRUE(writeFileBytes(path, "[Vexlo]\r\nBFDialogWidth=" + std::string(62, '0') + "1F\r\n"
                   "BFDialogHeight=" + std::string(59, '0') + "1000F\r\n"));
  loadSettings();
  EXPECT_EQ(state.dialogWidth, 654);
  EXPECT_EQ(state.dialogHeight, 0x1000);
}

TEST_F(StoreOnWindows, ExtremeValuesAndJapaneseTextRoundTripThroughTheFile) {
  const std::wstring longPath = L"C:\\" + std::wstring(250, L'p') + L"\\T.exe";
  const std::wstring longOptions = L"/d " + std::wstring(8188, L'o');
  const SettingsValues extreme{2, -1, INT32_MIN, INT32_MAX, longPath, longOptions, 0, INT32_MAX, 655};
  applySettings(extreme);
  saveSettings();

  state = LauncherState{};
  settings = LauncherSettings{};
  loadSettings();
  EXPECT_EQ(settings.viewerOptions.size(), 8191u);
  EXPECT_EQ(currentSettings(), extreme);

  // A file that starts with the UTF-16 byte-order mark is read and written as UTF-16.
  ASSERT_TRUE(writeFileBytes(path, kUtf16Mark));
  settings.viewerPath = L"D:\\テレビ\\TVTest.exe";
  settings.viewerOptions = L"/ch 1 「地デジ」";
  saveSettings();
  settings = LauncherSettings{};
  loadSettings();
  EXPECT_EQ(settings.viewerPath, L"D:\\テレビ\\TVTest.exe");
  EXPECT_EQ(settings.viewerOptions, L"/ch 1 「地デジ」");
}

// The dialog's size text is read as the runtime's _wtoi reads it: every
// character as white space before a digit, and as a digit after one.
TEST(DecimalTextOnWindows, EveryCharacterReadsAsTheRuntimesWtoiReadsIt) {
  std::vector<unsigned> differing;
  for (unsigned code = 1; code <= 0xFFFF; ++code) {
    const wchar_t c = static_cast<wchar_t>(code);
    for (const std::wstring& text : {std::wstring{c, L'7'}, std::wstring{L'7', c}}) {
      if (parseDecimalText(text) != _wtoi(text.c_str())) differing.push_back(code);
    }
  }
  EXPECT_EQ(differing, std::vector<unsigned>{});
}

TEST(SettingsPathOnWindows, IsTheProgramDirectoryPlusVexloIni) {
  wchar_t module[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
  ASSERT_GT(length, 0u);
  ASSERT_LT(length, static_cast<DWORD>(MAX_PATH));
  std::wstring expected(module, length);
  expected.erase(expected.find_last_of(L'\\') + 1);
  expected += L"Vexlo.ini";

  const std::wstring made = makeSettingsPath();
  EXPECT_EQ(made, expected);
  const std::wstring dirOfMade = made.substr(0, made.size() - 9);
  const DWORD attributes = GetFileAttributesW(dirOfMade.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
}  // namespace vexlo::test

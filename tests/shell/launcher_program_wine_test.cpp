// The real Vexlo.exe under Wine: one instance, its exit paths and what they
// save, the About box, a lock-on picked with a synthetic click, its tray
// icon (what a click on it does, and the notification area seen from its
// side, played here by a window of the class Windows' own taskbar has), and
// its resources, read back through Windows' own resource functions: what a
// user and the shell see of the launcher. What a prepared file loads is the
// settings dialog test's. Last, its main window procedure in this process.

#include <windows.h>
#include <sddl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/button_handling.h"
#include "launcher/launcher.h"
#include "launcher/private_messages.h"
#include "launcher/resources/resource_ids.h"
#include "launcher/shell_win32.h"
#include "launcher/window_classes.h"
#include "launcher/window_system.h"
#include "shared/remote_protocol.h"
#include "shared/version.h"
#include "tests/support/fake_lockon_platform.h"
#include "tests/support/installed_launcher.h"
#include "tests/support/launcher_program_fixture.h"
#include "tests/support/memory_profile.h"
#include "tests/support/simulated_desktop.h"
#include "tests/support/standin_process.h"
#include "tests/support/wine_files.h"
#include "tests/support/wine_processes.h"

namespace vexlo::test {
namespace {

class LauncherProgramTest : public LauncherProgramFixture {
 protected:
  LauncherProgramTest() : LauncherProgramFixture(L"vexlo shell") {}

  void expectAllKeysSaved() {
    for (const auto& [key, value] : launcher.iniValues()) EXPECT_NE(value, L"<absent>") << key;
  }

  // Another copy of the program, started now, ends at once with code 0 and shows no window.
  void expectACopyToEndAtOnce() {
    RunningProgram copy;
    ASSERT_TRUE(copy.start(launcher.exe()));
    DWORD code = 1234;
    EXPECT_TRUE(copy.waitForExit(kPatience, code)) << "a second launcher ran beside the first";
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(findProcessWindow(L"VEXLO", copy.processId()), nullptr);
  }

  HWND waitForDialog(const wchar_t* title) { return vexlo::test::waitForDialog(launcher.processId(), title); }
};

// --- the tray icon ----------------------------------------------------------
// First, as when it had a program of its own: after the lock-on test its
// menu test twice missed the click that follows an ended pick.

constexpr DWORD kNoMenuTime = 1500;  // a menu would be up long before this

class TrayTest : public LauncherProgramTest {
 protected:
  bool aMenuComes() { return happensWithin([&] { return launcher.shownMenu() != nullptr; }, kNoMenuTime); }
};

// A double-click opens the settings dialog, owned by the main window. The
// menu's items are told apart by what each does; a fifth step down wraps round
// to the first, so there are four.
TEST_F(TrayTest, ADoubleClickOpensTheSettingsARightClickTheFourItemMenuAtTheCursorAndDuringAPickEndsThePick) {
  ASSERT_TRUE(launcher.start());
  launcher.trayEvent(WM_LBUTTONDBLCLK);
  HWND settings = waitForDialog(L"設定");
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(GetWindow(settings, GW_OWNER), launcher.mainWindow());
  EXPECT_TRUE(commandAndWaitClosed(settings, IDCANCEL));

  SetCursorPos(333, 222);
  launcher.trayEvent(WM_RBUTTONDOWN);
  HWND menu = launcher.waitForMenu();
  ASSERT_NE(menu, nullptr);
  RECT place{};
  GetWindowRect(menu, &place);
  EXPECT_EQ(place.left, 333);
  EXPECT_EQ(place.top, 222);
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(menu); }));

  ASSERT_TRUE(launcher.chooseFromMenu(2));
  settings = waitForDialog(L"設定");
  ASSERT_NE(settings, nullptr) << "the second item is not the settings";
  EXPECT_TRUE(commandAndWaitClosed(settings, IDCANCEL));
  ASSERT_TRUE(launcher.chooseFromMenu(3));
  HWND about = waitForDialog(L"バージョン情報 Vexlo");
  ASSERT_NE(about, nullptr) << "the third item is not the About box";
  EXPECT_TRUE(commandAndWaitClosed(about, IDCANCEL));

  // Five steps: round to the lock-on item, which starts a pick. A right-click
  // during it shows no menu but ends it, for a pick whose hook Windows has
  // dropped would never end otherwise; the next one shows the menu again.
  StandIn viewer;
  ASSERT_TRUE(startClickTarget(launcher.directory(), L"viewer", viewer));
  ASSERT_TRUE(launcher.chooseFromMenu(5));
  launcher.trayEvent(WM_RBUTTONDOWN);
  EXPECT_FALSE(aMenuComes()) << "a menu during the pick";
  ASSERT_TRUE(launcher.chooseFromMenu(0, VK_ESCAPE)) << "the right-click did not end the pick";
  // No hook is left to swallow a click and lock onto the viewer under it.
  clickCountingButton(viewer);
  EXPECT_EQ(downsAfterClicks(viewer, 1), 1) << "a later click was taken as the pick";

  ASSERT_TRUE(launcher.chooseFromMenu(4));
  expectEndsWithZero();  // the fourth item is the exit
}

// The notification area as the launcher sees it: Shell_NotifyIconW hands
// every change to the "Shell_TrayWnd" window as WM_COPYDATA, the change in
// dwData and the icon's window in wParam.
struct NotificationArea {
  struct Change { DWORD_PTR action; HWND from; };
  static inline std::vector<Change> changes;

  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
      changes.push_back({reinterpret_cast<const COPYDATASTRUCT*>(lParam)->dwData, reinterpret_cast<HWND>(wParam)});
      return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  NotificationArea() {
    changes.clear();
    registerWindowClass(L"Shell_TrayWnd", proc);
    window = CreateWindowExW(0, L"Shell_TrayWnd", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  }
  ~NotificationArea() { DestroyWindow(window); }

  // Handles what the launcher sends while waiting: it waits on this thread.
  bool waitForChanges(std::size_t count) {
    return waitUntil([&] {
      MSG m;
      while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
      return changes.size() >= count;
    });
  }

  HWND window = nullptr;
};

TEST_F(TrayTest, TheIconIsAddedAgainWhenTheNotificationAreaIsRecreated) {
  NotificationArea area;
  ASSERT_NE(area.window, nullptr);
  ASSERT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), area.window) << "another notification area is up";
  // Adding the icon waits on this thread, so the launcher is started, not waited for.
  RunningProgram copy;
  ASSERT_TRUE(copy.start(launcher.exe()));
  ASSERT_TRUE(area.waitForChanges(1)) << "the icon was never added";
  HWND window = nullptr;
  ASSERT_TRUE(waitUntil([&] { return (window = findProcessWindow(L"VEXLO", copy.processId())) != nullptr; }));
  EXPECT_EQ(area.changes[0].action, static_cast<DWORD_PTR>(NIM_ADD));
  EXPECT_EQ(area.changes[0].from, window);

  // What the shell announces to every top-level window when it has made a new one.
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  ASSERT_TRUE(area.waitForChanges(2)) << "the icon was not added again";
  EXPECT_EQ(area.changes[1].action, static_cast<DWORD_PTR>(NIM_ADD));
  EXPECT_EQ(area.changes[1].from, window);

  PostMessageW(window, WM_COMMAND, IDM_EXIT, 0);
  ASSERT_TRUE(area.waitForChanges(3));
  EXPECT_EQ(area.changes[2].action, static_cast<DWORD_PTR>(NIM_DELETE));
}

// --- the launcher program ---------------------------------------------------

// A mutex it may not open, an elevated launcher's, counts as a launcher running.
TEST_F(LauncherProgramTest, ASecondInstanceExitsAtOnceWithCodeZeroAsDoesOneBesideAMutexItMayNotOpen) {
  PSECURITY_DESCRIPTOR denyAll = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(D;;GA;;;WD)", SDDL_REVISION_1, &denyAll,
                                                                   nullptr));
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), denyAll, FALSE};
  HANDLE elevated = CreateMutexW(&attributes, FALSE, L"VexloMutex");
  ASSERT_NE(elevated, nullptr);
  ASSERT_EQ(CreateMutexW(nullptr, FALSE, L"VexloMutex"), nullptr) << "the mutex is not closed to us";
  ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  expectACopyToEndAtOnce();
  CloseHandle(elevated);
  LocalFree(denyAll);
  EXPECT_FALSE(fileExists(launcher.ini()));

  ASSERT_TRUE(launcher.start());
  expectACopyToEndAtOnce();
  EXPECT_TRUE(launcher.running());
  expectExitByCommand();
}

TEST_F(LauncherProgramTest, EndSessionTrueSavesAndEndsTheProcessAndLeavesWhatItReleasedAlone) {
  ASSERT_TRUE(launcher.start());
  const HWND window = launcher.mainWindow();
  EXPECT_EQ(askWindow(window, WM_QUERYENDSESSION), 1);
  // Posted together, all of these come out of the queue before the quit
  // message: each one after the first arrives after the teardown.
  const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
  PostMessageW(window, WM_ENDSESSION, TRUE, 0);
  PostMessageW(window, WM_ENDSESSION, TRUE, 0);
  PostMessageW(window, WM_DESTROY, 0, 0);
  PostMessageW(window, WM_COMMAND, IDM_LOCKON, 0);
  launcher.trayEvent(WM_RBUTTONDOWN);
  launcher.trayEvent(WM_LBUTTONDBLCLK);
  PostMessageW(window, kLockOnClickMessage, WM_LBUTTONDOWN, 0);
  PostMessageW(window, WM_COMMAND, IDM_SETTINGS, 0);
  PostMessageW(window, WM_INPUT, 0, 0);
  PostMessageW(window, taskbarCreated, 0, 0);
  expectEndsWithZero();
  expectAllKeysSaved();
}

// Then the exit command saves all nine keys and ends the process.
TEST_F(LauncherProgramTest, ACancelledLogoffKeepsTheLauncherRunningWithNothingSaved) {
  ASSERT_TRUE(launcher.start());
  EXPECT_FALSE(fileExists(launcher.ini())) << "nothing is written while running";
  ASSERT_TRUE(sendMessageBounded(launcher.mainWindow(), WM_ENDSESSION, FALSE));
  EXPECT_FALSE(fileExists(launcher.ini())) << "a teardown would have saved by now";

  // Still at work: its About box opens on the command, with its two lines.
  launcher.command(IDM_ABOUT);
  HWND about = waitForDialog(L"バージョン情報 Vexlo");
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(GetWindow(about, GW_OWNER), launcher.mainWindow());
  std::wstring lines;
  for (HWND child = FindWindowExW(about, nullptr, L"Static", nullptr); child;
       child = FindWindowExW(about, child, L"Static", nullptr))
    lines += controlText(child) + L"|";
  EXPECT_EQ(lines, L"Vexlo, Version " VEXLO_VERSION_TEXT L"|GV-RCKIT3でTVTestを操作するツール|");
  HWND ok = GetDlgItem(about, IDOK);
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(GetWindowLongW(ok, GWL_STYLE) & BS_DEFPUSHBUTTON);
  ASSERT_TRUE(commandAndWaitClosed(about, IDOK));
  EXPECT_TRUE(launcher.running());

  expectExitByCommand();
  expectAllKeysSaved();
  expectIniHolds({{L"ZIZU_MODE", L"00000000"}, {L"BFDialogWidth", L"00000400"},
                  {L"BFDialogHeight", L"00000320"}, {L"TVTestPath", L""}});
}

// Lock-on against a stand-in viewer. The menu lives in the launcher, so its
// check mark is read through what the lock-on command does with it: while an item is
// checked for a viewer that has gone, the command clears the mark and starts no pick,
// and with no pick the next click reaches the viewer whole.
class LockOnProgramTest : public LauncherProgramTest {
 protected:
  // The lock-on command, then a click on the viewer's counting button: the
  // button-downs it counted once `ups` button-ups had reached it.
  LRESULT downsOfAClickAfterLockOn(const StandIn& viewer, LRESULT ups) {
    EXPECT_TRUE(sendMessageBounded(launcher.mainWindow(), WM_COMMAND, IDM_LOCKON)) << "no answer to the command";
    clickCountingButton(viewer);
    return downsAfterClicks(viewer, ups);
  }
};

TEST_F(LockOnProgramTest, AClickOnAViewersChildControlLocksAndChecksTheItem) {
  ASSERT_TRUE(launcher.start());

  StandIn first;
  ASSERT_TRUE(startClickTarget(launcher.directory(), L"first", first));
  EXPECT_EQ(downsOfAClickAfterLockOn(first, 1), 0) << "the picking click's button-down is swallowed";

  // With the locked viewer gone only the check mark is left; the command clears it
  // and does not pick, so this click arrives whole.
  first.program->terminate();
  StandIn second;
  ASSERT_TRUE(startClickTarget(launcher.directory(), L"second", second));
  EXPECT_EQ(downsOfAClickAfterLockOn(second, 1), 1) << "the lock-on command started a pick: the item was not checked";

  // Unchecked now, so the command picks; a click on a window that is no viewer
  // leaves it unlocked and unchecked, and the next one picks again. (Its
  // button-up is what says the pick has taken the click.)
  StandIn other;
  ASSERT_TRUE(startClickTarget(launcher.directory(), L"other", other, L"--not-a-viewer"));
  EXPECT_EQ(downsOfAClickAfterLockOn(other, 1), 0) << "the pick did not take the click on no viewer";
  other.program->terminate();
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(other.window); }));  // it covered the viewer's button
  EXPECT_EQ(downsOfAClickAfterLockOn(second, 2), 1) << "a second pick swallows its button-down";

  // Locked onto a live viewer: the command releases it without picking.
  EXPECT_EQ(downsOfAClickAfterLockOn(second, 3), 2);

  expectExitByCommand();
}

// --- its resources ---------------------------------------------------------

class LauncherResources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module = LoadLibraryExW(windowsPath(VEXLO_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
  static void TearDownTestSuite() { FreeLibrary(module); }

  void SetUp() override { ASSERT_NE(module, nullptr); }

  static std::wstring string(UINT id) {
    wchar_t text[100] = {};
    LoadStringW(module, id, text, 100);
    return text;
  }

  // The width of every image of an icon group.
  static std::vector<int> iconSizes(UINT id) {
    std::vector<int> sizes;
    HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    if (!group) return sizes;
    const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    const WORD count = *reinterpret_cast<const WORD*>(dir + 4);
    for (WORD i = 0; i < count; ++i) {
      const BYTE width = dir[6 + 14 * i];
      sizes.push_back(width == 0 ? 256 : width);
    }
    return sizes;
  }

  static inline HMODULE module = nullptr;
};

TEST_F(LauncherResources, StringsNameTheWindowClassAndTitle) {
  EXPECT_EQ(string(IDS_WINDOW_CLASS), L"VEXLO");
  EXPECT_EQ(string(IDS_WINDOW_TITLE), L"Vexlo");
}

TEST_F(LauncherResources, IconsHoldOneImageOfTheirSize) {
  EXPECT_EQ(iconSizes(IDI_VEXLO), std::vector<int>{48});
  EXPECT_EQ(iconSizes(IDI_SMALL), std::vector<int>{16});
  EXPECT_EQ(iconSizes(IDI_LARGE), std::vector<int>{256});
  EXPECT_NE(LoadIconW(module, MAKEINTRESOURCEW(IDI_SMALL)), nullptr);
}

TEST_F(LauncherResources, TheMenuHoldsItsItemsUnderOnePopup) {
  HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(IDC_VEXLO));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 1);
  wchar_t text[100] = {};
  GetMenuStringW(menu, 0, text, 100, MF_BYPOSITION);
  EXPECT_STREQ(text, L"dummy(&F)");

  HMENU popup = GetSubMenu(menu, 0);
  struct Item { UINT id; const wchar_t* text; };
  const Item expected[] = {{IDM_LOCKON, L"TVTestロックオン"}, {0, L""}, {IDM_SETTINGS, L"設定"},
                           {IDM_ABOUT, L"バージョン情報(&A)..."}, {IDM_EXIT, L"アプリケーションの終了(&X)"}};
  ASSERT_EQ(GetMenuItemCount(popup), 5);
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_STATE;
  info.dwTypeData = text;
  for (int i = 0; i < 5; ++i) {
    info.cch = 100;
    text[0] = L'\0';
    ASSERT_TRUE(GetMenuItemInfoW(popup, i, TRUE, &info));
    if (expected[i].id == 0) {
      EXPECT_TRUE(info.fType & MFT_SEPARATOR) << "item " << i;
      continue;
    }
    EXPECT_EQ(info.wID, expected[i].id) << "item " << i;
    EXPECT_STREQ(text, expected[i].text) << "item " << i;
    EXPECT_EQ(info.fState & MFS_CHECKED, 0u);
  }
  // Addressed by command, the lock-on item is found inside the popup.
  info.cch = 100;
  EXPECT_TRUE(GetMenuItemInfoW(menu, IDM_LOCKON, FALSE, &info));
  DestroyMenu(menu);
}

TEST_F(LauncherResources, AcceleratorsTakeAltWithTheCharactersQuestionMarkAndSlash) {
  HACCEL table = LoadAcceleratorsW(module, MAKEINTRESOURCEW(IDC_VEXLO));
  ASSERT_NE(table, nullptr);
  ACCEL entries[4] = {};
  ASSERT_EQ(CopyAcceleratorTableW(table, entries, 4), 2);
  for (const ACCEL& e : entries) {
    if (e.cmd == 0) continue;
    EXPECT_EQ(e.cmd, IDM_ABOUT);
    EXPECT_EQ(e.fVirt & FVIRTKEY, 0) << "character keys, not virtual keys";
    EXPECT_NE(e.fVirt & FALT, 0);
  }
  EXPECT_EQ(entries[0].key, L'?');
  EXPECT_EQ(entries[1].key, L'/');
}

TEST_F(LauncherResources, TheVersionBlockIsJapaneseAndNamesTheLauncher) {
  const std::wstring path = windowsPath(VEXLO_EXE);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

  auto value = [&](const wchar_t* name) {
    void* text = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\0411fde9\\") + name;
    if (!VerQueryValueW(block.data(), query.c_str(), &text, &length) || !text) return std::wstring(L"<absent>");
    return std::wstring(static_cast<const wchar_t*>(text));
  };
  EXPECT_EQ(value(L"FileDescription"), L"GV-RCKIT3でTVTestを操作するツール");
  EXPECT_EQ(value(L"FileVersion"), L"" VEXLO_FILE_VERSION_TEXT);
  EXPECT_EQ(value(L"ProductVersion"), L"" VEXLO_PRODUCT_VERSION_TEXT);
  EXPECT_EQ(value(L"ProductName"), L"Vexlo");
  EXPECT_EQ(value(L"OriginalFilename"), L"Vexlo.exe");

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
}

TEST_F(LauncherResources, TheManifestAsksForCommonControls6AsInvokerWithoutUiAccess) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  const std::string manifest(bytes, SizeofResource(module, found));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\" uiAccess=\"false\""), std::string::npos);
  EXPECT_NE(manifest.find("<description>GV-RCKIT3でTVTestを操作するツール</description>"), std::string::npos);
}

TEST_F(LauncherResources, TheAboutTemplateHasItsSizeAndFont) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDD_ABOUTBOX), MAKEINTRESOURCEW(5));  // RT_DIALOG
  ASSERT_NE(found, nullptr);
  const WORD* t = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
  ASSERT_EQ(t[0], 1);       // DLGTEMPLATEEX
  ASSERT_EQ(t[1], 0xFFFF);
  const WORD* items = t + 8;  // dlgVer, signature, helpID, exStyle, style
  EXPECT_EQ(items[0], 3);     // controls
  const short* geometry = reinterpret_cast<const short*>(items + 1);
  EXPECT_EQ(geometry[2], 170);
  EXPECT_EQ(geometry[3], 62);
  // menu, class and title strings follow, then the font.
  const wchar_t* text = reinterpret_cast<const wchar_t*>(items + 5);
  for (int skip = 0; skip < 2; ++skip) text += (*text == 0xFFFF) ? 2 : std::wcslen(text) + 1;
  EXPECT_STREQ(text, L"バージョン情報 Vexlo");
  text += std::wcslen(text) + 1;
  EXPECT_EQ(static_cast<WORD>(text[0]), 9);  // point size
  EXPECT_STREQ(text + 3, L"MS UI Gothic");
}

// --- the end of the session in the middle of a press ----------------------
// WM_ENDSESSION is a sent message, so it runs while the press waits in
// SetWindowPos on a window of another thread. The real main window procedure
// in this process, the press through the simulated desktop.

constexpr std::uint8_t kVkReturn = 0x0D;

HWND createMainWindow() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  launcher().module = reinterpret_cast<ModuleHandle>(instance);
  registerWindowClass(L"VEXLO teardown test", mainWindowProc);
  return CreateWindowExW(0, L"VEXLO teardown test", L"Vexlo", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                         instance, nullptr);
}

TEST(TeardownDuringAPress, ThePressFinishesAndChangesNothingInTheStoppedLauncher) {
  SimulatedDesktop desktop;
  FakeLockOnPlatform menu;
  MemoryProfile profile;
  InstalledLauncher installed{Seams{&desktop, &menu, &profile}};
  HWND mainWindow = createMainWindow();
  ASSERT_NE(mainWindow, nullptr);
  ASSERT_TRUE(launcher().running);

  desktop.addWindow(kViewerWindowClass, L"TVTest", 300, 301);
  const WindowHandle dialog = desktop.addWindow(kDialogClass, kOpenDialogTitle, 300, 301);
  const WindowHandle fileList = desktop.addChild(dialog, L"SHELLDLL_DefView", 0x0461);
  desktop.setFocus(fileList);
  const WindowHandle gone = desktop.addWindow(kViewerWindowClass, L"TVTest", 400, 401);
  desktop.destroyWindow(gone);
  LauncherState& state = launcher().state;
  state.mode = Mode::kDirectInput;
  state.dialogExpand = 1;
  state.lockedTarget = gone;  // lost: the press goes the direct way, then would unlock

  int calls = 0;
  desktop.duringSetWindowPos = [&](WindowHandle) {
    if (calls++ == 0) SendMessageW(mainWindow, WM_ENDSESSION, TRUE, 0);
  };
  handleButton(kCodeEnter);

  EXPECT_FALSE(launcher().running);
  EXPECT_EQ(calls, 2) << "the file list, then the dialog itself";
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kPostMessage), (EventLog{Event::post(fileList, kWmKeyDown, kVkReturn, 0)}))
      << "the press played its key stroke to the end";
  EXPECT_EQ(menu.stateWrites, 0) << "no unlock after teardown";
  EXPECT_EQ(profile.writes.size(), 9u) << "saved once, at teardown";
  const ProfileEntry* mode = profile.find(launcher().settingsPath, L"Vexlo", L"ZIZU_MODE");
  ASSERT_NE(mode, nullptr);
  EXPECT_EQ(mode->value, L"00000001");
  DestroyWindow(mainWindow);
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "teardown ends the message loop";
}

}  // namespace
}  // namespace vexlo::test

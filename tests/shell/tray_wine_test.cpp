// The real Vexlo.exe's tray icon under Wine: what a click on it does, and the
// notification area seen from its side, played here by a window of the
// class Windows' own taskbar has.

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/resources/resource_ids.h"
#include "tests/support/dialog_controls.h"
#include "tests/support/launcher_program_fixture.h"
#include "tests/support/standin_process.h"
#include "tests/support/wine_files.h"
#include "tests/support/wine_processes.h"

namespace vexlo::test {
namespace {

constexpr DWORD kNoMenuTime = 1500;  // a menu would be up long before this

class TrayTest : public LauncherProgramFixture {
 protected:
  TrayTest() : LauncherProgramFixture(L"vexlo tray") {}
  ~TrayTest() override {
    if (launcher.running()) launcher.exitByCommand();
  }

  // Whether a menu comes up within the time a menu would need.
  bool aMenuComes() { return happensWithin([&] { return launcher.shownMenu() != nullptr; }, kNoMenuTime); }

  HWND waitForDialog(const wchar_t* title) { return vexlo::test::waitForDialog(launcher.processId(), title); }

  void closeDialog(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
  }
};

TEST_F(TrayTest, ADoubleClickOpensTheSettingsDialogOwnedByTheMainWindow) {
  ASSERT_TRUE(launcher.start());
  launcher.trayEvent(WM_LBUTTONDBLCLK);
  HWND settings = waitForDialog(L"設定");
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(GetWindow(settings, GW_OWNER), launcher.mainWindow());
  closeDialog(settings);
}

// The items are told apart by what each does; a fifth step down wraps round
// to the first, so there are four.
TEST_F(TrayTest, ARightClickOpensTheFourItemMenuAtTheCursorAndDuringAPickEndsThePickInstead) {
  ASSERT_TRUE(launcher.start());
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
  HWND settings = waitForDialog(L"設定");
  ASSERT_NE(settings, nullptr) << "the second item is not the settings";
  closeDialog(settings);
  ASSERT_TRUE(launcher.chooseFromMenu(3));
  HWND about = waitForDialog(L"バージョン情報 Vexlo");
  ASSERT_NE(about, nullptr) << "the third item is not the About box";
  closeDialog(about);

  // Five steps: round to the lock-on item, which starts a pick. A right-click
  // during it shows no menu but ends it, for a pick whose hook Windows has
  // dropped would never end otherwise; the next one shows the menu again.
  StandIn viewer;
  ASSERT_TRUE(startClickTarget(launcher.directory(), L"viewer", viewer));
  ASSERT_TRUE(launcher.chooseFromMenu(5));
  launcher.trayEvent(WM_RBUTTONDOWN);
  EXPECT_FALSE(aMenuComes()) << "a menu during the pick";
  launcher.trayEvent(WM_RBUTTONDOWN);
  menu = launcher.waitForMenu();
  ASSERT_NE(menu, nullptr) << "the right-click did not end the pick";
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(menu); }));
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
  struct Change {
    DWORD_PTR action;
    HWND from;
  };
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

}  // namespace
}  // namespace vexlo::test

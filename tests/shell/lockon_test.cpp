// Picking a lock target with the mouse, the check mark of the lock-on item and the
// tray's right button while a pick is in progress.

#include "launcher/lockon.h"

#include "launcher/button_handling.h"
#include "launcher/private_messages.h"
#include "launcher/resources/resource_ids.h"
#include "launcher/switching.h"
#include "tests/support/launcher_scene.h"

namespace vexlo::test {
namespace {

constexpr std::intptr_t kHookRecord = 0x7A10;  // the MSLLHOOKSTRUCT address the hook is given

class LockOnTest : public LauncherScene {
 protected:
  LockOnTest() {
    viewer = addViewer(100);
    desktop.setRect(viewer, Rect{100, 100, 500, 400});
    control = desktop.addChild(viewer, L"Button", 7);
    desktop.setRect(control, Rect{10, 10, 110, 60});
    desktop.setRect(desktop.addWindow(L"Notepad", L"memo", 50, 51), Rect{600, 100, 800, 300});  // another program's
  }

  // A pick started from the menu, and what the hook and the shell do with one left click at `point`.
  void pickAt(Point point) {
    lockOnCommand(mainWindow);
    desktop.setCursorPosition(point);
    ASSERT_TRUE(takeLockOnClick(0, kLeftButtonDown, kHookRecord));
    lockOnClick();
  }

  void lockOntoViewer() {
    pickAt(Point{130, 130});
    ASSERT_EQ(state.lockedTarget, viewer);
    desktop.clearEvents();
  }

  WindowHandle viewer = 0, control = 0;
};

TEST_F(LockOnTest, AClickOnAChildControlLocksOntoItsViewerAndChecksItem114Only) {
  lockOnCommand(mainWindow);
  ASSERT_EQ(platform.installed.size(), 1u);
  EXPECT_TRUE(pickInProgress());
  EXPECT_EQ(launcher().hookOwner, mainWindow);

  desktop.setCursorPosition(Point{130, 130});
  ASSERT_EQ(desktop.windowFromPoint(Point{130, 130}), control);
  // The button-down goes to the shell and is swallowed.
  EXPECT_TRUE(takeLockOnClick(0, kLeftButtonDown, kHookRecord));
  EXPECT_EQ(desktop.events(), (EventLog{Event::send(mainWindow, kLockOnClickMessage, kLeftButtonDown, kHookRecord)}));
  lockOnClick();

  EXPECT_EQ(platform.removed, platform.installed) << "the pick ends inside the click message";
  EXPECT_FALSE(pickInProgress());
  EXPECT_EQ(state.lockedTarget, viewer);
  EXPECT_TRUE(menuIsChecked());
  EXPECT_EQ(platform.itemStates.at(IDM_LOCKON), kMenuStateChecked);
  EXPECT_EQ(platform.itemStates.at(IDM_SETTINGS), 0u);
  unlock();
  EXPECT_EQ(platform.itemStates.at(IDM_LOCKON), 0u);
}

TEST_F(LockOnTest, TheHookPassesEverythingButALeftButtonDown) {
  lockOnCommand(mainWindow);
  EXPECT_FALSE(takeLockOnClick(0, 0x0202, kHookRecord));  // button up
  EXPECT_FALSE(takeLockOnClick(0, 0x0200, kHookRecord));  // move
  EXPECT_FALSE(takeLockOnClick(-1, kLeftButtonDown, kHookRecord));
  EXPECT_TRUE(desktop.events().empty());
  EXPECT_TRUE(pickInProgress());
}

TEST_F(LockOnTest, AClickOutsideEveryViewerEndsThePickWithNoTarget) {
  // Another program's window, then the bare desktop: no window at all.
  for (Point point : {Point{650, 150}, Point{1200, 1000}}) {
    SCOPED_TRACE(testing::Message() << "click at " << point.x << ", " << point.y);
    pickAt(point);
    EXPECT_EQ(state.lockedTarget, 0u);
    EXPECT_FALSE(menuIsChecked());
    EXPECT_FALSE(pickInProgress());
  }
}

TEST_F(LockOnTest, AClickOnAViewersOwnedPopupLocksOntoTheViewer) {
  const WindowHandle popup = desktop.addOwnedPopup(viewer, L"TVTest Panel", L"");
  desktop.setRect(popup, Rect{900, 100, 1000, 200});
  desktop.bringToFront(popup);
  pickAt(Point{950, 150});
  EXPECT_EQ(state.lockedTarget, viewer);
}

TEST_F(LockOnTest, ChosenAgainWhileLockedOrMarkedReleasesTheLockAndStartsNoPick) {
  lockOntoViewer();
  lockOnCommand(mainWindow);
  EXPECT_EQ(state.lockedTarget, 0u);
  EXPECT_FALSE(menuIsChecked());
  EXPECT_FALSE(pickInProgress());
  EXPECT_EQ(platform.installed.size(), 1u);

  // A check mark left by a closed viewer is cleared the same way.
  lockOntoViewer();
  desktop.destroyWindow(viewer);
  lockOnCommand(mainWindow);
  EXPECT_FALSE(menuIsChecked());
  EXPECT_FALSE(pickInProgress());

  lockOnCommand(mainWindow);  // now really unlocked: a pick
  EXPECT_TRUE(pickInProgress());
}

TEST_F(LockOnTest, AClosedLockedViewerClearsTheCheckMarkOnTheNextRoutedPress) {
  settings.switchByOnair = 1;
  settings.powerOnLaunch = 1;
  settings.viewerPath = L"C:\\TVTest\\TVTest.exe";
  lockOntoViewer();
  desktop.destroyWindow(viewer);

  handleButton(0x21);  // on-air, consumed with no viewer left
  handleButton(0x01);  // power, consumed: a launch
  EXPECT_TRUE(menuIsChecked()) << "consumed presses never reach routing";

  handleButton(0x0F);
  EXPECT_FALSE(menuIsChecked());
  EXPECT_EQ(state.lockedTarget, 0u);
}

TEST_F(LockOnTest, AClosedLockedViewerClearsTheCheckMarkOnTheNextTrayRightClick) {
  lockOntoViewer();
  EXPECT_TRUE(trayRightButton());
  EXPECT_TRUE(menuIsChecked()) << "a live lock keeps its mark";

  desktop.destroyWindow(viewer);
  EXPECT_TRUE(trayRightButton());
  EXPECT_FALSE(menuIsChecked());
}

// Windows may have dropped the hook, or it cannot see clicks on the window
// the user means: the right-click is the way out of the pick.
TEST_F(LockOnTest, ARightClickWhilePickingShowsNoMenuButEndsThePickWithNoTarget) {
  lockOntoViewer();
  desktop.destroyWindow(viewer);
  lockOnCommand(mainWindow);  // clears the stale mark
  lockOnCommand(mainWindow);  // a pick
  const int writes = platform.stateWrites;
  EXPECT_FALSE(trayRightButton());
  EXPECT_EQ(platform.stateWrites, writes);
  EXPECT_FALSE(pickInProgress());
  EXPECT_EQ(platform.removed, platform.installed);
  EXPECT_EQ(state.lockedTarget, 0u);

  EXPECT_TRUE(trayRightButton()) << "the next right-click shows the menu";
  EXPECT_EQ(platform.removed, platform.installed) << "no hook is removed twice";
}

TEST_F(LockOnTest, AHookThatCannotBeInstalledStartsNoPick) {
  platform.hookFails = true;
  lockOnCommand(mainWindow);
  EXPECT_FALSE(pickInProgress());
  EXPECT_TRUE(trayRightButton());
}

TEST_F(LockOnTest, ANewPickRemovesAHookStillInstalled) {
  lockOnCommand(mainWindow);
  lockOnCommand(mainWindow);  // unlocked and unchecked: picks again
  ASSERT_EQ(platform.installed.size(), 2u);
  EXPECT_EQ(platform.removed, (std::vector<HookHandle>{platform.installed[0]}));
  EXPECT_EQ(launcher().mouseHook, platform.installed[1]);
}

}  // namespace
}  // namespace vexlo::test

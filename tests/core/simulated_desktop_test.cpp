// The simulated desktop stands in for Windows in every core test; where it
// strays from Windows, those tests prove nothing.
#include "tests/support/simulated_desktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/installed_launcher.h"

namespace vexlo::test {
namespace {

class SimulatedDesktopTest : public ::testing::Test {
 protected:
  std::vector<WindowHandle> topLevel() { return visited(0); }
  // What an enumeration shows a visitor that stops after `last`: the top-level
  // windows without a parent, else the parent's descendants.
  std::vector<WindowHandle> visited(WindowHandle parent, WindowHandle last = 0) {
    std::vector<WindowHandle> seen;
    const auto visit = [&](WindowHandle w) {
      seen.push_back(w);
      return w != last;
    };
    parent == 0 ? desktop.enumTopLevelWindows(visit) : desktop.enumChildWindows(parent, visit);
    return seen;
  }

  SimulatedDesktop desktop;
};

TEST_F(SimulatedDesktopTest, ZOrderRunsFrontToBackAndFollowsMovesAndActivation) {
  const WindowHandle a = desktop.addWindow(L"A", L"", 1, 1);
  const WindowHandle b = desktop.addWindow(L"B", L"", 2, 2);
  const WindowHandle c = desktop.addWindow(L"C", L"", 3, 3);
  EXPECT_EQ(topLevel(), (std::vector<WindowHandle>{a, b, c}));
  EXPECT_EQ(desktop.nextWindow(a), b);
  EXPECT_EQ(desktop.nextWindow(c), 0u);
  desktop.setWindowPos(c, kHwndTop, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
  EXPECT_EQ(topLevel(), (std::vector<WindowHandle>{c, a, b}));
  desktop.setWindowPos(c, a, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
  EXPECT_EQ(topLevel(), (std::vector<WindowHandle>{a, c, b}));
  desktop.setWindowPos(a, kHwndTop, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize | kSwpNoZOrder);
  EXPECT_EQ(topLevel(), (std::vector<WindowHandle>{a, c, b}));
  EXPECT_TRUE(desktop.setForegroundWindow(b));
  EXPECT_EQ(topLevel(), (std::vector<WindowHandle>{b, a, c}));
  EXPECT_EQ(desktop.foregroundWindow(), b);
}

TEST_F(SimulatedDesktopTest, OwnedPopupsStayInFrontOfTheirOwners) {
  const WindowHandle a = desktop.addWindow(L"A", L"", 1, 1);
  const WindowHandle owner = desktop.addWindow(L"Owner", L"", 2, 2);
  const WindowHandle b = desktop.addWindow(L"B", L"", 3, 3);
  const WindowHandle first = desktop.addOwnedPopup(owner, L"Popup", L"");
  const WindowHandle second = desktop.addOwnedPopup(owner, L"Popup", L"");
  EXPECT_EQ(topLevel(), (std::vector<WindowHandle>{a, first, second, owner, b}));
  desktop.bringToFront(first);
  EXPECT_EQ(topLevel(), (std::vector<WindowHandle>{first, a, second, owner, b}));
  // Raising the owner raises what it owns, in its order.
  EXPECT_TRUE(desktop.setForegroundWindow(owner));
  EXPECT_EQ(topLevel(), (std::vector<WindowHandle>{first, second, owner, a, b}));
  desktop.setWindowPos(owner, b, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
  EXPECT_EQ(topLevel(), (std::vector<WindowHandle>{a, b, first, second, owner}));
  desktop.sendToBack(first);
  EXPECT_EQ(topLevel(), (std::vector<WindowHandle>{a, b, second, first, owner}));
}

TEST_F(SimulatedDesktopTest, VisitorsCanStopEnumerationAndChildrenComeDepthFirst) {
  const WindowHandle top = desktop.addWindow(L"Top", L"", 1, 1);
  const WindowHandle first = desktop.addChild(top, L"First");
  const WindowHandle inner = desktop.addChild(first, L"Inner");
  const WindowHandle second = desktop.addChild(top, L"Second");
  EXPECT_EQ(visited(top), (std::vector<WindowHandle>{first, inner, second}));
  EXPECT_EQ(visited(top, inner), (std::vector<WindowHandle>{first, inner}));
}

TEST_F(SimulatedDesktopTest, ParentIsTheOwnerOnlyForPopups) {
  const WindowHandle owner = desktop.addWindow(L"Owner", L"", 1, 1);
  const WindowHandle popup = desktop.addOwnedPopup(owner, L"Popup", L"");
  const WindowHandle child = desktop.addChild(popup, L"Child", 7);
  EXPECT_EQ(desktop.parentWindow(child), popup);
  EXPECT_EQ(desktop.parentWindow(popup), owner);
  EXPECT_EQ(desktop.parentWindow(owner), 0u);
  EXPECT_EQ(desktop.controlId(child), 7);
  EXPECT_EQ(desktop.windowProcess(child), 1u);
  desktop.destroyWindow(owner);  // takes what it owns, and their children
  EXPECT_FALSE(desktop.isWindow(popup));
  EXPECT_FALSE(desktop.isWindow(child));
  EXPECT_EQ(desktop.windowProcess(child), 0u);
  EXPECT_EQ(topLevel(), std::vector<WindowHandle>{});
}

TEST_F(SimulatedDesktopTest, TextIsTruncatedToTheBufferAndUnreadableClassesFail) {
  const std::wstring longName(150, L'x');
  const WindowHandle w = desktop.addWindow(longName, longName, 1, 1);
  WindowText text;
  ASSERT_TRUE(desktop.className(w, text));
  EXPECT_EQ(text.length, kWindowTextCapacity - 1);
  EXPECT_FALSE(text.equals(longName.c_str()));
  desktop.setClassReadable(w, false);
  EXPECT_FALSE(desktop.className(w, text));
  EXPECT_EQ(text.length, 0u);
  EXPECT_FALSE(desktop.className(0, text));
}

TEST_F(SimulatedDesktopTest, WindowFromPointFindsTheDeepestVisibleChildOfTheTopmostWindow) {
  const WindowHandle front = desktop.addWindow(L"Front", L"", 1, 1);
  desktop.setRect(front, Rect{0, 0, 50, 50});
  const WindowHandle back = desktop.addWindow(L"Back", L"", 2, 2);
  desktop.setRect(back, Rect{0, 0, 200, 200});
  const WindowHandle panel = desktop.addChild(back, L"Panel");
  desktop.setRect(panel, Rect{100, 100, 150, 150});
  const WindowHandle button = desktop.addChild(panel, L"Button");
  desktop.setRect(button, Rect{10, 10, 20, 20});
  EXPECT_EQ(desktop.windowFromPoint(Point{10, 10}), front);
  EXPECT_EQ(desktop.windowFromPoint(Point{115, 115}), button);
  EXPECT_EQ(desktop.windowFromPoint(Point{140, 140}), panel);
  desktop.setVisible(panel, false);
  EXPECT_EQ(desktop.windowFromPoint(Point{115, 115}), back);
  EXPECT_EQ(desktop.windowFromPoint(Point{500, 500}), 0u);
}

TEST_F(SimulatedDesktopTest, FocusOfAnotherThreadIsVisibleOnlyWithInputAttached) {
  const WindowHandle dialog = desktop.addWindow(L"#32770", L"", 5, 6);
  const WindowHandle edit = desktop.addChild(dialog, L"Edit", 3);
  desktop.setFocus(edit);
  EXPECT_EQ(desktop.focusWindow(), 0u);
  EXPECT_TRUE(desktop.attachThreadInput(6, SimulatedDesktop::kLauncherThread, true));
  EXPECT_EQ(desktop.focusWindow(), edit);
  EXPECT_TRUE(desktop.attachThreadInput(6, SimulatedDesktop::kLauncherThread, false));
  EXPECT_FALSE(desktop.attachThreadInput(6, SimulatedDesktop::kLauncherThread, false));
  EXPECT_FALSE(desktop.attachThreadInput(6, 6, true));
  EXPECT_EQ(desktop.focusWindow(), 0u);
}

TEST_F(SimulatedDesktopTest, RegisteredMessagesAreStablePerName) {
  const std::uint32_t a = desktop.registerWindowMessage(L"one");
  EXPECT_GE(a, 0xC000u);
  EXPECT_EQ(desktop.registerWindowMessage(L"one"), a);
  EXPECT_NE(desktop.registerWindowMessage(L"two"), a);
  EXPECT_EQ(desktop.registerWindowMessage(L""), 0u);
}

TEST_F(SimulatedDesktopTest, AnInstalledLauncherUsesItAndPutsBackThePreviousRecord) {
  WindowSystem* before = launcher().windowSystem;
  {
    SimulatedDesktop outer;
    InstalledLauncher outerLauncher{Seams{&outer}};
    EXPECT_EQ(launcher().windowSystem, &outer);
    launcher().state.dialogWidth = 700;
    {
      SimulatedDesktop inner;
      InstalledLauncher innerLauncher{Seams{&inner}};
      EXPECT_EQ(launcher().windowSystem, &inner);
      EXPECT_EQ(launcher().state.dialogWidth, kMinDialogWidth);
    }
    EXPECT_EQ(launcher().windowSystem, &outer);
    EXPECT_EQ(launcher().state.dialogWidth, 700);
  }
  EXPECT_EQ(launcher().windowSystem, before);
}

}  // namespace
}  // namespace vexlo::test

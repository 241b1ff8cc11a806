#include "launcher/routing.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "launcher/keys.h"
#include "tests/support/launcher_scene.h"

namespace vexlo::test {
namespace {

class RoutingTest : public LauncherScene {
 protected:
  // Routes the code; everything the desktop has seen so far.
  EventLog routed(std::uint16_t code) {
    routeButton(code);
    return desktop.events();
  }

  // Runs check in each mode, from an empty log, the mode named in any failure.
  template <typename Check>
  void inModes(std::initializer_list<Mode> modes, Check check) {
    for (Mode mode : modes) {
      SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(mode));
      desktop.clearEvents();
      state.mode = mode;
      check(mode);
    }
  }
};

constexpr std::initializer_list<Mode> kEveryMode = {Mode::kHdusEmulation, Mode::kDirectInput,
                                                    Mode::kDirectInputForegroundOnly};

// Direct input, where a press goes to the topmost viewer without a lock.
class DirectInputTest : public RoutingTest {
 protected:
  DirectInputTest() { state.mode = Mode::kDirectInput; }
};

// --- Choosing the viewer -----------------------------------------------------

TEST_F(RoutingTest, ModesWithoutDirectInputDeliverNothingWithoutALock) {
  addViewer(100);
  inModes({Mode::kHdusEmulation, Mode::kDirectInputForegroundOnly}, [&](Mode) {
    EXPECT_TRUE(routeButton(0x0F));
    EXPECT_EQ(desktop.events(), EventLog{});
  });
}

TEST_F(DirectInputTest, DirectInputPostsTheRemoteMessageToTheTopmostViewer) {
  desktop.addWindow(L"Notepad", L"memo", 50, 51);
  const WindowHandle upper = addViewer(100);
  const WindowHandle lower = addViewer(200, kTvh264WindowClass);
  EXPECT_TRUE(routeButton(0x0F));
  desktop.bringToFront(lower);
  EXPECT_TRUE(routeButton(0x33));
  EXPECT_EQ(desktop.events(), (EventLog{remote(upper, 0x0F), remote(lower, 0x33)}));
}

TEST_F(DirectInputTest, HiddenViewersCountAndUnreadableClassesAreSkipped) {
  const WindowHandle unreadable = desktop.addWindow(kMagicTvWindowClass, L"", 10, 11);
  desktop.setClassReadable(unreadable, false);
  const WindowHandle hidden = addViewer(100);
  desktop.setVisible(hidden, false);
  EXPECT_EQ(routed(0x10), EventLog{remote(hidden, 0x10)});
}

TEST_F(DirectInputTest, MagicTvAboveEveryViewerStopsTheSearch) {
  const WindowHandle magic = desktop.addWindow(kMagicTvWindowClass, L"mAgicTV", 10, 11);
  const WindowHandle viewer = addViewer(100);
  EXPECT_TRUE(routeButton(0x0F));
  EXPECT_EQ(desktop.events(), EventLog{});
  EXPECT_EQ(findViewerWindow(), 0u);

  desktop.sendToBack(magic);
  EXPECT_EQ(routed(0x0F), EventLog{remote(viewer, 0x0F)});
}

TEST_F(DirectInputTest, ClassNamesCompareExactlyAndCaseSensitively) {
  desktop.addWindow(L"TVTest window", L"", 10, 11);
  desktop.addWindow(L"TVTest Window ", L"", 20, 21);
  desktop.addWindow(L"magictvwindow", L"", 30, 31);
  const WindowHandle viewer = addViewer(100);
  EXPECT_EQ(routed(0x0F), EventLog{remote(viewer, 0x0F)});
}

TEST_F(RoutingTest, TheViewerFoundIsReplacedByItsRoot) {
  const WindowHandle owner = desktop.addWindow(L"Owner", L"", 100, 101);
  const WindowHandle popup = desktop.addOwnedPopup(owner, kViewerWindowClass, L"TVTest");
  desktop.bringToFront(popup);
  EXPECT_EQ(findViewerWindow(), owner);
  EXPECT_EQ(rootWindow(popup), owner);
  EXPECT_EQ(rootWindow(owner), owner);
  EXPECT_EQ(rootWindow(0), 0u);
}

TEST_F(DirectInputTest, TheCodeTravelsZeroExtendedInWParamWithZeroLParam) {
  const WindowHandle viewer = addViewer(100);
  routeButton(0x00FF);
  EXPECT_EQ(routed(0x1234), (EventLog{remote(viewer, 0xFF), remote(viewer, 0x1234)}));
}

// --- The lock ----------------------------------------------------------------

TEST_F(RoutingTest, ALockedViewerReceivesInEveryModeWhateverIsInFront) {
  const WindowHandle front = addViewer(100);
  const WindowHandle locked = addViewer(200);
  desktop.setForeground(front);
  inModes(kEveryMode, [&](Mode) {
    state.lockedTarget = locked;
    EXPECT_TRUE(routeButton(0x0F));
    EXPECT_EQ(desktop.events(), EventLog{remote(locked, 0x0F)});
    EXPECT_EQ(state.lockedTarget, locked);
  });
}

// The loss is reported in every mode; only direct input goes on the direct way.
TEST_F(RoutingTest, AClosedLockTargetIsDroppedAndOnlyDirectInputGoesTheDirectWay) {
  const WindowHandle other = addViewer(100);
  const WindowHandle closed = addViewer(200);
  desktop.destroyWindow(closed);
  inModes(kEveryMode, [&](Mode mode) {
    state.lockedTarget = closed;
    EXPECT_FALSE(routeButton(0x0F));
    EXPECT_EQ(state.lockedTarget, 0u);
    EXPECT_EQ(desktop.events(), mode == Mode::kDirectInput ? EventLog{remote(other, 0x0F)} : EventLog{});
  });
}

TEST_F(RoutingTest, ALockedCodeIsDroppedWhileMagicTvIsInTheForeground) {
  const WindowHandle magic = desktop.addWindow(kMagicTvWindowClass, L"mAgicTV", 10, 11);
  const WindowHandle magicChild = desktop.addChild(magic, L"Panel", 5);
  const WindowHandle locked = addViewer(100);
  state.lockedTarget = locked;
  desktop.setForeground(magicChild);  // its root decides
  EXPECT_TRUE(foregroundIsMagicTv());
  EXPECT_TRUE(routeButton(0x0F));
  EXPECT_EQ(desktop.events(), EventLog{});
  EXPECT_EQ(state.lockedTarget, locked);

  desktop.setForeground(locked);
  EXPECT_FALSE(foregroundIsMagicTv());
  EXPECT_EQ(routed(0x0F), EventLog{remote(locked, 0x0F)});
}

TEST_F(RoutingTest, NoForegroundWindowIsNotMagicTv) { EXPECT_FALSE(foregroundIsMagicTv()); }

TEST_F(RoutingTest, ValidateLockStoresTheRootViewerOrClears) {
  const WindowHandle viewer = addViewer(100);
  const WindowHandle child = desktop.addChild(viewer, L"TVTest View", 3);
  const WindowHandle grandChild = desktop.addChild(child, L"TVTest Video Container", 4);
  EXPECT_TRUE(validateLock(grandChild));
  EXPECT_EQ(state.lockedTarget, viewer);
  EXPECT_TRUE(lockIsValid());

  const WindowHandle notepad = desktop.addWindow(L"Notepad", L"", 50, 51);
  EXPECT_FALSE(validateLock(notepad));
  EXPECT_EQ(state.lockedTarget, 0u);
  EXPECT_FALSE(lockIsValid());

  state.lockedTarget = viewer;
  desktop.setClassReadable(viewer, false);
  EXPECT_FALSE(lockIsValid());
  EXPECT_EQ(state.lockedTarget, 0u);

  EXPECT_FALSE(validateLock(0));
}

// --- The form of delivery ------------------------------------------------------

TEST_F(DirectInputTest, AVisibleOpenDialogTakesTheCodeAsKeysNotTheRemoteMessage) {
  const WindowHandle dialog = addOpenDialog(100);
  const WindowHandle list = desktop.addChild(dialog, L"SHELLDLL_DefView", 0x461);
  desktop.setFocus(list);
  const WindowHandle viewer = addViewer(100);
  routeButton(0x1F);
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kPostMessage), EventLog{Event::post(list, kWmKeyDown, kVkReturn, 0)});
  EXPECT_EQ(desktop.foregroundWindow(), dialog);

  desktop.clearEvents();
  desktop.setVisible(dialog, false);
  EXPECT_EQ(routed(0x1F), EventLog{remote(viewer, 0x1F)});
}

TEST_F(DirectInputTest, OnlyTheViewersOwnOpenDialogsCount) {
  addOpenDialog(999);                                                 // another program's
  desktop.addWindow(kDialogClass, L"名前を付けて保存", 100, 101);  // not an open dialog
  const WindowHandle viewer = addViewer(100);
  EXPECT_EQ(routed(0x1F), EventLog{remote(viewer, 0x1F)});
}

TEST_F(DirectInputTest, YetAnotherFileOpenIsAnOpenDialogWhateverItsTitle) {
  const WindowHandle dialog = desktop.addWindow(kYetAnotherFileOpenClass, L"", 100, 101);
  desktop.setFocus(dialog);
  addViewer(100);
  routeButton(0x18);
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kPostMessage), EventLog{Event::post(dialog, kWmKeyDown, kVkTab, 0)});
}

TEST_F(DirectInputTest, TheFirstOpenDialogDecidesThenItsVisibility) {
  const WindowHandle hidden = addOpenDialog(100);
  desktop.setVisible(hidden, false);
  const WindowHandle shown = addOpenDialog(100);
  desktop.setFocus(shown);
  EXPECT_EQ(findOpenDialog(100), 0u);
  const WindowHandle unreadable = addOpenDialog(100);
  desktop.setClassReadable(unreadable, false);
  desktop.bringToFront(unreadable);
  EXPECT_EQ(findOpenDialog(100), 0u);
  desktop.setTitleReadable(hidden, false);  // an unreadable title counts as empty
  EXPECT_EQ(findOpenDialog(100), shown);
}

TEST_F(DirectInputTest, ACodeOutsideTheDialogMapIsDroppedWithoutFallBack) {
  const WindowHandle viewer = addViewer(100);
  desktop.addChild(viewer, kChannelDisplayClass, 1);
  const WindowHandle dialog = addOpenDialog(100);
  desktop.setFocus(dialog);
  routeButton(0x0F);
  routeButton(0x1E);  // in both maps: the dialog still wins over the display
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kPostMessage), EventLog{Event::post(dialog, kWmKeyDown, kVkLeft, 0)});
}

TEST_F(DirectInputTest, TheChannelDisplayInTheWindowTakesCursorEnterAndCancelOnly) {
  const WindowHandle viewer = addViewer(100);
  const WindowHandle display = desktop.addChild(viewer, kChannelDisplayClass, 1);
  routeButton(0x1C);
  routeButton(0x24);  // Page Up is for dialogs only
  routeButton(0x0F);
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kPostMessage), EventLog{Event::post(display, kWmKeyDown, kVkUp, 0)});
  // No focus search and no foreground change for the display.
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kAttachThreadInput), EventLog{});
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kSetForegroundWindow), EventLog{});

  desktop.clearEvents();
  desktop.setVisible(display, false);
  EXPECT_EQ(routed(0x1C), EventLog{remote(viewer, 0x1C)});
}

TEST_F(DirectInputTest, TheChannelDisplayInFullScreenBelongsToTheViewersProcess) {
  const WindowHandle strangerFullscreen = desktop.addWindow(kFullscreenWindowClass, L"", 999, 998);
  desktop.addChild(strangerFullscreen, kChannelDisplayClass, 1);
  const WindowHandle fullscreen = desktop.addWindow(kFullscreenWindowClass, L"", 100, 101);
  const WindowHandle container = desktop.addChild(fullscreen, L"TVTest View", 2);
  const WindowHandle display = desktop.addChild(container, kChannelDisplayClass, 1);
  const WindowHandle viewer = addViewer(100);
  EXPECT_EQ(findChannelDisplay(viewer), display);
  routeButton(0x23);
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kPostMessage), EventLog{Event::post(display, kWmKeyDown, kVkEscape, 0)});
}

TEST_F(RoutingTest, AHiddenDisplayOfTheWindowHidesTheFullScreenOneAndADisplayInAHiddenParentIsHidden) {
  const WindowHandle fullscreen = desktop.addWindow(kFullscreenWindowClass, L"", 100, 101);
  desktop.addChild(fullscreen, kChannelDisplayClass, 1);
  const WindowHandle viewer = addViewer(100);
  desktop.setVisible(desktop.addChild(viewer, kChannelDisplayClass, 1), false);
  EXPECT_EQ(findChannelDisplay(viewer), 0u);

  const WindowHandle other = addViewer(200);  // with no full-screen window
  const WindowHandle panel = desktop.addChild(other, L"Panel", 2);
  desktop.addChild(panel, kChannelDisplayClass, 1);
  desktop.setVisible(panel, false);
  EXPECT_EQ(findChannelDisplay(other), 0u);
}

TEST_F(RoutingTest, NoTargetMeansNothingHappens) {
  routeToTarget(0, 0x0F);
  EXPECT_EQ(desktop.events(), EventLog{});
}

// --- The decision ------------------------------------------------------------

std::string described(const RouteDecision& d) {
  return "choice " + std::to_string(static_cast<int>(d.choice)) + ", lock lost " + std::to_string(d.lockLost) +
         ", target " + std::to_string(d.target) + ", form " + std::to_string(static_cast<int>(d.form)) +
         ", window " + std::to_string(d.window) + ", enlarge " + std::to_string(d.enlargeDialog) + ", key " +
         (d.key ? std::to_string(d.key->shift) + "+" + std::to_string(d.key->virtualKey) : "none");
}

// Every road, decided without a single effect on the desktop; what routes
// the press afterwards delivers exactly that.
TEST_F(RoutingTest, TheDecisionSaysTheChoiceTheFormTheWindowAndTheKeyAndDeliversNothing) {
  const WindowHandle viewer = addViewer(100);
  const WindowHandle other = addViewer(200);
  const WindowHandle magic = desktop.addWindow(kMagicTvWindowClass, L"mAgicTV", 10, 11);
  const auto expectDecision = [&](std::uint16_t code, const RouteDecision& expected, const char* scene) {
    EXPECT_EQ(described(decideRoute(code)), described(expected)) << scene;
  };
  using C = RouteChoice;
  using F = RouteForm;
  expectDecision(0x0F, {}, "mode 0, no lock");
  state.mode = Mode::kDirectInput;
  expectDecision(0x0F, {C::kDirect, false, viewer, F::kRemoteMessage, viewer}, "direct");
  const WindowHandle display = desktop.addChild(viewer, kChannelDisplayClass, 1);
  expectDecision(0x1C, {C::kDirect, false, viewer, F::kChannelDisplayKeys, display, false, channelKeyFor(0x1C)},
                 "channel display, a key of its map");
  expectDecision(0x24, {C::kDirect, false, viewer, F::kChannelDisplayKeys, display}, "channel display, no key");
  const WindowHandle dialog = addOpenDialog(100);
  state.dialogExpand = 1;
  expectDecision(0x19, {C::kDirect, false, viewer, F::kDialogKeys, dialog, true, dialogKeyFor(0x19)},
                 "open-file dialog, Shift+Tab");
  expectDecision(0x1A, {C::kDirect, false, viewer, F::kDialogKeys, dialog, true}, "open-file dialog, no key");
  state.lockedTarget = other;
  expectDecision(0x0F, {C::kLocked, false, other, F::kRemoteMessage, other}, "locked");
  desktop.setForeground(magic);
  expectDecision(0x0F, {C::kLocked}, "locked, mAgicTV in front");
  desktop.destroyWindow(other);
  expectDecision(0x1F, {C::kDirect, true, viewer, F::kDialogKeys, dialog, true, dialogKeyFor(0x1F)},
                 "the lock target gone, direct input");
  state.lockedTarget = other;
  state.mode = Mode::kHdusEmulation;
  expectDecision(0x0F, {C::kNone, true}, "the lock target gone, mode 0");
  desktop.bringToFront(magic);
  state.mode = Mode::kDirectInput;
  expectDecision(0x0F, {C::kDirect}, "direct, mAgicTV above every viewer");
  EXPECT_EQ(desktop.events(), EventLog{});
}

}  // namespace
}  // namespace vexlo::test

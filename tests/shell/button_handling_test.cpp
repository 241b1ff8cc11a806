// The shell's handling of one decoded WM_INPUT.

#include "launcher/button_handling.h"

#include "launcher/receiver.h"
#include "tests/support/launcher_scene.h"

namespace vexlo::test {
namespace {

class ButtonHandlingTest : public LauncherScene {
 protected:
  ButtonHandlingTest() { state.mode = Mode::kDirectInput; }

  // A lock onto a viewer that has since closed, with its mark still shown.
  void leaveStaleLock() {
    const WindowHandle gone = addViewer(300);
    state.lockedTarget = gone;
    platform.itemStates[IDM_LOCKON] = kMenuStateChecked;
    desktop.destroyWindow(gone);
  }

  WindowHandle viewer = addViewer(100);
};

TEST_F(ButtonHandlingTest, ResultsOf0x100AndAboveEndTheHandlingAndTheHighestButtonCodeIsRouted) {
  leaveStaleLock();
  for (std::uint16_t result : {kNoAction, kNotReceiver, std::uint16_t{0x100}}) handleButton(result);
  EXPECT_TRUE(desktop.events().empty());
  EXPECT_TRUE(menuIsChecked()) << "no routing, so nothing found the lock gone";
  handleButton(0xFF);
  EXPECT_EQ(desktop.events(), (EventLog{remote(viewer, 0xFF)}));
}

TEST_F(ButtonHandlingTest, AConsumedSpecialButtonIsNotRouted) {
  settings.switchByOnair = 1;
  desktop.setForeground(viewer);
  handleButton(0x21);
  EXPECT_FALSE(desktop.eventsOfKind(EventKind::kSetForegroundWindow).empty());
  EXPECT_TRUE(desktop.eventsOfKind(EventKind::kPostMessage).empty());
}

TEST_F(ButtonHandlingTest, ARoutingResultOfZeroUnlocksAfterTheDirectDelivery) {
  leaveStaleLock();
  handleButton(0x0F);
  EXPECT_EQ(desktop.events(), (EventLog{remote(viewer, 0x0F)}));
  EXPECT_FALSE(menuIsChecked());
  EXPECT_EQ(state.lockedTarget, 0u);
}

TEST_F(ButtonHandlingTest, ALiveLockLeavesTheMenuAlone) {
  const WindowHandle locked = addViewer(200);
  state.lockedTarget = locked;
  platform.itemStates[IDM_LOCKON] = kMenuStateChecked;
  state.mode = Mode::kHdusEmulation;
  handleButton(0x0F);
  EXPECT_EQ(desktop.events(), (EventLog{remote(locked, 0x0F)}));
  EXPECT_EQ(platform.stateWrites, 0);
}

}  // namespace
}  // namespace vexlo::test

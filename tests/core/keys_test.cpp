#include "launcher/keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "tests/support/launcher_scene.h"

namespace vexlo::test {
namespace {

constexpr std::uint8_t kScanShift = 0x2A;
constexpr std::uint8_t kScanCtrl = 0x1D;
constexpr ThreadId kDialogThread = 101;

class KeysTest : public LauncherScene {
 protected:
  KeysTest() { desktop.setFocus(list); }

  // What acquireFocus does before a stroke, then the stroke.
  static EventLog afterFocusSearch(WindowHandle window, EventLog stroke) {
    stroke.insert(stroke.begin(), {Event::attachThreadInput(kDialogThread, SimulatedDesktop::kLauncherThread, true),
                                   Event::setForegroundWindow(window),
                                   Event::attachThreadInput(kDialogThread, SimulatedDesktop::kLauncherThread, false)});
    return stroke;
  }

  static EventLog plainStroke(WindowHandle target, std::uint8_t virtualKey) {
    return {Event::keyUpEvent(kVkControl, kScanCtrl), Event::sleep(10),
            Event::keyUpEvent(kVkShift, kScanShift), Event::sleep(10),
            Event::post(target, kWmKeyDown, virtualKey, 0), Event::sleep(10),
            Event::sleep(10)};
  }

  WindowHandle dialog = addOpenDialog(100);
  WindowHandle list = desktop.addChild(dialog, L"SHELLDLL_DefView", 0x461);
  WindowHandle nameBox = desktop.addChild(dialog, L"Edit", 0x47C);
};

TEST_F(KeysTest, ShiftTabHoldsShiftAroundTheKeyAndOnlyReleasesCtrl) {
  dialogKeys(dialog, 0x19);
  EXPECT_EQ(desktop.events(), afterFocusSearch(dialog, {
                                  Event::keyUpEvent(kVkControl, kScanCtrl), Event::sleep(10),
                                  Event::keyDown(kVkShift, kScanShift), Event::sleep(10),
                                  Event::post(list, kWmKeyDown, kVkTab, 0), Event::sleep(10),
                                  Event::keyUpEvent(kVkShift, kScanShift), Event::sleep(10),
                              }));
}

TEST_F(KeysTest, APlainKeyReleasesBothModifiersFirstAndNothingAtTheEnd) {
  dialogKeys(dialog, 0x1F);
  EXPECT_EQ(desktop.events(), afterFocusSearch(dialog, plainStroke(list, kVkReturn)));
}

TEST_F(KeysTest, ACtrlStrokeHoldsCtrlAndReleasesItLast) {
  sendKeyStroke(KeyStroke{1, 1, 0x41}, nameBox);
  EXPECT_EQ(desktop.events(), (EventLog{
                                  Event::keyDown(kVkControl, kScanCtrl), Event::sleep(10),
                                  Event::keyDown(kVkShift, kScanShift), Event::sleep(10),
                                  Event::post(nameBox, kWmKeyDown, 0x41, 0), Event::sleep(10),
                                  Event::keyUpEvent(kVkShift, kScanShift), Event::sleep(10),
                                  Event::keyUpEvent(kVkControl, kScanCtrl),
                              }));
}

TEST_F(KeysTest, NoWindowMeansTheModifiersAndSleepsRunButNothingIsPosted) {
  desktop.setAttachThreadInputFails(true);
  dialogKeys(dialog, 0x1F);
  EventLog expected = plainStroke(0, kVkReturn);
  expected.erase(expected.begin() + 4);  // the post
  expected.insert(expected.begin(), Event::attachThreadInput(kDialogThread, SimulatedDesktop::kLauncherThread, true));
  EXPECT_EQ(desktop.events(), expected);
}

TEST_F(KeysTest, ADialogWithoutFocusGetsNoKeyMessage) {
  desktop.destroyWindow(list);  // takes the focus with it
  EXPECT_EQ(acquireFocus(dialog), 0u);
  desktop.clearEvents();
  dialogKeys(dialog, 0x1C);
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kPostMessage), EventLog{});
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kSleep).size(), 4u);
}

TEST_F(KeysTest, TheFocusIsFoundAnewForEveryStroke) {
  dialogKeys(dialog, 0x18);
  desktop.setFocus(nameBox);  // the user tabbed on
  dialogKeys(dialog, 0x1B);
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kPostMessage),
            (EventLog{Event::post(list, kWmKeyDown, kVkTab, 0), Event::post(nameBox, kWmKeyDown, kVkBack, 0)}));
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kAttachThreadInput).size(), 4u);
  EXPECT_FALSE(desktop.inputAttached(kDialogThread, SimulatedDesktop::kLauncherThread));
}

TEST_F(KeysTest, TheDialogMapPlaysItsThirteenKeys) {
  const std::pair<std::uint16_t, std::uint8_t> expected[] = {
      {0x18, kVkTab},  {0x19, kVkTab},  {0x1B, kVkBack},  {0x1C, kVkUp},   {0x1E, kVkLeft},
      {0x1F, kVkReturn}, {0x20, kVkRight}, {0x22, kVkDown}, {0x23, kVkEscape}, {0x24, kVkPrior},
      {0x26, kVkHome}, {0x27, kVkNext}, {0x29, kVkEnd}};
  int played = 0;
  for (std::uint16_t code = 0; code < 0x100; ++code) {
    desktop.clearEvents();
    dialogKeys(dialog, code);
    const EventLog posts = desktop.eventsOfKind(EventKind::kPostMessage);
    const auto* row = std::find_if(std::begin(expected), std::end(expected),
                                   [&](const auto& e) { return e.first == code; });
    if (row == std::end(expected)) {
      EXPECT_EQ(desktop.events(), EventLog{}) << "code " << code;
      continue;
    }
    ++played;
    EXPECT_EQ(posts, EventLog{Event::post(list, kWmKeyDown, row->second, 0)}) << "code " << code;
  }
  EXPECT_EQ(played, 13);
}

TEST_F(KeysTest, TheChannelMapPlaysCursorEnterAndCancelStraightToTheDisplay) {
  const WindowHandle viewer = addViewer(200);
  const WindowHandle display = desktop.addChild(viewer, kChannelDisplayClass, 1);
  const std::uint16_t codes[] = {0x1C, 0x1E, 0x1F, 0x20, 0x22, 0x23};
  const std::uint8_t keys[] = {kVkUp, kVkLeft, kVkReturn, kVkRight, kVkDown, kVkEscape};
  for (std::uint16_t code = 0; code < 0x100; ++code) channelKeys(display, code);
  EventLog expected;
  for (std::uint8_t key : keys) expected.push_back(Event::post(display, kWmKeyDown, key, 0));
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kPostMessage), expected);
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kKeyEvent).size(), 2 * std::size(codes));
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kAttachThreadInput), EventLog{});
}

}  // namespace
}  // namespace vexlo::test

#include "launcher/open_dialog.h"

#include <gtest/gtest.h>

#include "launcher/keys.h"
#include "launcher/routing.h"
#include "tests/support/launcher_scene.h"

namespace vexlo::test {
namespace {

class OpenDialogTest : public LauncherScene {
 protected:
  OpenDialogTest() {
    state.mode = Mode::kDirectInput;
    state.dialogExpand = 1;
    state.dialogWidth = 654;
    state.dialogHeight = 381;
    dialog = addOpenDialog(100);
    desktop.setRect(dialog, Rect{40, 30, 40 + 563, 30 + 350});
    places = child(L"ToolbarWindow32", 0x4A0);
    list = child(L"SHELLDLL_DefView", 0x461);
    nameLabel = child(L"Static", 0x442);
    nameBox = child(L"ComboBoxEx32", 0x47C);
    typeLabel = child(L"Static", 0x441);
    typeBox = child(L"ComboBox", 0x470);
    open = child(L"Button", 1);
    cancel = child(L"Button", 2);
    desktop.setFocus(list);
    viewer = addViewer(100);
  }

  WindowHandle child(const wchar_t* className, std::int32_t id) {
    const WindowHandle c = desktop.addChild(dialog, className, id);
    desktop.setRect(c, Rect{5, 6, 5 + 70, 6 + 20});
    return c;
  }

  static Rect at(std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy) {
    return Rect{x, y, x + cx, y + cy};
  }

  WindowHandle dialog = 0, places = 0, list = 0, nameLabel = 0, nameBox = 0, typeLabel = 0, typeBox = 0,
               open = 0, cancel = 0, viewer = 0;
};

TEST_F(OpenDialogTest, AFixedSizeDialogGetsEveryStandardControlPlacedThenItsSizeAgainAndAgain) {
  const EventLog layout{
      Event::setWindowPos(places, 0, 0, 0, 102, 320, 0x26),
      Event::setWindowPos(list, 0, 0, 0, 525, 261, 0x26),
      Event::setWindowPos(nameLabel, 0, 117, 308, 0, 0, 0x25),
      Event::setWindowPos(nameBox, 0, 228, 303, 0, 0, 0x25),
      Event::setWindowPos(typeLabel, 0, 117, 332, 0, 0, 0x25),
      Event::setWindowPos(typeBox, 0, 228, 329, 0, 0, 0x25),
      Event::setWindowPos(open, 0, 553, 303, 0, 0, 0x25),
      Event::setWindowPos(cancel, 0, 553, 327, 0, 0, 0x25),
      Event::setWindowPos(dialog, 0, 0, 0, 654, 381, 0x26),
  };
  layoutOpenDialog(dialog);
  EXPECT_EQ(desktop.events(), layout);
  // Sizes keep their place, moves keep their size.
  EXPECT_EQ(desktop.rect(list), at(5, 6, 525, 261));
  EXPECT_EQ(desktop.rect(places), at(5, 6, 102, 320));
  EXPECT_EQ(desktop.rect(open), at(553, 303, 70, 20));
  EXPECT_EQ(desktop.rect(dialog), at(40, 30, 654, 381));

  // Laid out again: the same calls, the same places.
  desktop.clearEvents();
  layoutOpenDialog(dialog);
  EXPECT_EQ(desktop.events(), layout);
  EXPECT_EQ(desktop.rect(list), at(5, 6, 525, 261));
}

TEST_F(OpenDialogTest, TheConfiguredSizeDrivesTheMargins) {
  state.dialogWidth = 1024;
  state.dialogHeight = 800;
  layoutOpenDialog(dialog);
  EXPECT_EQ(desktop.rect(list), at(5, 6, 895, 680));
  EXPECT_EQ(desktop.rect(places), at(5, 6, 102, 739));
  EXPECT_EQ(desktop.rect(cancel), at(553, 746, 70, 20));
  EXPECT_EQ(desktop.rect(typeBox), at(228, 748, 70, 20));
  EXPECT_EQ(desktop.rect(dialog), at(40, 30, 1024, 800));
}

TEST_F(OpenDialogTest, OtherControlsAreLeftAloneAndDescendantsAreReached) {
  const WindowHandle wrongId = child(L"Static", 0x443);
  const WindowHandle idZero = child(L"Button", 0);
  const WindowHandle swapped = child(L"Button", 0x461);  // the list's id on another class
  const WindowHandle unreadable = child(L"Button", 1);
  desktop.setClassReadable(unreadable, false);
  const WindowHandle inner = desktop.addChild(nameBox, L"ComboBox", 0x470);  // a grandchild
  layoutOpenDialog(dialog);
  for (WindowHandle untouched : {wrongId, idZero, swapped, unreadable}) {
    EXPECT_EQ(desktop.rect(untouched), at(5, 6, 70, 20));
  }
  EXPECT_EQ(desktop.rect(inner), at(228, 329, 10, 10));
}

TEST_F(OpenDialogTest, AResizableDialogOnlyTakesItsSize) {
  desktop.setStyle(dialog, kWsThickFrame);
  layoutOpenDialog(dialog);
  EXPECT_EQ(desktop.events(), EventLog{Event::setWindowPos(dialog, 0, 0, 0, 654, 381, 0x26)});
  EXPECT_EQ(desktop.rect(list), at(5, 6, 70, 20));
}

TEST_F(OpenDialogTest, AnUnmappedCodeStillEnlargesButPlaysNoStroke) {
  routeButton(0x1A);
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kSetWindowPos).size(), 9u);
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kPostMessage), EventLog{});
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kKeyEvent), EventLog{});
}

TEST_F(OpenDialogTest, EnlargementComesBeforeTheStrokeOfEveryCode) {
  routeButton(0x1F);
  routeButton(0x22);
  std::vector<EventKind> kinds;
  for (const Event& e : desktop.events()) {
    if (e.kind == EventKind::kSetWindowPos || e.kind == EventKind::kPostMessage) kinds.push_back(e.kind);
  }
  std::vector<EventKind> expected;
  for (int press = 0; press < 2; ++press) {
    expected.insert(expected.end(), 9, EventKind::kSetWindowPos);
    expected.push_back(EventKind::kPostMessage);
  }
  EXPECT_EQ(kinds, expected);
}

TEST_F(OpenDialogTest, EnlargementOffKeepsTheSizeButStillPlaysKeys) {
  for (std::int32_t flag : {0, 2}) {  // only exactly 1 turns it on
    state.dialogExpand = flag;
    routeButton(0x1F);
    EXPECT_EQ(desktop.eventsOfKind(EventKind::kSetWindowPos), EventLog{});
    EXPECT_EQ(desktop.eventsOfKind(EventKind::kPostMessage), EventLog{Event::post(list, kWmKeyDown, kVkReturn, 0)});
    EXPECT_EQ(desktop.rect(dialog), at(40, 30, 563, 350));
    desktop.clearEvents();
  }
}

}  // namespace
}  // namespace vexlo::test

// The power and on-air buttons: which instance comes forward, how it is
// forced there, and how the viewer is started.

#include "launcher/switching.h"

#include <utility>

#include "launcher/button_handling.h"
#include "tests/support/launcher_scene.h"

namespace vexlo::test {
namespace {

constexpr std::uint16_t kPower = 0x01;
constexpr std::uint16_t kOnAir = 0x21;

class SwitchingTest : public LauncherScene {
 protected:
  // The window that on-air brought forward, or 0 when nothing was forced.
  WindowHandle broughtForward() const {
    EventLog forced = desktop.eventsOfKind(EventKind::kSetForegroundWindow);
    return forced.empty() ? 0 : forced.back().window;
  }
};

TEST_F(SwitchingTest, OnAirTakesTheNextProcessIdUpwardsAndWrapsToTheLowest) {
  settings.switchByOnair = 1;
  const WindowHandle v200 = addViewer(200);
  const WindowHandle v300 = addViewer(300);
  const WindowHandle v100 = addViewer(100);
  // The viewer in front, and the one on-air brings.
  for (const auto& [front, next] : {std::pair{v200, v300}, std::pair{v300, v100}}) {
    SCOPED_TRACE(testing::Message() << "from the viewer of process " << desktop.windowProcess(front));
    desktop.clearEvents();
    desktop.bringToFront(front);
    desktop.setForeground(front);
    EXPECT_TRUE(specialButton(kOnAir));
    EXPECT_EQ(broughtForward(), next);
    EXPECT_TRUE(desktop.eventsOfKind(EventKind::kPostMessage).empty()) << "the code is consumed";
  }
}

TEST_F(SwitchingTest, ProcessIdsCompareUnsignedAndTheFirstOfEqualIdsStays) {
  const WindowHandle top = addViewer(0x10);
  const WindowHandle high = addViewer(0x80000000u);  // negative if taken as signed
  const WindowHandle highAgain = addViewer(0x80000000u);
  desktop.addWindow(L"TVH264 Window", L"", 0x10, 0x11);  // the top viewer's own second window
  desktop.setForeground(top);
  EXPECT_EQ(findSwitchTarget(), high);

  // Only the top viewer's own process besides it: the top is the lowest.
  desktop.destroyWindow(high);
  desktop.destroyWindow(highAgain);
  EXPECT_EQ(findSwitchTarget(), top);
}

TEST_F(SwitchingTest, TheWalkBeginsAtTheRootOfTheForegroundWindow) {
  const WindowHandle v200 = addViewer(200);
  const WindowHandle editor = desktop.addWindow(L"Notepad", L"memo", 50, 51);
  const WindowHandle v100 = addViewer(100);
  const WindowHandle editorPopup = desktop.addOwnedPopup(editor, L"#32770", L"Find");
  const WindowHandle v300 = addViewer(300);
  desktop.placeBehind(v300, editorPopup);
  ASSERT_EQ(desktop.zOrder(), (std::vector<WindowHandle>{mainWindow, v200, editorPopup, v300, editor, v100}));
  desktop.setForeground(editorPopup);
  // 300 stands between the pop-up and the editor, so only 100 is met: it is
  // the lowest, and nothing lies above 200.
  EXPECT_EQ(findSwitchTarget(), v100);
}

TEST_F(SwitchingTest, WithNoForegroundWindowTheTopViewerIsTheResult) {
  const WindowHandle v200 = addViewer(200);
  addViewer(300);
  EXPECT_EQ(desktop.foregroundWindow(), 0u);
  EXPECT_EQ(findSwitchTarget(), v200);
}

TEST_F(SwitchingTest, AViewerShowingAnOpenFileDialogBringsTheDialog) {
  settings.switchByOnair = 1;
  const WindowHandle v100 = addViewer(100);
  const WindowHandle v200 = addViewer(200);
  const WindowHandle dialog = desktop.addOwnedPopup(v200, L"#32770", L"ファイルを開く");
  desktop.setForeground(v100);
  EXPECT_TRUE(specialButton(kOnAir));
  EXPECT_EQ(broughtForward(), dialog);

  desktop.setVisible(dialog, false);
  EXPECT_EQ(findSwitchTarget(), v200) << "a hidden dialog does not count";
}

TEST_F(SwitchingTest, OnAirWithNoViewerDoesNothingAndRoutesNothing) {
  state.mode = Mode::kDirectInput;
  settings.switchByOnair = 5;  // any non-zero value switches
  handleButton(kOnAir);
  EXPECT_TRUE(desktop.events().empty());
}

TEST_F(SwitchingTest, ForceForegroundRunsItsStepsInOrderAndRestoresTheTimeOut) {
  const WindowHandle front = desktop.addWindow(L"Notepad", L"", 50, 51);
  const WindowHandle viewer = addViewer(100);
  desktop.setForeground(front);
  desktop.setForegroundLockTimeoutValue(200000);
  forceForeground(viewer);
  const EventLog expected{
      Event::attachThreadInput(101, 51, true),
      Event::setActiveWindow(viewer),
      Event::getForegroundLockTimeout(),
      Event::setForegroundLockTimeout(0),
      Event::setActiveWindow(viewer),
      Event::setForegroundWindow(viewer),
      Event::setWindowPos(viewer, kHwndTop, 0, 0, 0, 0, kSwpNoSize | kSwpNoMove),
      Event::setForegroundLockTimeout(200000),
      Event::attachThreadInput(101, 51, false),
  };
  EXPECT_EQ(desktop.events(), expected);
  EXPECT_EQ(desktop.lockTimeoutValue(), 200000u);
}

TEST_F(SwitchingTest, AFailedTimeOutQueryRestoresZeroAndFailuresStopNothing) {
  const WindowHandle viewer = addViewer(100);
  desktop.setForegroundLockTimeoutQueryFails(true);
  desktop.setAttachThreadInputFails(true);
  desktop.setForegroundRefused(true);
  forceForeground(viewer);
  EventLog timeouts = desktop.eventsOfKind(EventKind::kSetForegroundLockTimeout);
  ASSERT_EQ(timeouts.size(), 2u);
  EXPECT_EQ(timeouts[1], Event::setForegroundLockTimeout(0));
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kSetWindowPos).size(), 1u);
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kAttachThreadInput).size(), 2u);
}

class LaunchTest : public SwitchingTest {
 protected:
  static constexpr wchar_t kPath[] = L"C:\\Program Files\\TVTest\\TVTest.exe";

  LaunchTest() {
    settings.powerOnLaunch = 1;
    settings.viewerPath = kPath;
    desktop.addExistingFile(kPath);
  }
};

TEST_F(LaunchTest, PowerWithNoViewerStartsTheQuotedPathWithItsOptions) {
  settings.viewerOptions = L"/d BonDriver_PT3-T.dll  /chspace 1";
  EXPECT_TRUE(specialButton(kPower));
  const EventLog expected{
      Event::createProcess(kPath, L"\"C:\\Program Files\\TVTest\\TVTest.exe\" /d BonDriver_PT3-T.dll  /chspace 1")};
  EXPECT_EQ(desktop.events(), expected);
}

TEST_F(LaunchTest, EmptyOptionsAddNothingToTheCommandLine) {
  EXPECT_TRUE(specialButton(kPower));
  const EventLog expected{Event::createProcess(kPath, L"\"C:\\Program Files\\TVTest\\TVTest.exe\"")};
  EXPECT_EQ(desktop.events(), expected);
}

TEST_F(LaunchTest, AMissingExecutableStartsNothingButThePressIsStillConsumed) {
  settings.viewerPath = L"C:\\TVTest\\gone.exe";
  EXPECT_TRUE(specialButton(kPower));
  EXPECT_TRUE(desktop.events().empty());
}

TEST_F(LaunchTest, AFailingStartIsSilent) {
  desktop.setCreateProcessResult(false);
  EXPECT_TRUE(specialButton(kPower));
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kCreateProcess).size(), 1u);
}

TEST_F(LaunchTest, MagicTvAboveEveryViewerMakesPowerLaunchAgain) {
  desktop.addWindow(L"mAgicTVWindow", L"mAgicTV", 70, 71);
  addViewer(100);
  state.mode = Mode::kDirectInput;
  handleButton(kPower);
  EXPECT_EQ(desktop.eventsOfKind(EventKind::kCreateProcess).size(), 1u);
  EXPECT_TRUE(desktop.eventsOfKind(EventKind::kPostMessage).empty());
}

TEST_F(LaunchTest, PowerWithAViewerRunningAndOnAirWithSwitchingOffAreRoutedToIt) {
  state.mode = Mode::kDirectInput;
  const WindowHandle viewer = addViewer(100);
  settings.switchByOnair = 0;
  for (std::uint16_t code : {kPower, kOnAir}) {
    SCOPED_TRACE(code == kPower ? "power" : "on-air");
    desktop.clearEvents();
    EXPECT_FALSE(specialButton(code));
    handleButton(code);
    EXPECT_EQ(desktop.events(), (EventLog{remote(viewer, code)}));
  }
}

TEST_F(LaunchTest, OnlyALaunchFlagOfExactlyOneLaunches) {
  state.mode = Mode::kDirectInput;
  settings.powerOnLaunch = 2;
  EXPECT_FALSE(specialButton(kPower));
  EXPECT_TRUE(desktop.eventsOfKind(EventKind::kCreateProcess).empty());
}

TEST(ViewerCommandLine, QuotesThePathAndAppendsOptionsAfterOneSpace) {
  EXPECT_EQ(viewerCommandLine(L"C:\\TV Test\\TVTest.exe", L""), L"\"C:\\TV Test\\TVTest.exe\"");
  EXPECT_EQ(viewerCommandLine(L"C:\\TVTest.exe", L" /nodshow"), L"\"C:\\TVTest.exe\"  /nodshow");
  EXPECT_EQ(viewerCommandLine(L"", L""), L"\"\"");
}

}  // namespace
}  // namespace vexlo::test

// The unmodified Vexlo.exe fed by real raw input: reports of the virtual
// receiver travel through Wine's HID stack as WM_INPUT to the launcher, which
// routes them to a TVTest stand-in whose real plugin logs each press.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "launcher/settings/settings_dialog_ids.h"
#include "shared/remote_protocol.h"
#include "tests/hid/receiver_fixture.h"

namespace vexlo::test {
namespace {

class VirtualReceiver : public ReceiverFixture {
 protected:
  VirtualReceiver() : ReceiverFixture(L"vexlo hid") {}
  ~VirtualReceiver() override {
    if (other_ != INVALID_HANDLE_VALUE) CloseHandle(other_);
  }

  // A window in front, last: the tests send their reports with no look at it.
  void SetUp() override {
    ASSERT_NE(receiver, INVALID_HANDLE_VALUE) << "the virtual receiver is not installed";
    ASSERT_NE(other_, INVALID_HANDLE_VALUE) << "the second virtual device is not installed";
    ASSERT_TRUE(startViewer(launcher.directory(), L"viewer", L"", tv_));
    ASSERT_TRUE(launcher.start()) << "Vexlo.exe did not start";
    ReceiverFixture::SetUp();
  }

  HANDLE other_ = openVirtualDevice(VR_OTHER_VENDOR_ID, kPatience);
  StandIn tv_;
};

TEST_F(VirtualReceiver, Channel1ReachesThePluginAsButton13) {
  send(kCodeChannel1);
  send(kReleaseCode);
  EXPECT_TRUE(waitForLog(tv_.logPath, kChannel1Press)) << readLog(tv_.logPath);
  EXPECT_EQ(countOf(logAfterMarker(tv_), kChannel1Press), 1u);
}

TEST_F(VirtualReceiver, SevenIdenticalReportsGiveTwoPresses) {
  for (int i = 0; i < 7; ++i) send(kChannel2Code);
  EXPECT_EQ(countOf(logAfterMarker(tv_), kChannel2Press), 2u);
}

TEST_F(VirtualReceiver, PressReleasePressGivesTwoPresses) {
  send(kChannel2Code);
  send(kReleaseCode);
  send(kChannel2Code);
  EXPECT_EQ(countOf(logAfterMarker(tv_), kChannel2Press), 2u);
}

// Neither its presses nor its releases count: the release of the other
// device must not turn the receiver's next repeat into a new press.
TEST_F(VirtualReceiver, AnotherVendorsDeviceChangesNothing) {
  send(kChannel2Code, other_);
  send(kReleaseCode, other_);
  send(kCodeChannel1);
  send(kReleaseCode, other_);
  send(kCodeChannel1);  // a repeat, swallowed
  const std::string log = logAfterMarker(tv_);
  EXPECT_EQ(countOf(log, kChannel2Press), 0u) << log;
  EXPECT_EQ(countOf(log, kChannel1Press), 1u) << log;
}

// A window of another program in front, as a user's browser would be: a
// plain visible window of this thread, not the shell's one-pixel stand-in
// (under load Wine at times handed the receiver's input to no one behind it).
TEST_F(VirtualReceiver, InputArrivesWhileAnotherWindowIsInFront) {
  HWND front = CreateWindowExW(WS_EX_TOPMOST, L"Static", L"front", WS_POPUP | WS_VISIBLE, 0, 0, 80, 80, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(front, nullptr);
  SetForegroundWindow(front);
  EXPECT_TRUE(waitUntil([&] {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    return GetForegroundWindow() == front;
  }));
  send(kCodeChannel1);
  const std::string log = logAfterMarker(tv_);
  EXPECT_EQ(GetForegroundWindow(), front);
  DestroyWindow(front);
  EXPECT_EQ(countOf(log, kChannel1Press), 1u) << log;
}

// A settings dialog open stops nothing, and its OK takes effect while the
// dialog handles it, also with another settings dialog open over it: on-air
// switching turned on in the outer dialog makes the next on-air press a
// switch instead of a press the viewer gets.
TEST_F(VirtualReceiver, AnOkTakesEffectWhileAnotherSettingsDialogIsStillOpen) {
  HWND outer = launcher.openSettings();
  ASSERT_NE(outer, nullptr);
  send(kCodeChannel1);
  EXPECT_EQ(countOf(logAfterMarker(tv_), kChannel1Press), 1u) << "the open settings dialog stopped the remote";
  ASSERT_TRUE(IsWindow(outer)) << "the dialog was still to be open during the presses";
  HWND inner = launcher.openSettings({outer});
  ASSERT_NE(inner, nullptr);
  click(outer, IDC_SWITCH_BY_ONAIR);
  click(outer, IDOK);
  ASSERT_TRUE(waitUntil([&] { return !IsWindowVisible(outer); })) << "the outer dialog did not take its OK";

  send(kCodeOnAir);
  EXPECT_EQ(countOf(logAfterMarker(tv_), kOnAirPress), 0u) << "the outer dialog's OK has not taken effect";

  // The inner dialog, opened with switching off, closes last and decides.
  ASSERT_TRUE(clickAndWaitClosed(inner, IDOK));
  ASSERT_TRUE(waitUntil([&] { return !IsWindow(outer); }));
  send(kCodeOnAir);
  EXPECT_EQ(countOf(logAfterMarker(tv_), kOnAirPress), 1u) << "the inner dialog's OK has not taken effect";
}

}  // namespace
}  // namespace vexlo::test

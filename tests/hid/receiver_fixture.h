#pragma once
// The fixture of the tests that press the virtual receiver into the real
// Vexlo.exe, in direct mode: a window in front, as on a Windows desktop,
// viewers whose plugin logs each press, and a marker press that proves every
// report before it handled.

#include <gtest/gtest.h>

#include <string>

#include "tests/hid/receiver_control.h"
#include "tests/support/launcher_program_fixture.h"
#include "tests/support/standin_process.h"
#include "tests/support/window_in_front.h"

namespace vexlo::test {

class ReceiverFixture : public LauncherProgramFixture {
 protected:
  explicit ReceiverFixture(const wchar_t* scratchName) : LauncherProgramFixture(scratchName) {
    launcher.prepareIni({{L"ZIZU_MODE", L"00000001"}, {L"BFDialogExpand", L"00000001"}});
    openReceiver();
  }
  ~ReceiverFixture() override { closeReceiver(); }

  void SetUp() override { ASSERT_TRUE(shell.ensureOneInFront()); }

  bool openReceiver() {
    return (receiver = openVirtualDevice(VR_RECEIVER_VENDOR_ID, kPatience)) != INVALID_HANDLE_VALUE;
  }
  void closeReceiver() {
    if (receiver != INVALID_HANDLE_VALUE) CloseHandle(receiver);
    receiver = INVALID_HANDLE_VALUE;
  }

  // One report, of the receiver unless another device is named.
  void send(std::uint8_t code, HANDLE device = nullptr) {
    ASSERT_TRUE(sendCode(device ? device : receiver, code)) << "no device";
  }
  // A press and its release.
  void press(std::uint8_t code) {
    ASSERT_TRUE(shell.ensureOneInFront());
    send(code);
    send(kReleaseCode);
  }

  StandIn viewer(const wchar_t* name, const std::wstring& options = L"") {
    StandIn started;
    EXPECT_TRUE(startViewer(launcher.directory(), name, options, started));
    return started;
  }

  // Reports are handled in order, so a press of Channel 3 that reaches the
  // viewer proves that every report before it has been handled. Its log then.
  std::string logAfterMarker(const StandIn& viewer) {
    const std::size_t before = countOf(readLog(viewer.logPath), kChannel3Press);
    send(kReleaseCode);
    press(kChannel3Code);
    EXPECT_TRUE(waitUntil([&] { return countOf(readLog(viewer.logPath), kChannel3Press) > before; }, kPatience,
                          [&] { return launcher.status() + "; " + describeForeground(); }))
        << "the marker press did not arrive";
    const std::string log = readLog(viewer.logPath);
    EXPECT_EQ(countOf(log, kChannel3Press), before + 1) << "the marker press did not arrive:\n" << log;
    return log;
  }

  WindowInFront shell;
  HANDLE receiver = INVALID_HANDLE_VALUE;
};

}  // namespace vexlo::test

#pragma once
// The virtual receiver's presses into the real Vexlo.exe, as the receiver and
// the fault tests make them, with a window in front as on a Windows desktop.

#include <gtest/gtest.h>

#include <string>

#include "tests/hid/receiver_control.h"
#include "tests/support/standin_process.h"
#include "tests/support/window_in_front.h"

namespace vexlo::test {

struct ReceiverPresses {
  ReceiverPresses() { open(); }
  ~ReceiverPresses() { close(); }

  bool open() { return (receiver = openVirtualDevice(VR_RECEIVER_VENDOR_ID, kPatience)) != INVALID_HANDLE_VALUE; }
  void close() {
    if (receiver != INVALID_HANDLE_VALUE) CloseHandle(receiver);
    receiver = INVALID_HANDLE_VALUE;
  }

  // One report, of the receiver unless another device is named.
  void send(std::uint8_t code, HANDLE device = nullptr) const {
    ASSERT_TRUE(sendCode(device ? device : receiver, code)) << "no device";
  }
  // A press and its release.
  void press(std::uint8_t code) {
    ASSERT_TRUE(front.ensureOneInFront());
    send(code);
    send(kReleaseCode);
  }

  // Reports are handled in order, so a press of Channel 3 that reaches the
  // viewer proves that every report before it has been handled. The log from
  // `from` on, once it has.
  std::string logAfterMarker(const std::wstring& log, std::size_t from = 0,
                             const std::function<std::string()>& seen = describeForeground) {
    auto fresh = [&] { return readLog(log).substr(from); };
    const std::size_t before = countOf(fresh(), kChannel3Press);
    send(kReleaseCode);
    press(kChannel3Code);
    EXPECT_TRUE(waitUntil([&] { return countOf(fresh(), kChannel3Press) > before; }, kPatience, seen))
        << "the marker press did not arrive";
    const std::string text = fresh();
    EXPECT_EQ(countOf(text, kChannel3Press), before + 1) << text;
    return text;
  }

  WindowInFront front;
  HANDLE receiver = INVALID_HANDLE_VALUE;
};

}  // namespace vexlo::test

#pragma once
// Pressing buttons of the virtual receiver from a test: the device is found
// among the HID interfaces by vendor and product id, and each write of an
// output report comes back from it as one input report.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "tests/hid/virtual_receiver.h"

namespace vexlo::test {

// The release, and codes of the remote the launcher has no names for.
inline constexpr std::uint8_t kReleaseCode = 0x00;
inline constexpr std::uint8_t kChannel2Code = 0x10;
inline constexpr std::uint8_t kChannel3Code = 0x11;

// Opens the virtual device of `vendorId`, waiting up to `timeoutMs` for it to
// appear, with CreateFile's `flags` (FILE_FLAG_OVERLAPPED for a ReportStream).
// INVALID_HANDLE_VALUE when there is none.
HANDLE openVirtualDevice(std::uint16_t vendorId, DWORD timeoutMs, DWORD flags = 0);

// Whether a device of `vendorId` answers now, without waiting for one.
bool virtualDevicePresent(std::uint16_t vendorId);

// Sends one report carrying `code` at the receiver's code offset (0 = release).
bool sendCode(HANDLE device, std::uint8_t code);

// Reports written without waiting for each: a write is a round trip through
// the server and the process that hosts the driver, which takes several
// outstanding ones in one wake-up, in the order written. The device, opened
// with FILE_FLAG_OVERLAPPED, is the stream's.
class ReportStream {
 public:
  ReportStream(HANDLE device, std::size_t outstanding);
  ~ReportStream();  // waits for the writes still on their way, then closes the device
  ReportStream(const ReportStream&) = delete;
  ReportStream& operator=(const ReportStream&) = delete;

  // Starts the write of a report carrying `code`, with `outstanding` on their
  // way first waiting for the oldest. False when the device turned one away.
  bool send(std::uint8_t code);

 private:
  struct Write {
    OVERLAPPED overlapped{};
    BYTE report[VR_REPORT_SIZE] = {};
    bool started = false;
  };
  bool finish(Write& write);

  HANDLE device_;
  std::vector<Write> writes_;
  std::size_t next_ = 0;
};

}  // namespace vexlo::test

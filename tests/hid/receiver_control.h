#pragma once
// Pressing buttons of the virtual receiver from a test: the device is found
// among the HID interfaces by vendor and product id, and each write of an
// output report comes back from it as one input report.

#include <windows.h>

#include <cstdint>

namespace vexlo::test {

// Opens the virtual device of `vendorId`, waiting up to `timeoutMs` for it to
// appear. INVALID_HANDLE_VALUE when there is none.
HANDLE openVirtualDevice(std::uint16_t vendorId, DWORD timeoutMs);

// Whether a device of `vendorId` answers now, without waiting for one.
bool virtualDevicePresent(std::uint16_t vendorId);

// Sends one report carrying `code` at the receiver's code offset (0 = release).
bool sendCode(HANDLE device, std::uint8_t code);

}  // namespace vexlo::test

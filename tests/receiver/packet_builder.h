#pragma once
// Raw-input packets laid out as Windows lays them out for this build.

#include <cstdint>
#include <cstring>
#include <vector>

#include "launcher/receiver.h"

namespace vexlo::test {

inline void putU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  std::memcpy(bytes.data() + at, &value, sizeof value);
}

// `reports` reports of `reportSize` bytes; report i has code codes[i] at
// byte 6 (or none if the report is too short) and filler elsewhere.
inline std::vector<std::uint8_t> hidPacket(const std::vector<std::uint8_t>& codes, std::uint32_t reportSize = 8,
                                           std::uintptr_t device = 0x1234) {
  std::vector<std::uint8_t> bytes(kHidDataOffset + codes.size() * reportSize, 0xA5);
  putU32(bytes, kHeaderTypeOffset, kRawInputTypeHid);
  putU32(bytes, kHeaderSizeOffset, static_cast<std::uint32_t>(bytes.size()));
  std::memcpy(bytes.data() + kHeaderDeviceOffset, &device, sizeof device);
  std::memset(bytes.data() + kHeaderDeviceOffset + sizeof device, 0, sizeof(void*));  // wParam
  putU32(bytes, kHidSizeOffset, reportSize);
  putU32(bytes, kHidCountOffset, static_cast<std::uint32_t>(codes.size()));
  for (std::size_t i = 0; i < codes.size(); ++i) {
    if (reportSize > kCodeOffset) bytes[kHidDataOffset + i * reportSize + kCodeOffset] = codes[i];
  }
  return bytes;
}

inline DeviceIdentity receiverIdentity() {
  return DeviceIdentity{true, kRawInputTypeHid, kReceiverVendorId, kReceiverProductId};
}

}  // namespace vexlo::test

#include "launcher/receiver.h"

#include <cstring>

namespace vexlo {

namespace {

// Packet bytes need not be aligned for 32-bit reads: copy, never cast.
std::uint32_t readU32(const std::uint8_t* at) {
  std::uint32_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

bool isReceiver(const DeviceIdentity& device, std::uint32_t headerType) {
  return device.readOk && device.type == kRawInputTypeHid && headerType == kRawInputTypeHid &&
         device.vendorId == kReceiverVendorId && device.productId == kReceiverProductId;
}

// The offset of byte 6 of the last report, or false when the announced
// reports are not all inside the packet or carry no code.
bool lastReportCodeOffset(const std::uint8_t* packet, std::size_t size, std::size_t& offset) {
  const std::uint32_t reportSize = readU32(packet + kHidSizeOffset);
  const std::uint32_t reportCount = readU32(packet + kHidCountOffset);
  if (reportCount == 0 || reportSize <= kCodeOffset) return false;
  // Both factors are 32-bit, so the product fits in 64 bits without wrapping.
  const std::uint64_t reportBytes = std::uint64_t{reportCount} * reportSize;
  if (reportBytes > size - kHidDataOffset) return false;
  offset = kHidDataOffset + static_cast<std::size_t>(reportBytes - reportSize) + kCodeOffset;
  return true;
}

}  // namespace

void resetReceiverFilter(ReceiverFilter& filter) {
  filter.lastCode = 0;
  filter.repeatCount = 0;
}

std::uint16_t filterRemoteCode(ReceiverFilter& filter, std::uint8_t code) {
  // The order matters: a 0 is a release even while lastCode is 0.
  if (code == 0) {
    filter.repeatCount += 1;
    filter.lastCode = 0;
    return kNoAction;
  }
  if (code == filter.lastCode) {
    if (filter.repeatCount < 10) {
      filter.repeatCount += 2;
      return kNoAction;
    }
    filter.repeatCount += 1;
    return code;
  }
  filter.repeatCount = 1;
  filter.lastCode = code;
  return code;
}

bool packetDevice(const std::uint8_t* packet, std::size_t size, std::uintptr_t& device) {
  if (packet == nullptr || size < kRawInputHeaderSize) return false;
  std::memcpy(&device, packet + kHeaderDeviceOffset, sizeof device);
  return true;
}

std::uint16_t decodeRemotePacket(ReceiverFilter& filter, const std::uint8_t* packet, std::size_t size,
                                 const DeviceIdentity& device) {
  // The header's own size field is not looked at: the bytes read are the
  // packet, and every bound comes from them.
  if (packet == nullptr || size < kHidDataOffset) return kNotReceiver;
  if (!isReceiver(device, readU32(packet + kHeaderTypeOffset))) return kNotReceiver;
  std::size_t codeOffset = 0;
  if (!lastReportCodeOffset(packet, size, codeOffset)) return kNotReceiver;
  return filterRemoteCode(filter, packet[codeOffset]);
}

}  // namespace vexlo

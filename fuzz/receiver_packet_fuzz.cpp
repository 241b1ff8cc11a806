// Any bytes as a raw-input packet from any device. The first bytes pick the
// device identity and the filter's state; the rest is the packet, in a
// buffer of exactly its size so any read past it is caught.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "launcher/receiver.h"

namespace {

std::uint32_t take32(const std::uint8_t*& data, std::size_t& size) {
  std::uint32_t value = 0;
  const std::size_t n = size < sizeof value ? size : sizeof value;
  std::memcpy(&value, data, n);
  data += n;
  size -= n;
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vexlo;
  if (size < 1) return 0;
  const std::uint8_t flags = data[0];
  ++data;
  --size;

  DeviceIdentity device;
  device.readOk = flags & 1;
  if (flags & 2) {
    // Mostly the receiver, so the fuzzer spends its time in the packet checks.
    device.type = kRawInputTypeHid;
    device.vendorId = kReceiverVendorId;
    device.productId = kReceiverProductId;
  } else {
    device.type = take32(data, size);
    device.vendorId = take32(data, size);
    device.productId = take32(data, size);
  }
  ReceiverFilter filter;
  filter.lastCode = static_cast<std::uint8_t>(take32(data, size));
  filter.repeatCount = take32(data, size);

  std::vector<std::uint8_t> packet(data, data + size);

  const ReceiverFilter before = filter;
  const std::uint16_t result = decodeRemotePacket(filter, packet.empty() ? nullptr : packet.data(), packet.size(), device);
  const bool unchanged = filter.lastCode == before.lastCode && filter.repeatCount == before.repeatCount;
  if (result == kNotReceiver && !unchanged) __builtin_trap();
  if (result != kNotReceiver && result != kNoAction && (result == 0 || result > 0xFF)) __builtin_trap();
  if (result != kNotReceiver && !(device.readOk && device.vendorId == kReceiverVendorId)) __builtin_trap();

  std::uintptr_t handle = 0;
  packetDevice(packet.empty() ? nullptr : packet.data(), packet.size(), handle);
  return 0;
}

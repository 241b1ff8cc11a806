// The receiver decoder: which packets count, which byte is the code, and how
// the repeat filter treats presses, holds and releases.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

#include "launcher/receiver.h"
#include "tests/receiver/packet_builder.h"

namespace vexlo {
namespace {

using test::hidPacket;
using test::putU32;
using test::receiverIdentity;

class Decoder : public ::testing::Test {
 protected:
  std::uint16_t decode(const std::vector<std::uint8_t>& packet, const DeviceIdentity& device = receiverIdentity()) {
    return decodeRemotePacket(filter, packet.data(), packet.size(), device);
  }
  std::uint16_t press(std::uint8_t code) { return decode(hidPacket({code})); }

  // Decoding must return kNotReceiver and leave the filter as it was.
  void expectRejected(const std::vector<std::uint8_t>& packet, const DeviceIdentity& device = receiverIdentity()) {
    const ReceiverFilter before = filter;
    EXPECT_EQ(decode(packet, device), kNotReceiver);
    EXPECT_EQ(filter.lastCode, before.lastCode);
    EXPECT_EQ(filter.repeatCount, before.repeatCount);
  }

  ReceiverFilter filter{0x0F, 3};  // in the middle of a hold, so any change shows
};

TEST_F(Decoder, OtherDevicesAreNotTheReceiver) {
  const std::vector<std::uint8_t> packet = hidPacket({0x1F});
  expectRejected(packet, DeviceIdentity{true, kRawInputTypeHid, 0x046D, kReceiverProductId});
  expectRejected(packet, DeviceIdentity{true, kRawInputTypeHid, kReceiverVendorId, 0x0F0F});
  expectRejected(packet, DeviceIdentity{true, 1, 0, 0});  // a keyboard
  expectRejected(packet, DeviceIdentity{false, kRawInputTypeHid, kReceiverVendorId, kReceiverProductId});
}

TEST_F(Decoder, TakesByteSixOfTheLastReport) {
  resetReceiverFilter(filter);
  EXPECT_EQ(decode(hidPacket({0x0F, 0x1C, 0x27})), 0x27);
  EXPECT_EQ(filter.lastCode, 0x27);
  // Reports longer than seven bytes: the index steps by the report size.
  EXPECT_EQ(decode(hidPacket({0x01, 0x33}, 64)), 0x33);
  // Exactly seven bytes is enough.
  EXPECT_EQ(decode(hidPacket({0x24}, 7)), 0x24);
}

TEST_F(Decoder, MalformedReceiverPacketsAreRejected) {
  expectRejected(hidPacket({}));                 // no report
  expectRejected(hidPacket({0x1F, 0x1F}, 6));    // reports too short to carry a code
  expectRejected({});                            // nothing read
  std::vector<std::uint8_t> notHid = hidPacket({0x1F});
  putU32(notHid, kHeaderTypeOffset, 1);
  expectRejected(notHid);                        // a header type other than HID
  std::vector<std::uint8_t> headerOnly = hidPacket({0x1F});
  headerOnly.resize(kHidDataOffset - 1);
  putU32(headerOnly, kHeaderSizeOffset, static_cast<std::uint32_t>(headerOnly.size()));
  expectRejected(headerOnly);                    // RAWHID cut short
}

TEST_F(Decoder, AnnouncedReportsMustAllBePresent) {
  std::vector<std::uint8_t> packet = hidPacket({0x1F, 0x20});
  constexpr std::uint32_t kMax = std::numeric_limits<std::uint32_t>::max();
  // Count and size of two 8-byte reports announced; the last two products wrap in 32 bits
  // and would point back inside the packet.
  const std::pair<std::uint32_t, std::uint32_t> announced[] = {{3, 8}, {2, 9}, {2, 0x80000000u}, {kMax, kMax}};
  for (const auto& [count, size] : announced) {
    SCOPED_TRACE(testing::Message() << count << " reports of " << size << " bytes");
    putU32(packet, kHidCountOffset, count);
    putU32(packet, kHidSizeOffset, size);
    expectRejected(packet);
  }
}

TEST_F(Decoder, TheHeaderSizeFieldIsNotABound) {
  // A 32-bit launcher on 64-bit Windows may find a size there that is not
  // the bytes it read; the press still counts, read within those bytes.
  std::vector<std::uint8_t> packet = hidPacket({0x1F});
  putU32(packet, kHeaderSizeOffset, static_cast<std::uint32_t>(packet.size() + 1));
  resetReceiverFilter(filter);
  EXPECT_EQ(decode(packet), 0x1F);
  putU32(packet, kHeaderSizeOffset, static_cast<std::uint32_t>(packet.size() - 1));
  EXPECT_EQ(decode(packet), kNoAction);  // the same button again: a swallowed repeat
  EXPECT_EQ(filter.repeatCount, 3u);
  // A size field that claims more than was read lends no bytes: reports
  // announced beyond the packet are still refused.
  putU32(packet, kHeaderSizeOffset, std::numeric_limits<std::uint32_t>::max());
  putU32(packet, kHidCountOffset, 2);
  expectRejected(packet);
  // Extra bytes read beyond the announced reports are fine, whatever the header says.
  putU32(packet, kHidCountOffset, 1);
  packet.resize(packet.size() + 5, 0);
  putU32(packet, kHeaderSizeOffset, 0);
  resetReceiverFilter(filter);
  EXPECT_EQ(decode(packet), 0x1F);
}

TEST_F(Decoder, PacketDeviceReadsTheHeaderHandle) {
  const std::uintptr_t handle = static_cast<std::uintptr_t>(0x00C0FFEEu) | (std::uintptr_t{1} << (sizeof(void*) * 8 - 1));
  const std::vector<std::uint8_t> packet = hidPacket({0x1F}, 8, handle);
  std::uintptr_t device = 0;
  ASSERT_TRUE(packetDevice(packet.data(), packet.size(), device));
  EXPECT_EQ(device, handle);
  EXPECT_FALSE(packetDevice(packet.data(), kRawInputHeaderSize - 1, device));
}

TEST_F(Decoder, DecodesFromAnUnalignedBuffer) {
  const std::vector<std::uint8_t> packet = hidPacket({0x0F, 0x1A});
  std::vector<std::uint8_t> shifted(packet.size() + 1);
  std::memcpy(shifted.data() + 1, packet.data(), packet.size());
  resetReceiverFilter(filter);
  EXPECT_EQ(decodeRemotePacket(filter, shifted.data() + 1, packet.size(), receiverIdentity()), 0x1A);
}

class RepeatFilter : public Decoder {};

TEST_F(RepeatFilter, HoldingAButtonSwallowsFiveRepeats) {
  resetReceiverFilter(filter);
  std::vector<std::uint16_t> results;
  for (int i = 0; i < 8; ++i) results.push_back(press(0x1C));
  EXPECT_EQ(results, (std::vector<std::uint16_t>{0x1C, kNoAction, kNoAction, kNoAction, kNoAction, kNoAction,
                                                 0x1C, 0x1C}));
  EXPECT_EQ(filter.repeatCount, 13u);  // 1, 3, 5, 7, 9, 11, then one per passing repeat
}

TEST_F(RepeatFilter, ReleaseMakesTheNextReportANewPress) {
  resetReceiverFilter(filter);
  EXPECT_EQ(press(0x1F), 0x1F);
  EXPECT_EQ(press(0x00), kNoAction);
  EXPECT_EQ(filter.lastCode, 0);
  EXPECT_EQ(filter.repeatCount, 2u);
  EXPECT_EQ(press(0x1F), 0x1F);
  EXPECT_EQ(filter.repeatCount, 1u);
}

TEST_F(RepeatFilter, ReleaseCountsEvenWithNoButtonDown) {
  resetReceiverFilter(filter);
  EXPECT_EQ(press(0x00), kNoAction);
  EXPECT_EQ(press(0x00), kNoAction);
  EXPECT_EQ(filter.lastCode, 0);
  EXPECT_EQ(filter.repeatCount, 2u);
}

TEST_F(RepeatFilter, DifferentButtonsWithoutReleaseBothPass) {
  resetReceiverFilter(filter);
  EXPECT_EQ(press(0x24), 0x24);
  EXPECT_EQ(press(0x27), 0x27);
  EXPECT_EQ(filter.lastCode, 0x27);
  EXPECT_EQ(filter.repeatCount, 1u);
}

TEST_F(RepeatFilter, LongHoldThenNewButtonRestartsTheCount) {
  filter = ReceiverFilter{0x26, 500};
  EXPECT_EQ(press(0x26), 0x26);
  EXPECT_EQ(filter.repeatCount, 501u);
  EXPECT_EQ(press(0x29), 0x29);
  EXPECT_EQ(press(0x29), kNoAction);
}

}  // namespace
}  // namespace vexlo

#pragma once
// Reading the GV-RCKIT3 receiver: the repeat filter and a decoder over the
// raw-input packet bytes exactly as Windows lays them out for the
// architecture we are built for. receiver_win32.cpp fetches the bytes and
// the device identity; everything that decides lives here.

#include <cstddef>
#include <cstdint>

namespace vexlo {

struct ReceiverFilter {
  std::uint8_t lastCode = 0;       // code of the previous report; 0 after a release
  std::uint32_t repeatCount = 0;   // repeat counter for the current code
};

// Decoder results besides the button codes 0x01..0xFF.
inline constexpr std::uint16_t kNoAction = 0xFFFE;     // a release, or a swallowed repeat
inline constexpr std::uint16_t kNotReceiver = 0xFFFF;  // another device, or an unreadable packet
// Every result from here on carries no button code.
inline constexpr std::uint16_t kFirstNonButton = 0x100;

inline constexpr std::uint32_t kRawInputTypeHid = 2;  // RIM_TYPEHID
inline constexpr std::uint32_t kReceiverVendorId = 0x04BB;
inline constexpr std::uint32_t kReceiverProductId = 0x0F0E;

// The button code sits at this offset of every report, so shorter reports
// carry none.
inline constexpr std::size_t kCodeOffset = 6;

// RAWINPUTHEADER: dwType, dwSize, then two pointer-sized fields (hDevice,
// wParam). RAWHID follows: dwSizeHid, dwCount, then the report bytes.
inline constexpr std::size_t kHeaderTypeOffset = 0;
inline constexpr std::size_t kHeaderSizeOffset = 4;
inline constexpr std::size_t kHeaderDeviceOffset = 8;
inline constexpr std::size_t kRawInputHeaderSize = 8 + 2 * sizeof(void*);
inline constexpr std::size_t kHidSizeOffset = kRawInputHeaderSize;
inline constexpr std::size_t kHidCountOffset = kRawInputHeaderSize + 4;
inline constexpr std::size_t kHidDataOffset = kRawInputHeaderSize + 8;

// What RID_DEVICE_INFO said about the packet's device.
struct DeviceIdentity {
  bool readOk = false;  // a failed read counts as a device that is not HID
  std::uint32_t type = 0;
  std::uint32_t vendorId = 0;
  std::uint32_t productId = 0;
};

void resetReceiverFilter(ReceiverFilter& filter);

// The repeat filter over one byte taken from a receiver report.
std::uint16_t filterRemoteCode(ReceiverFilter& filter, std::uint8_t code);

// The device handle of a packet (hDevice); false when the header is not all
// there.
bool packetDevice(const std::uint8_t* packet, std::size_t size, std::uintptr_t& device);

// One WM_INPUT packet of `size` bytes, as read, from `device`. Anything but a
// well-formed receiver packet gives kNotReceiver and leaves the filter alone.
std::uint16_t decodeRemotePacket(ReceiverFilter& filter, const std::uint8_t* packet, std::size_t size,
                                 const DeviceIdentity& device);

// Over Win32 (receiver_win32.cpp): subscribe the main window to the
// consumer-control input, and decode one WM_INPUT's packet (HRAWINPUT).
void registerReceiver(std::uintptr_t mainWindow);
std::uint16_t decodeRemoteInput(std::uintptr_t rawInputHandle);

}  // namespace vexlo

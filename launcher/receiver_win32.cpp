// How Windows is asked for the receiver's input: registration, the packet
// and the identity of its device. The decision is decodeRemotePacket's.

#include <windows.h>

#include <cstring>
#include <memory>
#include <new>

#include "launcher/launcher.h"
#include "launcher/receiver.h"

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(RAWINPUTHEADER) == 16, "32-bit raw-input header");
static_assert(sizeof(RAWINPUTDEVICE) == 12, "32-bit raw-input device record");
static_assert(sizeof(RID_DEVICE_INFO) == 32, "32-bit device information");
#endif

// The portable layout must be the one Windows uses in this build.
static_assert(vexlo::kRawInputHeaderSize == sizeof(RAWINPUTHEADER), "header size");
static_assert(vexlo::kHeaderDeviceOffset == offsetof(RAWINPUTHEADER, hDevice), "hDevice offset");
static_assert(vexlo::kHidSizeOffset == offsetof(RAWINPUT, data.hid.dwSizeHid), "dwSizeHid offset");
static_assert(vexlo::kHidCountOffset == offsetof(RAWINPUT, data.hid.dwCount), "dwCount offset");
static_assert(vexlo::kHidDataOffset == offsetof(RAWINPUT, data.hid.bRawData), "bRawData offset");

namespace vexlo {

namespace {

constexpr UINT kFailed = static_cast<UINT>(-1);

std::unique_ptr<std::uint8_t[]> allocate(UINT size) {
  return std::unique_ptr<std::uint8_t[]>(new (std::nothrow) std::uint8_t[size]);
}

DeviceIdentity readDeviceIdentity(HANDLE device) {
  DeviceIdentity identity;
  UINT size = 0;
  if (GetRawInputDeviceInfoW(device, RIDI_DEVICEINFO, nullptr, &size) == kFailed) return identity;
  // cbSize is written before the read, so a block too small for it is a failed read.
  if (size < sizeof(RID_DEVICE_INFO)) return identity;
  std::unique_ptr<std::uint8_t[]> block = allocate(size);
  if (!block) return identity;
  RID_DEVICE_INFO info;
  info.cbSize = sizeof(RID_DEVICE_INFO);
  std::memcpy(block.get(), &info.cbSize, sizeof info.cbSize);
  const UINT read = GetRawInputDeviceInfoW(device, RIDI_DEVICEINFO, block.get(), &size);
  if (read == kFailed || read < sizeof(RID_DEVICE_INFO)) return identity;
  std::memcpy(&info, block.get(), sizeof info);
  identity.readOk = true;
  identity.type = info.dwType;
  if (info.dwType == RIM_TYPEHID) {
    identity.vendorId = info.hid.dwVendorId;
    identity.productId = info.hid.dwProductId;
  }
  return identity;
}

}  // namespace

void registerReceiver(std::uintptr_t mainWindow) {
  resetReceiverFilter(launcher().receiverFilter);
  RAWINPUTDEVICE device{};
  device.usUsagePage = 0x000C;  // consumer
  device.usUsage = 0x0001;      // consumer control
  device.dwFlags = RIDEV_INPUTSINK;  // also while another program is in front
  device.hwndTarget = reinterpret_cast<HWND>(mainWindow);
  RegisterRawInputDevices(&device, 1, sizeof(RAWINPUTDEVICE));
}

std::uint16_t decodeRemoteInput(std::uintptr_t rawInputHandle) {
  HRAWINPUT input = reinterpret_cast<HRAWINPUT>(rawInputHandle);
  UINT size = 0;
  if (GetRawInputData(input, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) == kFailed || size == 0) {
    return kNotReceiver;
  }
  std::unique_ptr<std::uint8_t[]> packet = allocate(size);
  if (!packet) return kNotReceiver;
  UINT capacity = size;
  const UINT read = GetRawInputData(input, RID_INPUT, packet.get(), &capacity, sizeof(RAWINPUTHEADER));
  if (read != size) return kNotReceiver;

  std::uintptr_t device = 0;
  if (!packetDevice(packet.get(), size, device)) return kNotReceiver;
  const DeviceIdentity identity = readDeviceIdentity(reinterpret_cast<HANDLE>(device));
  return decodeRemotePacket(launcher().receiverFilter, packet.get(), size, identity);
}

}  // namespace vexlo

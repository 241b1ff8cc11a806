#include "receiver_control.h"

// MinGW's hid.dll header has no C++ linkage guard of its own.
extern "C" {
#include <hidsdi.h>
}
#include <setupapi.h>

#include <vector>

#include "tests/support/wine_processes.h"
#include "virtual_receiver.h"

namespace vexlo::test {

namespace {

HANDLE openMatching(std::uint16_t vendorId, DWORD flags = 0) {
  GUID hidGuid;
  HidD_GetHidGuid(&hidGuid);
  HDEVINFO set = SetupDiGetClassDevsW(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return INVALID_HANDLE_VALUE;
  HANDLE result = INVALID_HANDLE_VALUE;
  SP_DEVICE_INTERFACE_DATA entry{};
  entry.cbSize = sizeof entry;
  for (DWORD i = 0; result == INVALID_HANDLE_VALUE && SetupDiEnumDeviceInterfaces(set, nullptr, &hidGuid, i, &entry); ++i) {
    DWORD size = 0;
    SetupDiGetDeviceInterfaceDetailW(set, &entry, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) continue;
    std::vector<std::uint8_t> block(size);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(block.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!SetupDiGetDeviceInterfaceDetailW(set, &entry, detail, size, nullptr, nullptr)) continue;
    HANDLE file = CreateFileW(detail->DevicePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, flags, nullptr);
    if (file == INVALID_HANDLE_VALUE) continue;
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (HidD_GetAttributes(file, &attributes) && attributes.VendorID == vendorId &&
        attributes.ProductID == VR_PRODUCT_ID) {
      result = file;
    } else {
      CloseHandle(file);
    }
  }
  SetupDiDestroyDeviceInfoList(set);
  return result;
}

}  // namespace

HANDLE openVirtualDevice(std::uint16_t vendorId, DWORD timeoutMs, DWORD flags) {
  HANDLE device = INVALID_HANDLE_VALUE;
  waitUntil([&] { return (device = openMatching(vendorId, flags)) != INVALID_HANDLE_VALUE; }, timeoutMs,
                         [] { return std::string("no device of the virtual receiver's driver"); });
  return device;
}

bool virtualDevicePresent(std::uint16_t vendorId) {
  HANDLE device = openMatching(vendorId);
  if (device == INVALID_HANDLE_VALUE) return false;
  CloseHandle(device);
  return true;
}

bool sendCode(HANDLE device, std::uint8_t code) {
  BYTE report[VR_REPORT_SIZE] = {};
  report[0] = VR_OUTPUT_REPORT_ID;
  report[VR_CODE_OFFSET] = code;
  return HidD_SetOutputReport(device, report, sizeof report) != FALSE;
}

ReportStream::ReportStream(HANDLE device, std::size_t outstanding) : device_(device), writes_(outstanding) {
  for (Write& write : writes_) write.overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

ReportStream::~ReportStream() {
  for (Write& write : writes_) {
    finish(write);
    CloseHandle(write.overlapped.hEvent);
  }
  CloseHandle(device_);
}

bool ReportStream::finish(Write& write) {
  if (!write.started) return true;
  write.started = false;
  DWORD written = 0;
  return GetOverlappedResult(device_, &write.overlapped, &written, TRUE) != FALSE;
}

bool ReportStream::send(std::uint8_t code) {
  Write& write = writes_[next_];
  next_ = (next_ + 1) % writes_.size();
  if (!finish(write)) return false;
  write.report[0] = VR_OUTPUT_REPORT_ID;
  write.report[VR_CODE_OFFSET] = code;
  write.started = WriteFile(device_, write.report, sizeof write.report, nullptr, &write.overlapped) ||
                  GetLastError() == ERROR_IO_PENDING;
  return write.started;
}

}  // namespace vexlo::test

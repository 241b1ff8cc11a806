// Installs the virtual receiver (or the second, foreign device) into the
// current Wine prefix as a root-enumerated device, the way Windows installs
// any device without a bus: create the device node with our hardware id,
// register it, then let Plug and Play bind the INF's driver to it.
// Idempotent: a device that exists already is kept; its driver is updated only
// when the .sys beside the INF differs from the installed one.
// "unplug" takes the receiver away as pulling it out would; installing it
// again plugs it back in, a new device.
//   install_receiver.exe INF_PATH receiver|other|unplug

#include <windows.h>
#include <setupapi.h>
#include <newdev.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "receiver_control.h"
#include "tests/support/wine_files.h"
#include "tests/support/wine_processes.h"
#include "virtual_receiver.h"

namespace {

constexpr DWORD kDeviceChange = 30000;  // for Plug and Play to add or take away a device
const GUID kHidClass = {0x745a17a0, 0x74d3, 0x11d0, {0xb6, 0xfe, 0x00, 0xa0, 0xc9, 0x0f, 0x57, 0xda}};

std::wstring hardwareIdOf(HDEVINFO set, SP_DEVINFO_DATA& device) {
  wchar_t ids[512] = {};
  if (!SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_HARDWAREID, nullptr, reinterpret_cast<BYTE*>(ids),
                                         sizeof ids - sizeof(wchar_t), nullptr)) {
    return L"";
  }
  return ids;  // the first id of the list
}

// Whether a device node with the hardware id is registered; with `remove`,
// it is removed as well.
bool findDevice(const wchar_t* hardwareId, bool remove = false) {
  HDEVINFO set = SetupDiGetClassDevsW(&kHidClass, nullptr, nullptr, 0);
  if (set == INVALID_HANDLE_VALUE) return false;
  bool found = false;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD i = 0; !found && SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    found = _wcsicmp(hardwareIdOf(set, device).c_str(), hardwareId) == 0;
  }
  if (found && remove && !SetupDiRemoveDevice(set, &device)) {
    std::fwprintf(stderr, L"install_receiver: removing the device failed, error %lu\n", GetLastError());
    found = false;
  }
  SetupDiDestroyDeviceInfoList(set);
  return found;
}

// The device node is named after the hardware id without its "root\\".
bool createDevice(const wchar_t* hardwareId) {
  const wchar_t* name = wcschr(hardwareId, L'\\') + 1;
  HDEVINFO set = SetupDiCreateDeviceInfoList(&kHidClass, nullptr);
  if (set == INVALID_HANDLE_VALUE) return false;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  // The id list is double-NUL terminated.
  std::vector<wchar_t> ids(hardwareId, hardwareId + wcslen(hardwareId) + 1);
  ids.push_back(0);
  bool ok = SetupDiCreateDeviceInfoW(set, name, &kHidClass, nullptr, nullptr, DICD_GENERATE_ID, &device) &&
            SetupDiSetDeviceRegistryPropertyW(set, &device, SPDRP_HARDWAREID, reinterpret_cast<const BYTE*>(ids.data()),
                                              static_cast<DWORD>(ids.size() * sizeof(wchar_t))) &&
            SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set, &device);
  if (!ok) std::fwprintf(stderr, L"install_receiver: creating the device failed, error %lu\n", GetLastError());
  SetupDiDestroyDeviceInfoList(set);
  return ok;
}

std::wstring installedDriverPath() {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  return std::wstring(system) + L"\\drivers\\vexlo_receiver.sys";
}

bool driverIsCurrent(const std::wstring& infPath) {
  std::wstring folder = infPath.substr(0, infPath.find_last_of(L"\\/") + 1);
  const std::string installed = vexlo::test::readTextFile(installedDriverPath());
  return !installed.empty() && installed == vexlo::test::readTextFile(folder + L"vexlo_receiver.sys");
}

// A loaded driver image cannot be overwritten, but it can be renamed; the
// running device keeps its old code until the prefix's Wine session restarts.
void moveOldDriverAside() {
  const std::wstring installed = installedDriverPath();
  if (GetFileAttributesW(installed.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  std::wstring aside = installed + L".old";
  DeleteFileW(aside.c_str());
  if (GetFileAttributesW(aside.c_str()) != INVALID_FILE_ATTRIBUTES) aside += std::to_wstring(GetTickCount());
  if (MoveFileExW(installed.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    std::fwprintf(stderr, L"install_receiver: driver updated; it runs from the next start of this prefix\n");
  }
}

// Removing the device node takes the device away, as pulling the receiver
// out does: Wine's Plug and Play manager then removes its stack.
bool unplug() {
  if (!findDevice(VR_RECEIVER_HARDWARE_ID, true)) {
    std::fwprintf(stderr, L"install_receiver: the receiver is not installed\n");
    return false;
  }
  return vexlo::test::waitUntil([] { return !vexlo::test::virtualDevicePresent(VR_RECEIVER_VENDOR_ID); },
                                kDeviceChange, [] { return std::string("the receiver still answers"); });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && wcscmp(argv[2], L"unplug") == 0) return unplug() ? 0 : 1;
  if (argc != 3 || (wcscmp(argv[2], L"receiver") != 0 && wcscmp(argv[2], L"other") != 0)) {
    std::fwprintf(stderr, L"usage: install_receiver INF_PATH receiver|other|unplug\n");
    return 2;
  }
  wchar_t inf[MAX_PATH];
  if (!GetFullPathNameW(argv[1], MAX_PATH, inf, nullptr)) return 2;
  const bool other = wcscmp(argv[2], L"other") == 0;
  const wchar_t* hardwareId = other ? VR_OTHER_HARDWARE_ID : VR_RECEIVER_HARDWARE_ID;
  const bool existed = findDevice(hardwareId);
  if (!existed && !createDevice(hardwareId)) return 1;
  const bool bind = !existed || !driverIsCurrent(inf);
  if (existed && bind) moveOldDriverAside();
  BOOL reboot = FALSE;
  if (bind && !UpdateDriverForPlugAndPlayDevicesW(nullptr, hardwareId, inf, INSTALLFLAG_FORCE, &reboot)) {
    std::fwprintf(stderr, L"install_receiver: binding the driver failed, error %lu\n", GetLastError());
    return 1;
  }
  // Done only when the HID device answers, so tests after this step find it.
  HANDLE device = vexlo::test::openVirtualDevice(other ? VR_OTHER_VENDOR_ID : VR_RECEIVER_VENDOR_ID, kDeviceChange);
  if (device == INVALID_HANDLE_VALUE) {
    std::fwprintf(stderr, L"install_receiver: the device did not appear\n");
    return 1;
  }
  CloseHandle(device);
  return 0;
}

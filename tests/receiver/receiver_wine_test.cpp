// The receiver over real Win32: what registration asks of Windows, and that
// a handle Windows cannot read gives no code and leaves the filter alone.

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "launcher/launcher.h"
#include "launcher/receiver.h"

namespace vexlo {
namespace {

class ReceiverWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    window = CreateWindowExW(0, L"STATIC", L"receiver test", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    filter = ReceiverFilter{0x1C, 7};
  }
  void TearDown() override {
    if (window) DestroyWindow(window);
  }

  HWND window = nullptr;
  ReceiverFilter& filter = launcher().receiverFilter;
};

TEST_F(ReceiverWin32, RegistersConsumerControlAsInputSink) {
  registerReceiver(reinterpret_cast<std::uintptr_t>(window));
  EXPECT_EQ(filter.lastCode, 0);
  EXPECT_EQ(filter.repeatCount, 0u);

  UINT count = 0;
  ASSERT_EQ(GetRegisteredRawInputDevices(nullptr, &count, sizeof(RAWINPUTDEVICE)), 0u);
  ASSERT_GE(count, 1u);
  std::vector<RAWINPUTDEVICE> devices(count);
  ASSERT_EQ(GetRegisteredRawInputDevices(devices.data(), &count, sizeof(RAWINPUTDEVICE)), count);
  bool found = false;
  for (const RAWINPUTDEVICE& d : devices) {
    if (d.usUsagePage == 0x000C && d.usUsage == 0x0001) {
      found = true;
      EXPECT_EQ(d.dwFlags, static_cast<DWORD>(RIDEV_INPUTSINK));
      EXPECT_EQ(d.hwndTarget, window);
    }
  }
  EXPECT_TRUE(found);
}

TEST_F(ReceiverWin32, UnreadableInputIsNotTheReceiver) {
  for (std::uintptr_t handle : {std::uintptr_t{0}, std::uintptr_t{0x4321}}) {
    EXPECT_EQ(decodeRemoteInput(handle), kNotReceiver);
    EXPECT_EQ(filter.lastCode, 0x1C);
    EXPECT_EQ(filter.repeatCount, 7u);
  }
}

}  // namespace
}  // namespace vexlo

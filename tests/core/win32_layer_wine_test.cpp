// The Win32 window-system layer against the real windows of a TVTest
// stand-in without the plugin, whose log shows the remote messages its main
// window receives. The roads of a press are the e2e test's.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "launcher/routing.h"
#include "launcher/window_system.h"
#include "launcher/window_system_win32.h"
#include "shared/remote_protocol.h"
#include "tests/support/in_process_launcher.h"
#include "tests/support/standin_process.h"
#include "tests/support/wine_files.h"

namespace vexlo::test {
namespace {

class Win32LayerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    launcher_ = std::make_unique<InProcessLauncher>();
    scratch_ = std::make_unique<ScratchDirectory>(L"vexlo core");
    ASSERT_TRUE(startViewer(scratch_->path(), L"viewer",
                            L"--no-plugin --channel-display --open-dialog --magictv --fullscreen", viewer_));
    display_ = FindWindowExW(viewer_.window, nullptr, L"TVTest Channel Display", nullptr);
    magicTv_ = findProcessWindow(L"mAgicTVWindow", viewer_.processId);
    ASSERT_TRUE(display_ && viewer_.dialog && magicTv_ && findProcessWindow(L"TVTest Fullscreen", viewer_.processId));
  }

  static void TearDownTestSuite() {
    stopStandIn(viewer_);
    scratch_.reset();
    launcher_.reset();
  }

  void SetUp() override {
    // Each case starts from the plain viewer on top, dialog and display hidden.
    launcher().state.mode = Mode::kDirectInput;
    ShowWindow(viewer_.dialog, SW_HIDE);
    ShowWindow(display_, SW_HIDE);
    toBottom(magicTv_);
    SetWindowPos(viewer_.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  static void toBottom(HWND w) { SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

  static inline std::unique_ptr<InProcessLauncher> launcher_;
  static inline std::unique_ptr<ScratchDirectory> scratch_;
  static inline StandIn viewer_;
  static inline HWND display_ = nullptr, magicTv_ = nullptr;
};

TEST_F(Win32LayerTest, TheLayerReadsTheViewersWindows) {
  WindowSystem& ws = win32WindowSystem();
  WindowText text;
  const WindowHandle viewer = reinterpret_cast<WindowHandle>(viewer_.window);
  ASSERT_TRUE(ws.className(viewer, text));
  EXPECT_TRUE(text.equals(L"TVTest Window"));
  ws.windowTitle(reinterpret_cast<WindowHandle>(viewer_.dialog), text);
  EXPECT_TRUE(text.equals(L"ファイルを開く"));
  EXPECT_EQ(ws.windowProcess(viewer), viewer_.processId);
  EXPECT_EQ(ws.parentWindow(reinterpret_cast<WindowHandle>(display_)), viewer);
  EXPECT_EQ(ws.controlId(reinterpret_cast<WindowHandle>(GetDlgItem(viewer_.dialog, 0x461))), 0x461);
  EXPECT_EQ(ws.windowStyle(reinterpret_cast<WindowHandle>(viewer_.dialog)) & kWsThickFrame, 0u);
  EXPECT_EQ(ws.registerWindowMessage(kRemoteMessageName), RegisterWindowMessageW(L"Vexlo2 GV-RCKIT3"));
  EXPECT_FALSE(ws.className(0, text));
  EXPECT_EQ(text.length, 0u);

  std::vector<WindowHandle> order;
  ws.enumTopLevelWindows([&](WindowHandle w) {
    order.push_back(w);
    return true;
  });
  ASSERT_GE(order.size(), 2u);
  EXPECT_EQ(ws.nextWindow(order[0]), order[1]);

  EXPECT_TRUE(ws.fileExists(standInFile().c_str()));
  EXPECT_FALSE(ws.fileExists((scratch_->path() + L"\\no such file.exe").c_str()));
}

TEST_F(Win32LayerTest, TheForegroundLockTimeoutIsReadAndWritten) {
  WindowSystem& ws = win32WindowSystem();
  std::uint32_t saved = 0;
  ASSERT_TRUE(ws.foregroundLockTimeout(saved));
  ws.setForegroundLockTimeout(12345);
  std::uint32_t now = 0;
  ASSERT_TRUE(ws.foregroundLockTimeout(now));
  EXPECT_EQ(now, 12345u);
  ws.setForegroundLockTimeout(saved);
}

// A press the viewer must get as the remote message, with the code in wParam
// and 0 in lParam; everything posted to it before has arrived once it has.
TEST_F(Win32LayerTest, AnMagicTvWindowInFrontStopsDelivery) {
  SetWindowPos(magicTv_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_TRUE(routeButton(0x10));
  toBottom(magicTv_);
  ASSERT_TRUE(routeButton(0x11));
  ASSERT_TRUE(waitForLog(viewer_.logPath, "unhandled-remote wParam=0x11 lParam=0x0\n"));
  EXPECT_EQ(readLog(viewer_.logPath).find("wParam=0x10 "), std::string::npos) << "delivered past mAgicTV";
}

}  // namespace
}  // namespace vexlo::test

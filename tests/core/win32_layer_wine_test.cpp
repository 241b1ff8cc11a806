// The Win32 window-system layer driven by the launcher's routing against the
// real windows of a helper process (core_wine_helper.exe), which logs what
// its windows receive. Waits poll with deadlines; nothing sleeps blindly.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "launcher/launcher.h"
#include "launcher/routing.h"
#include "launcher/window_system.h"
#include "launcher/window_system_win32.h"
#include "shared/remote_protocol.h"
#include "tests/support/installed_launcher.h"
#include "tests/support/wine_files.h"
#include "tests/support/wine_processes.h"

namespace vexlo {
namespace {


std::wstring besideThisProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir(path);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1) + name;
}

struct FoundWindow {
  DWORD process;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
  auto* want = reinterpret_cast<FoundWindow*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t name[100] = L"";
  GetClassNameW(window, name, 100);
  if (process == want->process && std::wstring(name) == want->className) {
    want->found = window;
    return FALSE;
  }
  return TRUE;
}

class Win32LayerTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    installed_ = std::make_unique<test::InstalledLauncher>(test::Seams{&win32WindowSystem()});

    scratch_ = std::make_unique<test::ScratchDirectory>(L"vexlo core");
    logPath_ = scratch_->file(L"core_wine_helper.log");
    std::wstring command = L"\"" + besideThisProgram(VEXLO_CORE_HELPER_NAME) + L"\" \"" + logPath_ + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &helper_));
    CloseHandle(helper_.hThread);
    ASSERT_TRUE(test::waitUntil([] { return logHas("ready"); })) << "the helper did not start";
    viewer_ = find(L"TVTest Window");
    display_ = FindWindowExW(viewer_, nullptr, L"TVTest Channel Display", nullptr);
    dialog_ = find(L"#32770");
    magicTv_ = find(L"mAgicTVWindow");
    ASSERT_TRUE(viewer_ && display_ && dialog_ && magicTv_ && find(L"TVTest Fullscreen"));
  }

  static void TearDownTestSuite() {
    TerminateProcess(helper_.hProcess, 0);
    WaitForSingleObject(helper_.hProcess, vexlo::test::worldTime(vexlo::test::kPatience));
    CloseHandle(helper_.hProcess);
    scratch_.reset();
    installed_.reset();
  }

  void SetUp() override {
    // Each case starts from the plain viewer on top, dialog and display hidden.
    const std::uint32_t remoteMessage = state_.remoteMessage;
    state_ = LauncherState{};
    state_.mode = Mode::kDirectInput;
    state_.remoteMessage = remoteMessage;
    ShowWindow(dialog_, SW_HIDE);
    ShowWindow(display_, SW_HIDE);
    toBottom(magicTv_);
    toTop(viewer_);
  }

  static HWND find(const wchar_t* className) {
    FoundWindow want{helper_.dwProcessId, className, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&want));
    return want.found;
  }

  static void toTop(HWND w) { SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }
  static void toBottom(HWND w) {
    SetWindowPos(w, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  static std::vector<std::string> logLines() {
    std::ifstream in(logPath_.c_str());
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  static bool logHas(const std::string& wanted) {
    for (const std::string& line : logLines()) {
      if (line.rfind(wanted, 0) == 0) return true;
    }
    return false;
  }

  // A press the helper must see as the remote message; everything posted
  // before it to the same window has arrived once it has.
  static void pressAndWaitForRemote(std::uint16_t code) {
    ASSERT_TRUE(routeButton(code));
    const std::string line = "remote TVTest Window " + std::to_string(code) + " 0";
    ASSERT_TRUE(test::waitUntil([&] { return logHas(line); })) << line;
  }

  static RECT rectInDialog(int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog_, id), &r);
    MapWindowPoints(HWND_DESKTOP, dialog_, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  static inline std::unique_ptr<test::InstalledLauncher> installed_;
  static inline std::unique_ptr<test::ScratchDirectory> scratch_;
  static inline LauncherState& state_ = launcher().state;
  static PROCESS_INFORMATION helper_;
  static std::wstring logPath_;
  static HWND viewer_, display_, dialog_, magicTv_;
};

PROCESS_INFORMATION Win32LayerTest::helper_;
std::wstring Win32LayerTest::logPath_;
HWND Win32LayerTest::viewer_, Win32LayerTest::display_, Win32LayerTest::dialog_, Win32LayerTest::magicTv_;

TEST_F(Win32LayerTest, TheLayerReadsTheHelpersWindows) {
  WindowSystem& ws = win32WindowSystem();
  WindowText text;
  const WindowHandle viewer = reinterpret_cast<WindowHandle>(viewer_);
  ASSERT_TRUE(ws.className(viewer, text));
  EXPECT_TRUE(text.equals(L"TVTest Window"));
  ws.windowTitle(reinterpret_cast<WindowHandle>(dialog_), text);
  EXPECT_TRUE(text.equals(L"ファイルを開く"));
  EXPECT_EQ(ws.windowProcess(viewer), helper_.dwProcessId);
  EXPECT_EQ(ws.parentWindow(reinterpret_cast<WindowHandle>(display_)), viewer);
  EXPECT_EQ(ws.controlId(reinterpret_cast<WindowHandle>(GetDlgItem(dialog_, 0x461))), 0x461);
  EXPECT_EQ(ws.windowStyle(reinterpret_cast<WindowHandle>(dialog_)) & kWsThickFrame, 0u);
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

  EXPECT_TRUE(ws.fileExists(besideThisProgram(VEXLO_CORE_HELPER_NAME).c_str()));
  EXPECT_FALSE(ws.fileExists(besideThisProgram(L"no such file.exe").c_str()));
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

TEST_F(Win32LayerTest, TheRemoteMessageReachesTheTopmostViewerWithTheCodeInWParam) {
  pressAndWaitForRemote(0x0F);
  pressAndWaitForRemote(0x33);
}

TEST_F(Win32LayerTest, WithTheDialogVisibleTheStrokeArrivesOnItsFocusedControl) {
  ShowWindow(dialog_, SW_SHOWNA);
  ASSERT_TRUE(routeButton(0x1F));  // Return
  EXPECT_TRUE(test::waitUntil([] { return logHas("keydown SHELLDLL_DefView 1121 13 focused"); }));
  ASSERT_TRUE(routeButton(0x1C));  // Up
  EXPECT_TRUE(test::waitUntil([] { return logHas("keydown SHELLDLL_DefView 1121 38 focused"); }));
  ShowWindow(dialog_, SW_HIDE);
  pressAndWaitForRemote(0x12);
  EXPECT_FALSE(logHas("remote TVTest Window 31 ")) << "the dialog's code also went to the viewer";
}

TEST_F(Win32LayerTest, AVisibleChannelDisplayTakesTheCursorKeys) {
  ShowWindow(display_, SW_SHOWNA);
  ASSERT_TRUE(routeButton(0x22));  // Down
  EXPECT_TRUE(test::waitUntil([] { return logHas("keydown TVTest Channel Display 1 40"); }));
}

TEST_F(Win32LayerTest, TheFixedSizeDialogsControlsEndAtTheLayoutTable) {
  state_.dialogExpand = 1;
  state_.dialogWidth = 654;
  state_.dialogHeight = 381;
  ShowWindow(dialog_, SW_SHOWNA);
  ASSERT_TRUE(routeButton(0x1A));  // no key of its own: only the layout
  const auto dialogSized = [] {
    RECT r{};
    GetWindowRect(dialog_, &r);
    return r.right - r.left == 654 && r.bottom - r.top == 381;
  };
  ASSERT_TRUE(test::waitUntil(dialogSized));

  const RECT places = rectInDialog(0x4A0);
  EXPECT_EQ(places.right - places.left, 102);
  EXPECT_EQ(places.bottom - places.top, 320);
  const RECT list = rectInDialog(0x461);
  EXPECT_EQ(list.right - list.left, 525);
  EXPECT_EQ(list.bottom - list.top, 261);
  const struct {
    int id;
    LONG x, y;
  } moved[] = {{0x442, 117, 308}, {0x47C, 228, 303}, {0x441, 117, 332}, {0x470, 228, 329}, {1, 553, 303}, {2, 553, 327}};
  for (const auto& m : moved) {
    const RECT r = rectInDialog(m.id);
    EXPECT_EQ(r.left, m.x) << "control " << m.id;
    EXPECT_EQ(r.top, m.y) << "control " << m.id;
    EXPECT_EQ(r.right - r.left, 70) << "control " << m.id << " kept its width";
  }
}

TEST_F(Win32LayerTest, AnMagicTvWindowInFrontStopsDelivery) {
  toTop(magicTv_);
  ASSERT_TRUE(routeButton(0x10));
  toBottom(magicTv_);
  pressAndWaitForRemote(0x11);
  EXPECT_FALSE(logHas("remote TVTest Window 16 ")) << "delivered past mAgicTV";
}

}  // namespace
}  // namespace vexlo

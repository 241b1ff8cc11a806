// A test host for the built Vexlo2.tvtp: loads it as TVTest would, calls the
// exports in the host's order, reads its bitmaps and routes a real window's
// messages through the callback the plugin installs. Every test runs on the
// build tree's plugin and on the one in the x64 zip a user downloads.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/plugin_host_win32.h"
#include "tests/support/wine_files.h"
#include "tests/support/wine_processes.h"

namespace vexlo::test {
namespace {

// The remote message as the host window's procedure gets it once the plugin has left it.
int g_unhandledRemote = 0;
UINT g_remoteMessage = 0;

LRESULT CALLBACK UnhandledProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == g_remoteMessage && g_remoteMessage != 0) ++g_unhandledRemote;
  return DefWindowProcW(window, message, wParam, lParam);
}

// Posts like the launcher does and pumps until the window has handled it.
void PostAndPump(HWND window, UINT message, WPARAM wParam) {
  ASSERT_TRUE(PostMessageW(window, message, wParam, 0));
  PostMessageW(window, WM_APP, 0, 0);  // marks the end of what was posted
  ASSERT_TRUE(waitUntil([&] {
    MSG msg;
    while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&msg);
      if (msg.message == WM_APP) return true;
    }
    return false;
  })) << "posted message never arrived";
}

// Where the plugin under test comes from.
struct PluginFile { const char* origin; const char* path; };

const PluginFile kPluginFiles[] = {
    {"BuildTree", VEXLO2_TVTP_PATH},
    {"X64Zip", VEXLO2_PACKAGED_TVTP_PATH},
};

class PluginInWine : public ::testing::TestWithParam<PluginFile> {
 protected:
  void SetUp() override {
    path_ = windowsPath(GetParam().path);
    ASSERT_NE(GetFileAttributesW(path_.c_str()), INVALID_FILE_ATTRIBUTES)
        << GetParam().path << " is not there (the zip is unpacked by the plugin_package_unpacked fixture)";
  }
  std::wstring path_;
};

TEST_P(PluginInWine, LoadsRegistersAndTurnsRemoteMessagesIntoButtonPresses) {
  PluginHost host;
  HWND window = createHostWindow(host, L"Vexlo2 Test Host Window", L"TVTest", UnhandledProc);
  ASSERT_NE(window, nullptr);
  g_unhandledRemote = 0;
  LoadedPlugin tvt(path_);
  ASSERT_NE(tvt.module(), nullptr) << "LoadLibraryW failed: " << GetLastError();
  EXPECT_EQ(CompareStringOrdinal(tvt.file().c_str(), -1, path_.c_str(), -1, TRUE), CSTR_EQUAL)
      << "loaded from elsewhere";
  ASSERT_TRUE(tvt.complete()) << "an export is missing or decorated";

  EXPECT_EQ(tvt.getVersion(), 11u);
  // Exactly the host's size: a larger record would be written past it.
  std::vector<std::uint8_t> infoBytes(kHostLayout.pluginInfo.size);
  ASSERT_EQ(tvt.getPluginInfo(infoBytes.data()), 1);
  const PluginInformation info = readPluginInfo(infoBytes.data());
  EXPECT_EQ(info.name, L"Vexlo2");

  ASSERT_EQ(tvt.initialize(host.param()), 1) << host.refusal;
  ASSERT_EQ(host.numbers(), (std::vector<std::uint32_t>{68, 3}));
  const auto& c = host.controllers.at(0);
  EXPECT_EQ(c.size, kHostLayout.controller.size);
  EXPECT_EQ(c.name, L"GV-RCKIT3");
  EXPECT_EQ(c.text, L"GV-RCKIT3(Vexlo2)");
  EXPECT_EQ(c.section, L"Vexlo2");
  EXPECT_EQ(c.controllerBitmapId, 20u);
  EXPECT_EQ(c.selectionBitmapId, 21u);
  ASSERT_EQ(c.buttons.size(), 50u);
  EXPECT_EQ(c.buttons[0].defaultCommand, L"Close");
  EXPECT_EQ(c.buttons[46].defaultCommand, L"RecordStart");
  EXPECT_NE(c.clientData, 0u);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(host.eventClientData), c.clientData);

  host.clear();
  ASSERT_EQ(host.enable(true), 1);
  ASSERT_EQ(host.numbers(), (std::vector<std::uint32_t>{67}));
  ASSERT_NE(host.windowMessageCallback, nullptr);

  g_remoteMessage = RegisterWindowMessageW(L"Vexlo2 GV-RCKIT3");
  ASSERT_NE(g_remoteMessage, 0u);
  host.clear();
  PostAndPump(window, g_remoteMessage, 0x000F);
  ASSERT_EQ(host.numbers(), (std::vector<std::uint32_t>{69}));
  EXPECT_EQ(host.sent[0].text, L"GV-RCKIT3");
  EXPECT_EQ(host.sent[0].lParam2, 13);
  EXPECT_EQ(g_unhandledRemote, 0);

  host.clear();
  EXPECT_EQ(SendMessageW(window, g_remoteMessage, 0x0021, 0), 0);
  ASSERT_EQ(host.numbers(), (std::vector<std::uint32_t>{69}));
  EXPECT_EQ(host.sent[0].lParam2, 31);

  // Disabled, the remote message reaches the window procedure unhandled.
  host.clear();
  ASSERT_EQ(host.enable(false), 1);
  EXPECT_EQ(host.windowMessageCallback, nullptr);
  PostAndPump(window, g_remoteMessage, 0x000F);
  EXPECT_EQ(g_unhandledRemote, 1);
  EXPECT_EQ(host.numbers(), (std::vector<std::uint32_t>{67}));

  EXPECT_EQ(tvt.finalize(), 1);
  DestroyWindow(window);
}

struct Bitmap {
  const BITMAPINFOHEADER* header = nullptr;  // as stored in the module
  HBITMAP handle = nullptr;
  DIBSECTION dib{};
  int width() const { return dib.dsBm.bmWidth; }
  int height() const { return dib.dsBm.bmHeight; }
};

Bitmap LoadBitmapResource(HMODULE module, int id) {
  Bitmap b;
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  if (found) b.header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
  b.handle = static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (b.handle) GetObjectW(b.handle, sizeof(b.dib), &b.dib);
  return b;
}

// Pixels of a bottom-up 24-bit DIB section, top-left origin.
COLORREF PixelAt(const Bitmap& b, int x, int y) {
  const auto* bits = static_cast<const BYTE*>(b.dib.dsBm.bmBits);
  const BYTE* p = bits + (b.height() - 1 - y) * b.dib.dsBm.bmWidthBytes + 3 * x;
  return RGB(p[2], p[1], p[0]);
}

// True when the area shows something besides one flat colour.
bool HasDrawing(const Bitmap& b, int left, int top, int width, int height) {
  const COLORREF first = PixelAt(b, left, top);
  for (int y = top; y < top + height; ++y)
    for (int x = left; x < left + width; ++x)
      if (PixelAt(b, x, y) != first) return true;
  return false;
}

TEST_P(PluginInWine, BitmapsShowEveryButtonAndHighlight) {
  LoadedPlugin plugin(path_);
  ASSERT_NE(plugin.module(), nullptr);
  PluginHost host;
  ASSERT_EQ(plugin.initialize(host.param()), 1) << host.refusal;
  const std::vector<CopiedButton> buttons = host.controllers.at(0).buttons;
  ASSERT_EQ(buttons.size(), 50u);

  const Bitmap remote = LoadBitmapResource(plugin.module(), 20);
  const Bitmap lit = LoadBitmapResource(plugin.module(), 21);
  ASSERT_NE(remote.handle, nullptr);
  ASSERT_NE(lit.handle, nullptr);
  EXPECT_EQ((std::vector<int>{remote.width(), remote.height(), remote.dib.dsBm.bmBitsPixel}),
            (std::vector<int>{80, 304, 24}));
  EXPECT_EQ((std::vector<int>{lit.width(), lit.height(), lit.dib.dsBm.bmBitsPixel}), (std::vector<int>{120, 38, 24}));
  for (const Bitmap* b : {&remote, &lit}) {
    ASSERT_NE(b->header, nullptr);
    EXPECT_EQ(b->header->biSize, sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(b->header->biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(b->header->biBitCount, 24);
    EXPECT_EQ(b->header->biClrUsed, 0u);
  }

  for (const CopiedButton& button : buttons) {
    const ImageRect r = button.rect;
    ASSERT_LE(r.Left + r.Width, remote.width());
    ASSERT_LE(r.Top + r.Height, remote.height());
    ASSERT_LE(button.sel.Left + r.Width, lit.width());
    ASSERT_LE(button.sel.Top + r.Height, lit.height());
    EXPECT_TRUE(HasDrawing(remote, r.Left, r.Top, r.Width, r.Height)) << "button at " << r.Left << "," << r.Top;
    EXPECT_TRUE(HasDrawing(lit, button.sel.Left, button.sel.Top, r.Width, r.Height))
        << "highlight at " << button.sel.Left << "," << button.sel.Top;
  }
  // The 決定 key is lit in the middle of its highlight, not left as background.
  EXPECT_NE(PixelAt(lit, 68 + 14, 14), PixelAt(lit, 119, 37));

  DeleteObject(remote.handle);
  DeleteObject(lit.handle);
  EXPECT_EQ(plugin.finalize(), 1);
}

INSTANTIATE_TEST_SUITE_P(Plugin, PluginInWine, ::testing::ValuesIn(kPluginFiles),
                         [](const ::testing::TestParamInfo<PluginFile>& info) { return std::string(info.param.origin); });

}  // namespace
}  // namespace vexlo::test

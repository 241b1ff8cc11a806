// The resources of the built Vexlo.exe, read back through Windows' own
// resource functions: what a user and the shell see of the launcher.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/resources/resource_ids.h"
#include "tests/support/wine_files.h"

namespace vexlo::test {
namespace {

class LauncherResources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module = LoadLibraryExW(windowsPath(VEXLO_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
  static void TearDownTestSuite() { FreeLibrary(module); }

  void SetUp() override { ASSERT_NE(module, nullptr); }

  static std::wstring string(UINT id) {
    wchar_t text[100] = {};
    LoadStringW(module, id, text, 100);
    return text;
  }

  // The width of every image of an icon group.
  static std::vector<int> iconSizes(UINT id) {
    std::vector<int> sizes;
    HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    if (!group) return sizes;
    const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    const WORD count = *reinterpret_cast<const WORD*>(dir + 4);
    for (WORD i = 0; i < count; ++i) {
      const BYTE width = dir[6 + 14 * i];
      sizes.push_back(width == 0 ? 256 : width);
    }
    return sizes;
  }

  static inline HMODULE module = nullptr;
};

TEST_F(LauncherResources, StringsNameTheWindowClassAndTitle) {
  EXPECT_EQ(string(IDS_WINDOW_CLASS), L"VEXLO");
  EXPECT_EQ(string(IDS_WINDOW_TITLE), L"Vexlo");
}

TEST_F(LauncherResources, IconsHoldOneImageOfTheirSize) {
  EXPECT_EQ(iconSizes(IDI_VEXLO), std::vector<int>{48});
  EXPECT_EQ(iconSizes(IDI_SMALL), std::vector<int>{16});
  EXPECT_EQ(iconSizes(IDI_LARGE), std::vector<int>{256});
  EXPECT_NE(LoadIconW(module, MAKEINTRESOURCEW(IDI_SMALL)), nullptr);
}

TEST_F(LauncherResources, TheMenuHoldsItsItemsUnderOnePopup) {
  HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(IDC_VEXLO));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(GetMenuItemCount(menu), 1);
  wchar_t text[100] = {};
  GetMenuStringW(menu, 0, text, 100, MF_BYPOSITION);
  EXPECT_STREQ(text, L"dummy(&F)");

  HMENU popup = GetSubMenu(menu, 0);
  struct Item { UINT id; const wchar_t* text; };
  const Item expected[] = {{IDM_LOCKON, L"TVTestロックオン"}, {0, L""}, {IDM_SETTINGS, L"設定"},
                           {IDM_ABOUT, L"バージョン情報(&A)..."}, {IDM_EXIT, L"アプリケーションの終了(&X)"}};
  ASSERT_EQ(GetMenuItemCount(popup), 5);
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING | MIIM_STATE;
  info.dwTypeData = text;
  for (int i = 0; i < 5; ++i) {
    info.cch = 100;
    text[0] = L'\0';
    ASSERT_TRUE(GetMenuItemInfoW(popup, i, TRUE, &info));
    if (expected[i].id == 0) {
      EXPECT_TRUE(info.fType & MFT_SEPARATOR) << "item " << i;
      continue;
    }
    EXPECT_EQ(info.wID, expected[i].id) << "item " << i;
    EXPECT_STREQ(text, expected[i].text) << "item " << i;
    EXPECT_EQ(info.fState & MFS_CHECKED, 0u);
  }
  // Addressed by command, the lock-on item is found inside the popup.
  info.cch = 100;
  EXPECT_TRUE(GetMenuItemInfoW(menu, IDM_LOCKON, FALSE, &info));
  DestroyMenu(menu);
}

TEST_F(LauncherResources, AcceleratorsTakeAltWithTheCharactersQuestionMarkAndSlash) {
  HACCEL table = LoadAcceleratorsW(module, MAKEINTRESOURCEW(IDC_VEXLO));
  ASSERT_NE(table, nullptr);
  ACCEL entries[4] = {};
  ASSERT_EQ(CopyAcceleratorTableW(table, entries, 4), 2);
  for (const ACCEL& e : entries) {
    if (e.cmd == 0) continue;
    EXPECT_EQ(e.cmd, IDM_ABOUT);
    EXPECT_EQ(e.fVirt & FVIRTKEY, 0) << "character keys, not virtual keys";
    EXPECT_NE(e.fVirt & FALT, 0);
  }
  EXPECT_EQ(entries[0].key, L'?');
  EXPECT_EQ(entries[1].key, L'/');
}

TEST_F(LauncherResources, TheVersionBlockIsJapaneseAndNamesTheLauncher) {
  const std::wstring path = windowsPath(VEXLO_EXE);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

  auto value = [&](const wchar_t* name) {
    void* text = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\0411fde9\\") + name;
    if (!VerQueryValueW(block.data(), query.c_str(), &text, &length) || !text) return std::wstring(L"<absent>");
    return std::wstring(static_cast<const wchar_t*>(text));
  };
  EXPECT_EQ(value(L"FileDescription"), L"GV-RCKIT3でTVTestを操作するツール");
  EXPECT_EQ(value(L"FileVersion"), L"2.0.0.0");
  EXPECT_EQ(value(L"ProductVersion"), L"2.0");
  EXPECT_EQ(value(L"ProductName"), L"Vexlo");
  EXPECT_EQ(value(L"OriginalFilename"), L"Vexlo.exe");

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
}

TEST_F(LauncherResources, TheManifestAsksForCommonControls6AsInvokerWithoutUiAccess) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
  const std::string manifest(bytes, SizeofResource(module, found));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\" uiAccess=\"false\""), std::string::npos);
  EXPECT_NE(manifest.find("<description>GV-RCKIT3でTVTestを操作するツール</description>"), std::string::npos);
}

TEST_F(LauncherResources, TheAboutTemplateHasItsSizeAndFont) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDD_ABOUTBOX), MAKEINTRESOURCEW(5));  // RT_DIALOG
  ASSERT_NE(found, nullptr);
  const WORD* t = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
  ASSERT_EQ(t[0], 1);       // DLGTEMPLATEEX
  ASSERT_EQ(t[1], 0xFFFF);
  const WORD* items = t + 8;  // dlgVer, signature, helpID, exStyle, style
  EXPECT_EQ(items[0], 3);     // controls
  const short* geometry = reinterpret_cast<const short*>(items + 1);
  EXPECT_EQ(geometry[2], 170);
  EXPECT_EQ(geometry[3], 62);
  // menu, class and title strings follow, then the font.
  const wchar_t* text = reinterpret_cast<const wchar_t*>(items + 5);
  for (int skip = 0; skip < 2; ++skip) text += (*text == 0xFFFF) ? 2 : std::wcslen(text) + 1;
  EXPECT_STREQ(text, L"バージョン情報 Vexlo");
  text += std::wcslen(text) + 1;
  EXPECT_EQ(static_cast<WORD>(text[0]), 9);  // point size
  EXPECT_STREQ(text + 3, L"MS UI Gothic");
}

}  // namespace
}  // namespace vexlo::test

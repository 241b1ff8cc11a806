// The settings file's path: drive and directory of the module, then Vexlo.ini.

#include <gtest/gtest.h>

#include <string>

#include "launcher/settings/settings_store.h"

namespace vexlo {
namespace {

TEST(SettingsPath, BesideTheExecutableWhetherItsNameHasADriveADirectoryOrNeither) {
  EXPECT_EQ(makeSettingsPath(L"C:\\Program Files\\Vexlo\\Vexlo.exe"), L"C:\\Program Files\\Vexlo\\Vexlo.ini");
  EXPECT_EQ(makeSettingsPath(L"D:/tools/Vexlo.exe"), L"D:/tools/Vexlo.ini");
  EXPECT_EQ(makeSettingsPath(L"C:\\a.b\\Vexlo"), L"C:\\a.b\\Vexlo.ini");  // a dot in the directory
  EXPECT_EQ(makeSettingsPath(L"C:\\テレビ\\Vexlo.exe"), L"C:\\テレビ\\Vexlo.ini");
  EXPECT_EQ(makeSettingsPath(L"\\\\server\\share\\Vexlo.exe"), L"\\\\server\\share\\Vexlo.ini");  // UNC: no drive
  EXPECT_EQ(makeSettingsPath(L"\\\\?\\C:\\x\\Vexlo.exe"), L"\\\\?\\C:\\x\\Vexlo.ini");  // extended: no drive either
  EXPECT_EQ(makeSettingsPath(L"C:Vexlo.exe"), L"C:Vexlo.ini");  // no directory, or only the root
  EXPECT_EQ(makeSettingsPath(L"Vexlo.exe"), L"Vexlo.ini");
  EXPECT_EQ(makeSettingsPath(L"C:\\Vexlo.exe"), L"C:\\Vexlo.ini");
}

TEST(SettingsPath, EmptyNameGivesEmptyPath) { EXPECT_EQ(makeSettingsPath(L""), L""); }

TEST(SettingsPath, TheLongestModuleNameFitsAndAPartTooLongForItsBufferGivesEmptyPath) {
  // 259 characters, the most a 260-character buffer holds.
  const std::wstring dir = L"C:\\" + std::wstring(246, L'd') + L"\\";
  const std::wstring name = dir + L"Vexlo.exe";
  ASSERT_EQ(name.size(), 259u);
  EXPECT_EQ(makeSettingsPath(name), dir + L"Vexlo.ini");
  EXPECT_EQ(makeSettingsPath(L"C:\\" + std::wstring(300, L'd') + L"\\Vexlo.exe"), L"");
  EXPECT_EQ(makeSettingsPath(L"C:\\d\\" + std::wstring(260, L'f') + L".exe"), L"");
}

}  // namespace
}  // namespace vexlo

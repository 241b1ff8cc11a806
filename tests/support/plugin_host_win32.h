#pragma once
// The Windows side of the test plugin host: the plugin loaded as TVTest
// loads it, and the host's main window, whose messages go to the plugin's
// window-message callback first, as TVTest's main window procedure does.

#include <windows.h>

#include <string>

#include "tests/support/plugin_host.h"

namespace vexlo::test {

// LoadLibraryW and the four exports by their plain names. The host's own view
// of them: records are its bytes, not the plugin's declarations.
class LoadedPlugin {
 public:
  explicit LoadedPlugin(const std::wstring& path);
  ~LoadedPlugin();
  LoadedPlugin(const LoadedPlugin&) = delete;
  LoadedPlugin& operator=(const LoadedPlugin&) = delete;

  HMODULE module() const { return module_; }
  std::wstring file() const;
  bool complete() const { return getVersion && getPluginInfo && initialize && finalize; }

  std::uint32_t(TVT_STDCALL* getVersion)() = nullptr;
  TVTest::HostBool(TVT_STDCALL* getPluginInfo)(void* info) = nullptr;
  TVTest::HostBool(TVT_STDCALL* initialize)(void* param) = nullptr;
  TVTest::HostBool(TVT_STDCALL* finalize)() = nullptr;

 private:
  HMODULE module_;
};

// The host's main window, of a class of its own, hidden: each message is
// offered to the plugin of the host first; what it leaves goes to `rest`.
HWND createHostWindow(PluginHost& host, const wchar_t* className, const wchar_t* title, WNDPROC rest);

}  // namespace vexlo::test

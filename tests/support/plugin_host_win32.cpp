#include "tests/support/plugin_host_win32.h"

#include "tests/support/wine_processes.h"

namespace vexlo::test {
namespace {

WNDPROC g_rest = nullptr;

template <typename T>
void resolve(HMODULE module, const char* name, T& function) {
  function = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

LRESULT CALLBACK hostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TVTest::HostLParam result = 0;
  PluginHost* host = PluginHost::current();
  if (host && host->offer(reinterpret_cast<TVTest::HostWindow>(window), message, wParam, lParam, result)) {
    return result;
  }
  return g_rest(window, message, wParam, lParam);
}

}  // namespace

LoadedPlugin::LoadedPlugin(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {
  if (!module_) return;
  resolve(module_, "TVTGetVersion", getVersion);
  resolve(module_, "TVTGetPluginInfo", getPluginInfo);
  resolve(module_, "TVTInitialize", initialize);
  resolve(module_, "TVTFinalize", finalize);
}

LoadedPlugin::~LoadedPlugin() {
  if (module_) FreeLibrary(module_);
}

std::wstring LoadedPlugin::file() const {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module_, path, MAX_PATH);
  return path;
}

HWND createHostWindow(PluginHost& host, const wchar_t* className, const wchar_t* title, WNDPROC rest) {
  g_rest = rest;
  registerWindowClass(className, hostWindowProc);
  HWND window = CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, 40, 40, 480, 320, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  host.setMainWindow(reinterpret_cast<TVTest::HostWindow>(window));
  return window;
}

}  // namespace vexlo::test

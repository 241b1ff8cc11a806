#include "plugin/plugin_library.h"

#include <new>

#include "plugin/vexlo2_plugin.h"

namespace {

Vexlo2* g_plugin = nullptr;

}  // namespace

namespace vexlo2 {

bool OnProcessAttach() {
  g_plugin = new (std::nothrow) Vexlo2;
  return g_plugin != nullptr;
}

void OnProcessDetach() {
  delete g_plugin;
  g_plugin = nullptr;
}

Vexlo2* CurrentPlugin() { return g_plugin; }

}  // namespace vexlo2

// The host calls the exports only between loading and TVTFinalize; the
// checks for a missing object only keep a misbehaving host from crashing.
extern "C" {

std::uint32_t TVT_STDCALL TVTGetVersion() {
  return g_plugin ? g_plugin->GetVersion() : 0;
}

TVTest::HostBool TVT_STDCALL TVTGetPluginInfo(TVTest::PluginInfo* info) {
  return g_plugin && info && g_plugin->GetPluginInfo(info) ? 1 : 0;
}

TVTest::HostBool TVT_STDCALL TVTInitialize(TVTest::HostParam* param) {
  if (!g_plugin) return 0;
  // Without the wrapper there is no way to reach the host: say no, send nothing.
  if (!g_plugin->SetHostParam(param)) return 0;
  return g_plugin->Initialize() ? 1 : 0;
}

TVTest::HostBool TVT_STDCALL TVTFinalize() {
  if (!g_plugin) return 0;
  const bool result = g_plugin->Finalize();
  delete g_plugin;
  g_plugin = nullptr;
  return result ? 1 : 0;
}

}  // extern "C"

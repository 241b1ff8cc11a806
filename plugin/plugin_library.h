#pragma once
// The library's one plugin object and the four exports the host calls.

#include "plugin/tvtest_host.h"

class Vexlo2;

namespace vexlo2 {

// Library entry: attach creates the object (false = refuse to load),
// detach deletes one that TVTFinalize left behind.
bool OnProcessAttach();
void OnProcessDetach();

// The process-wide plugin object, none before attach and after TVTFinalize.
Vexlo2* CurrentPlugin();

}  // namespace vexlo2

extern "C" {
std::uint32_t TVT_STDCALL TVTGetVersion();
TVTest::HostBool TVT_STDCALL TVTGetPluginInfo(TVTest::PluginInfo* info);
TVTest::HostBool TVT_STDCALL TVTInitialize(TVTest::HostParam* param);
TVTest::HostBool TVT_STDCALL TVTFinalize();
}

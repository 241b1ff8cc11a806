#include <windows.h>

#include "plugin/plugin_library.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      return vexlo2::OnProcessAttach() ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
      vexlo2::OnProcessDetach();
      return TRUE;
    default:
      return TRUE;
  }
}

#pragma once
// The TVTest plugin host interface as this plugin uses it: the parameter
// record handed over at initialisation, the records exchanged with the host,
// the host message numbers and the callback shapes. Windows types are
// spelled with fixed-size and pointer-sized integers so that the layouts
// match the host on each architecture without <windows.h>.

#include <cstdint>

// The host calls exports and callbacks with the Windows standard calling
// convention; it only differs from the default on 32-bit x86 Windows.
#if defined(_WIN32) && !defined(_WIN64)
#define TVT_STDCALL __stdcall
#else
#define TVT_STDCALL
#endif

namespace TVTest {

using HostBool = std::int32_t;            // BOOL
using HostWindow = std::uintptr_t;        // HWND, 0 = none
using HostWParam = std::uintptr_t;        // WPARAM
using HostLParam = std::intptr_t;         // LPARAM and LRESULT

inline constexpr std::uint32_t kInterfaceVersion = 11;

struct HostParam;

using HostCallbackFunc = HostLParam(TVT_STDCALL*)(HostParam* param, std::uint32_t message,
                                                  HostLParam lParam1, HostLParam lParam2);

// Owned by the host; the plugin only reads its first two members, which is
// all this declaration shows.
struct HostParam {
  HostCallbackFunc HostCallback;
  HostWindow hwndApp;
};

struct PluginInfo {
  std::uint32_t Type;
  std::uint32_t Flags;
  const wchar_t* pszPluginName;
  const wchar_t* pszCopyright;
  const wchar_t* pszDescription;
};

// Host messages sent through HostCallback.
enum HostMessage : std::uint32_t {
  kMessageSetEventCallback = 3,           // event callback, client data
  kMessageAddLog = 54,                    // wide text, 0
  kMessageSetWindowMessageCallback = 67,  // window-message callback or 0, client data or 0
  kMessageRegisterController = 68,        // ControllerRecord*, 0 -> nonzero when registered
  kMessageOnControllerButtonDown = 69,    // controller name, button index
};

// Events delivered to the event callback.
enum HostEvent : std::uint32_t {
  kEventPluginEnable = 0,  // lParam1 nonzero = enable, zero = disable
};

using EventCallbackFunc = HostLParam(TVT_STDCALL*)(std::uint32_t event, HostLParam lParam1,
                                                   HostLParam lParam2, void* clientData);

using WindowMessageCallbackFunc = HostBool(TVT_STDCALL*)(HostWindow window, std::uint32_t message,
                                                         HostWParam wParam, HostLParam lParam,
                                                         HostLParam* result, void* clientData);

struct ImageRect {
  std::uint16_t Left, Top, Width, Height;
};

struct ImagePos {
  std::uint16_t Left, Top;
};

// One button of a controller as the host reads it.
struct ButtonDescriptor {
  const wchar_t* pszName;
  const wchar_t* pszDefaultCommand;  // null = no default
  ImageRect ImageButtonRect;         // area in the controller bitmap
  ImagePos ImageSelButtonPos;        // origin of its highlight in the selection bitmap
  std::uint32_t Reserved;
};

// Handed to kMessageRegisterController. Bitmap ids travel like resource
// names (a small integer in a pointer-sized field), so they stay pointer
// sized on 64-bit hosts as well.
struct ControllerRecord {
  std::uint32_t Size;  // sizeof(ControllerRecord): the host refuses any other size
  std::uint32_t Flags;
  const wchar_t* pszName;
  const wchar_t* pszText;
  std::int32_t NumButtons;
  const ButtonDescriptor* pButtonList;
  const wchar_t* pszIniFileName;
  const wchar_t* pszSectionName;
  std::uintptr_t ControllerImageId;
  std::uintptr_t SelButtonsImageId;
  const void* pTranslateMessage;  // message-translation callback, unused here
  void* pClientData;
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(ButtonDescriptor) == 24, "32-bit host expects 24-byte button descriptors");
static_assert(sizeof(ControllerRecord) == 48, "32-bit host expects a 48-byte controller record");
static_assert(sizeof(PluginInfo) == 20, "32-bit host expects a 20-byte plugin information record");
#endif

}  // namespace TVTest

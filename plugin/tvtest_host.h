#pragma once
// The TVTest plugin host interface as this plugin uses it: the parameter
// record handed over at initialisation, the records exchanged with the host,
// the host message numbers and the callback shapes. Windows types are
// spelled with fixed-size and pointer-sized integers so that the layouts
// match the host on each architecture without <windows.h>.
//
// The host declares its records with 1-byte packing, so on x86_64 a record
// is not laid out the way natural alignment would put it: every offset is
// pinned below, for both architectures.

#include <cstddef>
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

#pragma pack(push, 1)

// Owned by the host; the plugin only reads its first two members.
struct HostParam {
  HostCallbackFunc HostCallback;
  HostWindow hwndApp;
  void* pClientData;    // the host's
  void* pInternalData;  // the host's
};

struct PluginInfo {
  std::uint32_t Type;
  std::uint32_t Flags;
  const wchar_t* pszPluginName;
  const wchar_t* pszCopyright;
  const wchar_t* pszDescription;
};

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

// Handed to kMessageRegisterController.
struct ControllerRecord {
  std::uint32_t Size;  // sizeof(ControllerRecord): the host refuses any other size
  std::uint32_t Flags;
  const wchar_t* pszName;
  const wchar_t* pszText;
  std::int32_t NumButtons;
  const ButtonDescriptor* pButtonList;
  const wchar_t* pszIniFileName;
  const wchar_t* pszSectionName;
  std::uint32_t ControllerImageId;  // resource ids: 32-bit on both architectures
  std::uint32_t SelButtonsImageId;
  const void* pTranslateMessage;  // message-translation callback, unused here
  void* pClientData;
};

#pragma pack(pop)

// The host's figure for this architecture: i686, x86_64.
constexpr std::size_t HostFigure(std::size_t x86, std::size_t x64) {
  return sizeof(void*) == 4 ? x86 : x64;
}

static_assert(sizeof(PluginInfo) == HostFigure(20, 32), "plugin information size");
static_assert(offsetof(PluginInfo, Type) == 0, "PluginInfo::Type");
static_assert(offsetof(PluginInfo, Flags) == 4, "PluginInfo::Flags");
static_assert(offsetof(PluginInfo, pszPluginName) == 8, "PluginInfo::pszPluginName");
static_assert(offsetof(PluginInfo, pszCopyright) == HostFigure(12, 16), "PluginInfo::pszCopyright");
static_assert(offsetof(PluginInfo, pszDescription) == HostFigure(16, 24), "PluginInfo::pszDescription");

static_assert(sizeof(HostParam) == HostFigure(16, 32), "host parameter record size");
static_assert(offsetof(HostParam, HostCallback) == 0, "HostParam::HostCallback");
static_assert(offsetof(HostParam, hwndApp) == HostFigure(4, 8), "HostParam::hwndApp");
static_assert(offsetof(HostParam, pClientData) == HostFigure(8, 16), "HostParam::pClientData");
static_assert(offsetof(HostParam, pInternalData) == HostFigure(12, 24), "HostParam::pInternalData");

static_assert(sizeof(ButtonDescriptor) == HostFigure(24, 32), "button descriptor size");
static_assert(offsetof(ButtonDescriptor, pszName) == 0, "ButtonDescriptor::pszName");
static_assert(offsetof(ButtonDescriptor, pszDefaultCommand) == HostFigure(4, 8),
              "ButtonDescriptor::pszDefaultCommand");
static_assert(offsetof(ButtonDescriptor, ImageButtonRect) == HostFigure(8, 16),
              "ButtonDescriptor::ImageButtonRect");
static_assert(sizeof(ImageRect) == 8, "four 16-bit values");
static_assert(offsetof(ButtonDescriptor, ImageSelButtonPos) == HostFigure(16, 24),
              "ButtonDescriptor::ImageSelButtonPos");
static_assert(sizeof(ImagePos) == 4, "two 16-bit values");
static_assert(offsetof(ButtonDescriptor, Reserved) == HostFigure(20, 28), "ButtonDescriptor::Reserved");

static_assert(sizeof(ControllerRecord) == HostFigure(48, 76), "controller record size");
static_assert(offsetof(ControllerRecord, Size) == 0, "ControllerRecord::Size");
static_assert(offsetof(ControllerRecord, Flags) == 4, "ControllerRecord::Flags");
static_assert(offsetof(ControllerRecord, pszName) == 8, "ControllerRecord::pszName");
static_assert(offsetof(ControllerRecord, pszText) == HostFigure(12, 16), "ControllerRecord::pszText");
static_assert(offsetof(ControllerRecord, NumButtons) == HostFigure(16, 24), "ControllerRecord::NumButtons");
static_assert(offsetof(ControllerRecord, pButtonList) == HostFigure(20, 28), "ControllerRecord::pButtonList");
static_assert(offsetof(ControllerRecord, pszIniFileName) == HostFigure(24, 36),
              "ControllerRecord::pszIniFileName");
static_assert(offsetof(ControllerRecord, pszSectionName) == HostFigure(28, 44),
              "ControllerRecord::pszSectionName");
static_assert(offsetof(ControllerRecord, ControllerImageId) == HostFigure(32, 52),
              "ControllerRecord::ControllerImageId");
static_assert(offsetof(ControllerRecord, SelButtonsImageId) == HostFigure(36, 56),
              "ControllerRecord::SelButtonsImageId");
static_assert(offsetof(ControllerRecord, pTranslateMessage) == HostFigure(40, 60),
              "ControllerRecord::pTranslateMessage");
static_assert(offsetof(ControllerRecord, pClientData) == HostFigure(44, 68), "ControllerRecord::pClientData");

}  // namespace TVTest

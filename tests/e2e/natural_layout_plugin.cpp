// A plugin for the stand-in's own test, not for users: it registers its
// controller with a record laid out by natural alignment instead of the
// host's packing, as Vexlo2.tvtp once did on x86_64. A host that reads its
// own layout refuses it; the stand-in must say so in its log. None of the
// plugin's declarations are used here.
#include <cstdint>

#include "tests/support/natural_controller_record.h"

#if defined(_WIN32) && !defined(_WIN64)
#define NATURAL_STDCALL __stdcall
#else
#define NATURAL_STDCALL
#endif

namespace {

using HostCallback = std::intptr_t(NATURAL_STDCALL*)(void* param, std::uint32_t message, std::intptr_t lParam1,
                                                     std::intptr_t lParam2);

// The first member of the host's parameter record, the same on every layout.
struct HostParamStart {
  HostCallback callback;
};

struct NaturalButton {
  const wchar_t* pszName;
  const wchar_t* pszDefaultCommand;
  std::uint16_t rect[4];
  std::uint16_t sel[2];
  std::uint32_t reserved;
};

constexpr std::uint32_t kRegisterController = 68;
constexpr std::uint32_t kAddLog = 54;

}  // namespace

extern "C" {

__declspec(dllexport) std::uint32_t NATURAL_STDCALL TVTGetVersion() { return 11; }

__declspec(dllexport) std::int32_t NATURAL_STDCALL TVTGetPluginInfo(void* info) {
  // Natural alignment and the host's packing agree on this record.
  struct Info {
    std::uint32_t type, flags;
    const wchar_t *name, *copyright, *description;
  };
  *static_cast<Info*>(info) = {0, 0, L"Natural layout", L"test only", L"registers a naturally aligned record"};
  return 1;
}

__declspec(dllexport) std::int32_t NATURAL_STDCALL TVTInitialize(void* param) {
  const HostCallback host = static_cast<HostParamStart*>(param)->callback;
  const NaturalButton button = {L"Button", nullptr, {0, 0, 10, 10}, {0, 0}, 0};
  vexlo::test::NaturalControllerRecord record = {};
  record.Size = sizeof record;
  record.pszName = L"Natural";
  record.pszText = L"Natural layout";
  record.NumButtons = 1;
  record.pButtonList = &button;
  record.pszSectionName = L"Natural";
  record.ControllerImageId = 20;
  record.SelButtonsImageId = 21;
  if (host(param, kRegisterController, reinterpret_cast<std::intptr_t>(&record), 0) != 0) return 1;
  host(param, kAddLog, reinterpret_cast<std::intptr_t>(L"natural record refused"), 0);
  return 0;
}

__declspec(dllexport) std::int32_t NATURAL_STDCALL TVTFinalize() { return 1; }

}  // extern "C"

#pragma once
// The launcher menu and the mouse hook in memory: item states by command id,
// and the hooks installed and removed, in order.

#include <cstdint>
#include <map>
#include <vector>

#include "launcher/lockon.h"
#include "launcher/resources/resource_ids.h"

namespace vexlo::test {

class FakeLockOnPlatform final : public LockOnPlatform {
 public:
  // The menu's items; others do not exist.
  std::map<std::uint32_t, std::uint32_t> itemStates{{IDM_LOCKON, 0}, {IDM_SETTINGS, 0}, {IDM_ABOUT, 0}, {IDM_EXIT, 0}};
  bool hookFails = false;
  std::vector<HookHandle> installed, removed;
  int stateWrites = 0;

  std::uint32_t menuItemState(std::uint32_t commandId) override {
    auto it = itemStates.find(commandId);
    return it == itemStates.end() ? 0 : it->second;
  }
  void setMenuItemState(std::uint32_t commandId, std::uint32_t state) override {
    ++stateWrites;
    auto it = itemStates.find(commandId);
    if (it != itemStates.end()) it->second = state;
  }
  HookHandle installMouseHook() override {
    if (hookFails) return 0;
    installed.push_back(nextHook_);
    return nextHook_++;
  }
  void removeMouseHook(HookHandle hook) override { removed.push_back(hook); }

 private:
  HookHandle nextHook_ = 0x5000;
};

}  // namespace vexlo::test

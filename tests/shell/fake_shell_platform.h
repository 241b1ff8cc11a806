#pragma once
// The shell's menu and mouse hook in memory: item states by command id, and
// the hooks installed and removed, in order.

#include <cstdint>
#include <map>
#include <vector>

#include "launcher/shell_platform.h"

namespace vexlo::test {

class FakeShellPlatform final : public ShellPlatform {
 public:
  std::map<std::uint32_t, std::uint32_t> itemStates;  // the menu's items; others do not exist
  bool hookFails = false;
  std::vector<HookHandle> installed, removed;
  int stateWrites = 0;

  FakeShellPlatform() : previous_(g_shellPlatform) {
    itemStates[114] = 0;
    itemStates[40000] = 0;
    itemStates[104] = 0;
    itemStates[105] = 0;
    g_shellPlatform = this;
  }
  ~FakeShellPlatform() override { g_shellPlatform = previous_; }

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

  bool checked() const { return (itemStates.at(114) & kMenuStateChecked) != 0; }

 private:
  HookHandle nextHook_ = 0x5000;
  ShellPlatform* previous_;
};

}  // namespace vexlo::test

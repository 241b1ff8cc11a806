// The plugin's Windows services, recorded instead of performed.
#include "tests/plugin/fake_plugin_platform.h"

#include "plugin/plugin_platform.h"

namespace vexlo::test {

FakePlatform& Platform() {
  static FakePlatform platform;
  return platform;
}

}  // namespace vexlo::test

namespace vexlo2::platform {

std::uint32_t RegisterMessageName(const wchar_t* name) {
  vexlo::test::Platform().registeredNames.push_back(name);
  return vexlo::test::Platform().nextMessageId;
}

void ShowWarning(TVTest::HostWindow owner, const wchar_t* text) {
  vexlo::test::Platform().warnings.push_back({owner, text});
}

void AllowMessageFromLowerRights(TVTest::HostWindow window, std::uint32_t message) {
  vexlo::test::Platform().allowed.push_back({window, message});
}

}  // namespace vexlo2::platform

// The plugin's Windows services, recorded instead of performed.
#include "tests/plugin/fake_plugin_platform.h"

#include "plugin/plugin_platform.h"

namespace vexlo2::test {

FakePlatform& Platform() {
  static FakePlatform platform;
  return platform;
}

}  // namespace vexlo2::test

namespace vexlo2::platform {

std::uint32_t RegisterMessageName(const wchar_t* name) {
  test::Platform().registeredNames.push_back(name);
  return test::Platform().nextMessageId;
}

void ShowWarning(TVTest::HostWindow owner, const wchar_t* text) {
  test::Platform().warnings.push_back({owner, text});
}

void AllowMessageFromLowerRights(TVTest::HostWindow window, std::uint32_t message) {
  test::Platform().allowed.push_back({window, message});
}

}  // namespace vexlo2::platform

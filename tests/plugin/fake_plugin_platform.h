#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/tvtest_host.h"

namespace vexlo2::test {

struct Warning {
  TVTest::HostWindow owner;
  std::wstring text;
};

struct FakePlatform {
  std::uint32_t nextMessageId = 0xC0DE;  // 0 makes registration fail
  std::vector<std::wstring> registeredNames;
  std::vector<Warning> warnings;
};

FakePlatform& Platform();

}  // namespace vexlo2::test

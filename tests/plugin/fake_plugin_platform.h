#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "plugin/tvtest_host.h"

namespace vexlo::test {

struct Warning {
  TVTest::HostWindow owner;
  std::wstring text;
};

// A message let through a window's integrity filter.
struct Allowed {
  TVTest::HostWindow window;
  std::uint32_t message;
  bool operator==(const Allowed& o) const { return window == o.window && message == o.message; }
};
inline void PrintTo(const Allowed& a, std::ostream* out) {
  *out << std::hex << "{window 0x" << a.window << ", message 0x" << a.message << "}" << std::dec;
}

struct FakePlatform {
  std::uint32_t nextMessageId = 0xC0DE;  // 0 makes registration fail
  std::vector<std::wstring> registeredNames;
  std::vector<Warning> warnings;
  std::vector<Allowed> allowed;
};

FakePlatform& Platform();

}  // namespace vexlo::test

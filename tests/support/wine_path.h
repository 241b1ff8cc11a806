#pragma once
// A build-tree path as Windows programs under Wine see it: Unix paths live
// on drive Z:. A path that is already a Windows one is kept as it is.

#include <string>

namespace vexlo::test {

inline std::wstring windowsPath(const char* path) {
  std::wstring out = path[0] == '/' ? L"Z:" : L"";
  for (const char* c = path; *c; ++c) out += (*c == '/') ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(*c));
  return out;
}

}  // namespace vexlo::test

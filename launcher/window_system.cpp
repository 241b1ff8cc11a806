#include "launcher/window_system.h"

#include <cwchar>

namespace vexlo {

bool WindowText::equals(const wchar_t* other) const {
  return std::wcslen(other) == length && std::wmemcmp(text, other, length) == 0;
}

}  // namespace vexlo

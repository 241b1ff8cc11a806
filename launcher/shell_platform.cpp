#include "launcher/shell_platform.h"

namespace vexlo {

ShellPlatform* g_shellPlatform = nullptr;

}  // namespace vexlo

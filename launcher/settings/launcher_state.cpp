#include "launcher/settings/launcher_state.h"

namespace vexlo {

LauncherState* g_state = nullptr;
LauncherSettings* g_settings = nullptr;

}  // namespace vexlo

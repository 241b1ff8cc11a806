#include "launcher/settings/profile.h"

namespace vexlo {

Profile* g_profile = nullptr;

}  // namespace vexlo

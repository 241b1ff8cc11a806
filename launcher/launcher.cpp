#include "launcher/launcher.h"

namespace vexlo {
namespace {

Launcher g_launcher;

}  // namespace

Launcher& launcher() { return g_launcher; }

}  // namespace vexlo

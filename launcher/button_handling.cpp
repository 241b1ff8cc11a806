#include "launcher/button_handling.h"

#include "launcher/lockon.h"
#include "launcher/routing.h"
#include "launcher/switching.h"

namespace vexlo {

void handleButton(std::uint16_t decoded) {
  if (decoded >= 0x100) return;
  if (specialButton(decoded)) return;
  if (!routeButton(decoded)) unlock();
}

}  // namespace vexlo

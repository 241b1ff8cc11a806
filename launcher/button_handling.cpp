#include "launcher/button_handling.h"

#include "launcher/launcher.h"
#include "launcher/lockon.h"
#include "launcher/receiver.h"
#include "launcher/routing.h"
#include "launcher/switching.h"

namespace vexlo {

void handleButton(std::uint16_t decoded) {
  if (decoded >= kFirstNonButton) return;
  if (specialButton(decoded)) return;
  const bool lockStillValid = routeButton(decoded);
  // The end of the session is a sent message: it can tear the launcher down
  // while this press waits on a window of another thread, and a stopped
  // launcher changes nothing more.
  if (!lockStillValid && launcher().running) unlock();
}

}  // namespace vexlo

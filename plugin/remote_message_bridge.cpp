// The bridge from the launcher's remote message to controller button presses.
#include "plugin/button_table.h"
#include "plugin/plugin_platform.h"
#include "plugin/vexlo2_plugin.h"
#include "shared/remote_protocol.h"

using namespace TVTest;

namespace {

std::uint32_t g_remoteMessage = 0;

}  // namespace

namespace vexlo2 {

std::uint32_t RemoteMessageId() { return g_remoteMessage; }

}  // namespace vexlo2

HostLParam TVT_STDCALL Vexlo2::EventCallback(std::uint32_t event, HostLParam lParam1, HostLParam,
                                             void* clientData) {
  if (event != kEventPluginEnable) return 0;
  auto* self = static_cast<Vexlo2*>(clientData);
  if (lParam1 == 0) {
    self->OnDisable();
    return 1;
  }
  return self->OnEnable() ? 1 : 0;
}

HostBool TVT_STDCALL Vexlo2::WindowMessageCallback(HostWindow, std::uint32_t message,
                                                   HostWParam wParam, HostLParam, HostLParam*,
                                                   void* clientData) {
  // Before registration the id is 0, which no window message uses.
  if (g_remoteMessage == 0 || message != g_remoteMessage) return 0;
  static_cast<Vexlo2*>(clientData)->OnRemoteMessage(wParam);
  return 1;  // the remote message is never the host's business
}

bool Vexlo2::OnEnable() {
  if (!messageRegistered) {
    const std::uint32_t id = vexlo2::platform::RegisterMessageName(vexlo::kRemoteMessageName);
    if (id == 0) {
      vexlo2::platform::ShowWarning(m_pApp->GetAppWindow(), vexlo2::kMessageFailedWarning);
      return false;
    }
    g_remoteMessage = id;
    messageRegistered = true;
  }
  // A viewer run as administrator would otherwise drop every message the
  // launcher, with normal rights, posts to it.
  vexlo2::platform::AllowMessageFromLowerRights(m_pApp->GetAppWindow(), g_remoteMessage);
  m_pApp->SetWindowMessageCallback(WindowMessageCallback, this);
  return true;
}

void Vexlo2::OnDisable() { m_pApp->SetWindowMessageCallback(nullptr, nullptr); }

void Vexlo2::OnRemoteMessage(HostWParam wParam) {
  const int index = vexlo2::FindButtonIndex(static_cast<std::uint16_t>(wParam & 0xFFFF));
  if (index >= 0) m_pApp->OnControllerButtonDown(vexlo2::kControllerName, index);
}

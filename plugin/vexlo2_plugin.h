#pragma once
// The plugin object: registers the GV-RCKIT3 controller with the host and,
// while the plugin is enabled, turns remote messages into its button presses.

#include <cstdint>

#include "plugin/tvtest_plugin.h"

namespace vexlo2 {

inline constexpr wchar_t kControllerName[] = L"GV-RCKIT3";
inline constexpr wchar_t kControllerText[] = L"GV-RCKIT3(Vexlo2)";
inline constexpr wchar_t kIniSectionName[] = L"Vexlo2";
inline constexpr wchar_t kRegisterFailedLog[] = L"コントローラを登録できません。";
inline constexpr wchar_t kMessageFailedWarning[] = L"初期化でエラーが発生しました。";

// The id of the remote message in this process; 0 until registered.
std::uint32_t RemoteMessageId();

}  // namespace vexlo2

class Vexlo2 : public TVTest::CTVTestPlugin {
 public:
  bool GetPluginInfo(TVTest::PluginInfo* info) override;
  bool Initialize() override;

  bool messageRegistered = false;

  // Given to the host; both find the object in their client data.
  static TVTest::HostLParam TVT_STDCALL EventCallback(std::uint32_t event,
                                                      TVTest::HostLParam lParam1,
                                                      TVTest::HostLParam lParam2,
                                                      void* clientData);
  static TVTest::HostBool TVT_STDCALL WindowMessageCallback(TVTest::HostWindow window,
                                                            std::uint32_t message,
                                                            TVTest::HostWParam wParam,
                                                            TVTest::HostLParam lParam,
                                                            TVTest::HostLParam* result,
                                                            void* clientData);

 private:
  bool OnEnable();
  void OnDisable();
  void OnRemoteMessage(TVTest::HostWParam wParam);
};

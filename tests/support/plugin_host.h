#pragma once
// A TVTest host in miniature, for every test that hosts the plugin: it hands
// out a parameter record laid out as the host lays it out, and its callback
// records every host message, copying what a real host copies during the
// call (by the host's layout) and refusing what it would refuse. The main
// window's messages go to the plugin's window-message callback first, as in
// TVTest. One host at a time in a process.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "plugin/tvtest_host.h"
#include "tests/support/host_records.h"

namespace vexlo::test {

// One message the plugin sent the host.
struct HostMessage {
  std::uint32_t message;
  TVTest::HostLParam lParam1, lParam2;
  std::wstring text;  // 54: the log line; 69: the controller name
};

class PluginHost {
 public:
  explicit PluginHost(TVTest::HostWindow mainWindow = 0);
  ~PluginHost() { current_ = nullptr; }
  PluginHost(const PluginHost&) = delete;
  PluginHost& operator=(const PluginHost&) = delete;

  // The host of this process, or none.
  static PluginHost* current() { return current_; }

  // The host's bytes, typed only to be handed to TVTInitialize.
  TVTest::HostParam* param() { return static_cast<TVTest::HostParam*>(param_.data()); }
  void setMainWindow(TVTest::HostWindow window) { param_.setMainWindow(window); }
  void refuseControllers() { acceptControllers_ = false; }
  void clear() { sent.clear(); }
  std::vector<std::uint32_t> numbers() const;

  // Switches the plugin on or off as the user does; 0 when it installed no event callback.
  TVTest::HostLParam enable(bool on);
  // Offers a message of the main window to the plugin's window-message
  // callback; true when the plugin took it, with its result.
  bool offer(TVTest::HostWindow window, std::uint32_t message, TVTest::HostWParam wParam, TVTest::HostLParam lParam,
             TVTest::HostLParam& result);
  // The registered button a button-down names, or null.
  const CopiedButton* button(const std::wstring& controller, TVTest::HostLParam index) const;

  // Told each message once it is recorded.
  std::function<void(const HostMessage&)> onMessage;

  // The callbacks the plugin installed, as the host would call them.
  TVTest::EventCallbackFunc eventCallback = nullptr;
  void* eventClientData = nullptr;
  TVTest::WindowMessageCallbackFunc windowMessageCallback = nullptr;
  void* windowMessageClientData = nullptr;

  std::vector<HostMessage> sent;
  std::vector<CopiedController> controllers;
  std::string refusal;  // why the last controller record was not taken, if it was not

 private:
  static TVTest::HostLParam TVT_STDCALL callback(TVTest::HostParam* param, std::uint32_t message,
                                                 TVTest::HostLParam lParam1, TVTest::HostLParam lParam2);
  TVTest::HostLParam handle(std::uint32_t message, TVTest::HostLParam lParam1, TVTest::HostLParam lParam2);

  inline static PluginHost* current_ = nullptr;
  HostParamRecord param_;
  bool acceptControllers_ = true;
};

}  // namespace vexlo::test

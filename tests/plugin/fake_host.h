#pragma once
// A TVTest host in miniature: hands out a parameter record, laid out as the
// host lays it out, whose callback records every host message, copying what
// a real host would copy during the call and refusing what it would refuse.

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/tvtest_host.h"
#include "tests/support/host_records.h"

namespace vexlo2::test {

using vexlo::test::host::CopiedButton;
using vexlo::test::host::CopiedController;

struct SentMessage {
  std::uint32_t message;
  TVTest::HostLParam lParam1;
  TVTest::HostLParam lParam2;
  std::wstring text;  // 54: the log line; 69: the controller name
};

class FakeHost {
 public:
  FakeHost();
  ~FakeHost();

  // The host's bytes, typed only to be handed to TVTInitialize.
  TVTest::HostParam* Param() { return static_cast<TVTest::HostParam*>(param_.data()); }
  void SetMainWindow(TVTest::HostWindow window) { param_.SetMainWindow(window); }
  void RefuseControllers() { acceptControllers_ = false; }
  void Clear() { sent.clear(); }

  std::vector<std::uint32_t> Numbers() const;

  // The callbacks the plugin installed, as the host would call them.
  TVTest::EventCallbackFunc eventCallback = nullptr;
  void* eventClientData = nullptr;
  TVTest::WindowMessageCallbackFunc windowMessageCallback = nullptr;
  void* windowMessageClientData = nullptr;

  std::vector<SentMessage> sent;
  std::vector<CopiedController> controllers;
  std::string refusal;  // why the last controller record was not taken, if it was not

 private:
  static TVTest::HostLParam TVT_STDCALL Callback(TVTest::HostParam* param, std::uint32_t message,
                                                 TVTest::HostLParam lParam1,
                                                 TVTest::HostLParam lParam2);
  TVTest::HostLParam Handle(std::uint32_t message, TVTest::HostLParam lParam1,
                            TVTest::HostLParam lParam2);

  vexlo::test::host::HostParamRecord param_;
  bool acceptControllers_ = true;
};

}  // namespace vexlo2::test

#pragma once
// A TVTest host in miniature: hands out a HostParam whose callback records
// every host message, copying what a real host would copy during the call.

#include <cstdint>
#include <string>
#include <vector>

#include "plugin/tvtest_host.h"

namespace vexlo2::test {

struct SentMessage {
  std::uint32_t message;
  TVTest::HostLParam lParam1;
  TVTest::HostLParam lParam2;
  std::wstring text;  // 54: the log line; 69: the controller name
};

struct CopiedButton {
  std::wstring name;
  bool hasDefault;
  std::wstring defaultCommand;
  TVTest::ImageRect rect;
  TVTest::ImagePos sel;
  std::uint32_t reserved;
};

// What the host keeps of a controller record, copied while message 68 runs.
struct CopiedController {
  TVTest::ControllerRecord record;
  std::wstring name, text, section;
  std::vector<CopiedButton> buttons;
};

class FakeHost {
 public:
  FakeHost();
  ~FakeHost();

  TVTest::HostParam* Param() { return &param_; }
  void SetMainWindow(TVTest::HostWindow window) { param_.hwndApp = window; }
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

 private:
  static TVTest::HostLParam TVT_STDCALL Callback(TVTest::HostParam* param, std::uint32_t message,
                                                 TVTest::HostLParam lParam1,
                                                 TVTest::HostLParam lParam2);
  TVTest::HostLParam Handle(std::uint32_t message, TVTest::HostLParam lParam1,
                            TVTest::HostLParam lParam2);

  TVTest::HostParam param_{};
  bool acceptControllers_ = true;
};

// Copies a controller record as a host sees it (shared with the Wine host).
CopiedController CopyController(const TVTest::ControllerRecord& record);

}  // namespace vexlo2::test

#include "tests/support/plugin_host.h"

namespace vexlo::test {

PluginHost::PluginHost(TVTest::HostWindow mainWindow)
    : param_(reinterpret_cast<std::uintptr_t>(&callback), mainWindow) {
  current_ = this;
}

std::vector<std::uint32_t> PluginHost::numbers() const {
  std::vector<std::uint32_t> numbers;
  for (const HostMessage& m : sent) numbers.push_back(m.message);
  return numbers;
}

TVTest::HostLParam PluginHost::enable(bool on) {
  return eventCallback ? eventCallback(TVTest::kEventPluginEnable, on ? 1 : 0, 0, eventClientData) : 0;
}

bool PluginHost::offer(TVTest::HostWindow window, std::uint32_t message, TVTest::HostWParam wParam,
                       TVTest::HostLParam lParam, TVTest::HostLParam& result) {
  return windowMessageCallback &&
         windowMessageCallback(window, message, wParam, lParam, &result, windowMessageClientData);
}

const CopiedButton* PluginHost::button(const std::wstring& controller, TVTest::HostLParam index) const {
  for (const CopiedController& c : controllers) {
    if (c.name == controller && index >= 0 && index < static_cast<TVTest::HostLParam>(c.buttons.size())) {
      return &c.buttons[static_cast<std::size_t>(index)];
    }
  }
  return nullptr;
}

TVTest::HostLParam TVT_STDCALL PluginHost::callback(TVTest::HostParam* param, std::uint32_t message,
                                                    TVTest::HostLParam lParam1, TVTest::HostLParam lParam2) {
  if (!current_ || static_cast<void*>(param) != current_->param_.data()) return 0;  // a stale or foreign param
  return current_->handle(message, lParam1, lParam2);
}

TVTest::HostLParam PluginHost::handle(std::uint32_t message, TVTest::HostLParam lParam1, TVTest::HostLParam lParam2) {
  HostMessage m{message, lParam1, lParam2, {}};
  TVTest::HostLParam answer = 0;
  switch (message) {
    case TVTest::kMessageSetEventCallback:
      eventCallback = reinterpret_cast<TVTest::EventCallbackFunc>(lParam1);
      eventClientData = reinterpret_cast<void*>(lParam2);
      break;
    case TVTest::kMessageSetWindowMessageCallback:
      windowMessageCallback = reinterpret_cast<TVTest::WindowMessageCallbackFunc>(lParam1);
      windowMessageClientData = reinterpret_cast<void*>(lParam2);
      break;
    case TVTest::kMessageAddLog:
    case TVTest::kMessageOnControllerButtonDown:
      m.text = textAt(static_cast<std::uintptr_t>(lParam1)).value_or(L"");
      break;
    case TVTest::kMessageRegisterController: {
      ControllerReading reading = readController(reinterpret_cast<const void*>(lParam1));
      refusal = reading.refusal;
      if (refusal.empty()) controllers.push_back(std::move(reading.controller));
      answer = refusal.empty() && acceptControllers_ ? 1 : 0;
      break;
    }
  }
  sent.push_back(m);
  if (onMessage) onMessage(sent.back());
  return answer;
}

}  // namespace vexlo::test

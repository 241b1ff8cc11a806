#include "tests/plugin/fake_host.h"

namespace vexlo2::test {

namespace {

FakeHost* g_host = nullptr;

std::wstring Text(const wchar_t* text) { return text ? std::wstring(text) : std::wstring(); }

}  // namespace

FakeHost::FakeHost() {
  param_.HostCallback = Callback;
  param_.hwndApp = 0x1234;
  g_host = this;
}

FakeHost::~FakeHost() { g_host = nullptr; }

std::vector<std::uint32_t> FakeHost::Numbers() const {
  std::vector<std::uint32_t> numbers;
  for (const SentMessage& m : sent) numbers.push_back(m.message);
  return numbers;
}

TVTest::HostLParam TVT_STDCALL FakeHost::Callback(TVTest::HostParam* param, std::uint32_t message,
                                                  TVTest::HostLParam lParam1,
                                                  TVTest::HostLParam lParam2) {
  if (!g_host || param != &g_host->param_) return 0;  // a stale or foreign param
  return g_host->Handle(message, lParam1, lParam2);
}

TVTest::HostLParam FakeHost::Handle(std::uint32_t message, TVTest::HostLParam lParam1,
                                    TVTest::HostLParam lParam2) {
  SentMessage m{message, lParam1, lParam2, {}};
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
      m.text = Text(reinterpret_cast<const wchar_t*>(lParam1));
      break;
    case TVTest::kMessageRegisterController:
      controllers.push_back(CopyController(*reinterpret_cast<const TVTest::ControllerRecord*>(lParam1)));
      break;
  }
  sent.push_back(m);
  if (message == TVTest::kMessageRegisterController) return acceptControllers_ ? 1 : 0;
  return 0;
}

CopiedController CopyController(const TVTest::ControllerRecord& record) {
  CopiedController c{record, Text(record.pszName), Text(record.pszText),
                     Text(record.pszSectionName), {}};
  for (int i = 0; i < record.NumButtons && record.pButtonList; ++i) {
    const TVTest::ButtonDescriptor& b = record.pButtonList[i];
    c.buttons.push_back({Text(b.pszName), b.pszDefaultCommand != nullptr, Text(b.pszDefaultCommand),
                         b.ImageButtonRect, b.ImageSelButtonPos, b.Reserved});
  }
  return c;
}

}  // namespace vexlo2::test

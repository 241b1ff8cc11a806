#include "tests/plugin/fake_host.h"

namespace vexlo2::test {

namespace {

FakeHost* g_host = nullptr;

std::wstring Text(const wchar_t* text) { return text ? std::wstring(text) : std::wstring(); }

}  // namespace

FakeHost::FakeHost() : param_(reinterpret_cast<std::uintptr_t>(&Callback), 0x1234) { g_host = this; }

FakeHost::~FakeHost() { g_host = nullptr; }

std::vector<std::uint32_t> FakeHost::Numbers() const {
  std::vector<std::uint32_t> numbers;
  for (const SentMessage& m : sent) numbers.push_back(m.message);
  return numbers;
}

TVTest::HostLParam TVT_STDCALL FakeHost::Callback(TVTest::HostParam* param, std::uint32_t message,
                                                  TVTest::HostLParam lParam1,
                                                  TVTest::HostLParam lParam2) {
  if (!g_host || static_cast<void*>(param) != g_host->param_.data()) return 0;  // a stale or foreign param
  return g_host->Handle(message, lParam1, lParam2);
}

TVTest::HostLParam FakeHost::Handle(std::uint32_t message, TVTest::HostLParam lParam1,
                                    TVTest::HostLParam lParam2) {
  SentMessage m{message, lParam1, lParam2, {}};
  bool registered = false;
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
    case TVTest::kMessageRegisterController: {
      vexlo::test::host::ControllerReading reading =
          vexlo::test::host::ReadController(reinterpret_cast<const void*>(lParam1));
      refusal = reading.refusal;
      if (refusal.empty()) controllers.push_back(std::move(reading.controller));
      registered = refusal.empty() && acceptControllers_;
      break;
    }
  }
  sent.push_back(m);
  return registered ? 1 : 0;
}

}  // namespace vexlo2::test

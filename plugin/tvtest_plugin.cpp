#include "plugin/tvtest_plugin.h"

#include <new>

namespace TVTest {

namespace {

template <typename T>
HostLParam AsParam(T* pointer) {
  return reinterpret_cast<HostLParam>(pointer);
}

}  // namespace

HostLParam CTVTestApp::Send(std::uint32_t message, HostLParam lParam1, HostLParam lParam2) {
  return m_pParam->HostCallback(m_pParam, message, lParam1, lParam2);
}

bool CTVTestApp::RegisterController(const ControllerRecord& record) {
  return Send(kMessageRegisterController, AsParam(&record), 0) != 0;
}

void CTVTestApp::AddLog(const wchar_t* text) {
  Send(kMessageAddLog, AsParam(text), 0);
}

void CTVTestApp::SetEventCallback(EventCallbackFunc callback, void* clientData) {
  Send(kMessageSetEventCallback, reinterpret_cast<HostLParam>(callback), AsParam(clientData));
}

void CTVTestApp::SetWindowMessageCallback(WindowMessageCallbackFunc callback, void* clientData) {
  Send(kMessageSetWindowMessageCallback, reinterpret_cast<HostLParam>(callback),
       AsParam(clientData));
}

void CTVTestApp::OnControllerButtonDown(const wchar_t* controllerName, int buttonIndex) {
  Send(kMessageOnControllerButtonDown, AsParam(controllerName), buttonIndex);
}

bool CTVTestPlugin::SetHostParam(HostParam* param) {
  m_pPluginParam = param;
  delete m_pApp;
  m_pApp = param ? new (std::nothrow) CTVTestApp(param) : nullptr;
  return m_pApp != nullptr;
}

}  // namespace TVTest

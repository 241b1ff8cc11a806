#pragma once
// The plugin base and the host wrapper, shaped as the TVTest host expects a
// plugin object to be: the library keeps one object, the exports forward to
// its virtual operations, and every host message goes through the wrapper.

#include "plugin/tvtest_host.h"

namespace TVTest {

// Wraps the host's parameter record; all host messages are sent from here.
class CTVTestApp {
 public:
  explicit CTVTestApp(HostParam* param) : m_pParam(param) {}
  virtual ~CTVTestApp() = default;

  bool RegisterController(const ControllerRecord& record);
  void AddLog(const wchar_t* text);
  void SetEventCallback(EventCallbackFunc callback, void* clientData);
  void SetWindowMessageCallback(WindowMessageCallbackFunc callback, void* clientData);
  void OnControllerButtonDown(const wchar_t* controllerName, int buttonIndex);
  HostWindow GetAppWindow() const { return m_pParam->hwndApp; }

 private:
  HostLParam Send(std::uint32_t message, HostLParam lParam1, HostLParam lParam2);

  HostParam* m_pParam;
};

class CTVTestPlugin {
 public:
  CTVTestPlugin() = default;
  CTVTestPlugin(const CTVTestPlugin&) = delete;
  CTVTestPlugin& operator=(const CTVTestPlugin&) = delete;

  virtual ~CTVTestPlugin() { delete m_pApp; }
  virtual std::uint32_t GetVersion() { return kInterfaceVersion; }
  virtual bool GetPluginInfo(PluginInfo* info) = 0;
  virtual bool Initialize() { return true; }
  virtual bool Finalize() { return true; }

  // Keeps the host's record and wraps it. False when there is no way to
  // reach the host (no record, or the wrapper could not be allocated).
  bool SetHostParam(HostParam* param);

  CTVTestApp* App() const { return m_pApp; }

 protected:
  HostParam* m_pPluginParam = nullptr;
  CTVTestApp* m_pApp = nullptr;
};

}  // namespace TVTest

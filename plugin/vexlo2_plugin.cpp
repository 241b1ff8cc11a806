// Plugin information and controller registration.
#include "plugin/vexlo2_plugin.h"

#include "plugin/button_table.h"
#include "plugin/resource_ids.h"

using namespace TVTest;

bool Vexlo2::GetPluginInfo(PluginInfo* info) {
  info->Type = 0;
  info->Flags = 0;
  info->pszPluginName = L"Vexlo2";
  info->pszCopyright = L"Copyright (C) Vexlo developers";
  info->pszDescription = L"GV-RCKIT3(Vexlo2)でTVTestを操作します。";
  return true;
}

bool Vexlo2::Initialize() {
  // The host copies what it needs while handling the registration, so the
  // descriptors and the record only have to outlive that one call.
  ButtonDescriptor buttons[vexlo2::kButtonCount];
  for (int i = 0; i < vexlo2::kButtonCount; ++i) buttons[i] = vexlo2::kButtonTable[i].descriptor;

  ControllerRecord record{};
  record.Size = sizeof(record);
  record.Flags = 0;
  record.pszName = vexlo2::kControllerName;
  record.pszText = vexlo2::kControllerText;
  record.NumButtons = vexlo2::kButtonCount;
  record.pButtonList = buttons;
  record.pszIniFileName = nullptr;
  record.pszSectionName = vexlo2::kIniSectionName;
  record.ControllerImageId = IDB_CONTROLLER;
  record.SelButtonsImageId = IDB_SELBUTTONS;
  record.pTranslateMessage = nullptr;
  record.pClientData = this;

  if (!m_pApp->RegisterController(record)) {
    m_pApp->AddLog(vexlo2::kRegisterFailedLog);
    return false;
  }
  m_pApp->SetEventCallback(EventCallback, this);
  return true;
}

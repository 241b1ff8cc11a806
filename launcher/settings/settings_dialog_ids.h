#pragma once
// Resource and control ids of the settings dialog, shared by its template
// and its procedure. Plain macros so that the resource compiler reads them.

#define IDD_SETTINGS 1000

#define IDC_VIEWER_PATH 1000
#define IDC_VIEWER_OPTIONS 1002
#define IDC_DIALOG_EXPAND 1003
#define IDC_DIALOG_WIDTH 1004
#define IDC_IGNORE_CURSOR 1005
#define IDC_MODE_HDUS 1006
#define IDC_SWITCH_BY_ONAIR 1007
#define IDC_MODE_DIRECT 40001
#define IDC_MODE_FOREGROUND 40002
#define IDC_POWER_ON_LAUNCH 40003
#define IDC_BROWSE 40004
#define IDC_DIALOG_HEIGHT 40005

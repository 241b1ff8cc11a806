#pragma once
// Resource and command ids of the launcher, shared by its resource script
// and its code. Plain macros so that the resource compiler reads them.

#define IDS_WINDOW_CLASS 109
#define IDS_WINDOW_TITLE 40000

#define IDI_VEXLO 107
#define IDI_SMALL 108
#define IDI_LARGE 115

#define IDC_VEXLO 109  // accelerators and menu

#define IDD_ABOUTBOX 103
#define IDC_ABOUT_SECOND_LINE 1010

#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_LOCKON 114
#define IDM_SETTINGS 40000

// Resource and control identifiers of the program.
#pragma once

// Dialog templates, pictures and strings.
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_LAUNCHER 102
#define IDR_MAINFRAME 128
#define IDD_AUX_POWER 129
#define IDB_ACCUMULATOR 132
#define IDD_SHOCK_A 133
#define IDD_PULSE_A 134
#define IDD_SHOCK_B 136
#define IDD_PULSE_B 137
#define IDD_PULSE_C 138
#define IDD_PULSE_D 139
#define IDD_SHOCK_C 140

// System menu command of the about box.
#define IDM_ABOUTBOX 0x0010

// Launcher controls.
#define IDC_AUX_POWER 1000
#define IDC_SHOCK_A 1001
#define IDC_PULSE_A 1002
#define IDC_SHOCK_B 1003
#define IDC_PULSE_B 1004
#define IDC_PULSE_C 1005
#define IDC_PULSE_D 1006
#define IDC_EMAIL 1007
#define IDC_WEB_LINK 1008
#define IDC_SHOCK_C 1009

// Every calculator's "计算" button.
#define IDC_CALCULATE 1000

// Auxiliary power calculator.
#define IDC_AUX_DELTA_V 1001
#define IDC_AUX_N 1002
#define IDC_AUX_P0 1003
#define IDC_AUX_P1 1004
#define IDC_AUX_P2 1005
#define IDC_AUX_RESULT 1006

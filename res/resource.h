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

// Every calculator's notes under its result: the heading and the read-only text.
#define IDC_NOTES_HEADING 1100
#define IDC_NOTES 1101
// Under the notes: the calculation sheet copied as text, and saved as a page.
#define IDC_COPY_SHEET 1102
#define IDC_SAVE_SHEET 1103
// The calculators with a gas law: the temperature row above the notes, in °C by default.
#define IDC_FILL_TEMPERATURE 1104
#define IDC_LOWEST_TEMPERATURE 1105
#define IDC_HIGHEST_TEMPERATURE 1106
// Under the notes, before "复制": a saved sheet opened again.
#define IDC_OPEN_SHEET 1107
// The auxiliary power calculator, under the temperature row: the discharge time and the gas's
// thermal time constant, in s by default, both optional.
#define IDC_DISCHARGE_TIME 1108
#define IDC_THERMAL_TAU 1109

// Auxiliary power calculator.
#define IDC_AUX_DELTA_V 1001
#define IDC_AUX_N 1002
#define IDC_AUX_P0 1003
#define IDC_AUX_P1 1004
#define IDC_AUX_P2 1005
#define IDC_AUX_RESULT 1006

// Shock absorption calculator A.
#define IDC_SHOCKA_RHO 1001
#define IDC_SHOCKA_A 1003
#define IDC_SHOCKA_L 1004
#define IDC_SHOCKA_V 1005
#define IDC_SHOCKA_P0 1006
#define IDC_SHOCKA_P2 1007
#define IDC_SHOCKA_RESULT 1009

// Shock absorption calculator B.
#define IDC_SHOCKB_Q 1001
#define IDC_SHOCKB_P1 1002
#define IDC_SHOCKB_P2 1003
#define IDC_SHOCKB_L 1004
#define IDC_SHOCKB_T 1005
#define IDC_SHOCKB_RESULT 1012

// Shock absorption calculator C.
#define IDC_SHOCKC_Q 1001
#define IDC_SHOCKC_L 1002
#define IDC_SHOCKC_D 1003
#define IDC_SHOCKC_P1 1004
#define IDC_SHOCKC_P2 1005
#define IDC_SHOCKC_P0 1006
#define IDC_SHOCKC_T 1007
#define IDC_SHOCKC_RHO 1008
#define IDC_SHOCKC_RESULT 1017

// Pulsation calculator A.
#define IDC_PULSEA_A 1001
#define IDC_PULSEA_L 1002
#define IDC_PULSEA_K 1003
#define IDC_PULSEA_P1 1005
#define IDC_PULSEA_P2 1006
#define IDC_PULSEA_P0 1007
#define IDC_PULSEA_RESULT 1011

// Pulsation calculator B.
#define IDC_PULSEB_VP 1001
#define IDC_PULSEB_P1 1002
#define IDC_PULSEB_P2 1003
#define IDC_PULSEB_K 1004
#define IDC_PULSEB_RESULT 1013

// Pulsation calculator C.
#define IDC_PULSEC_DELTA_V 1001
#define IDC_PULSEC_P1 1002
#define IDC_PULSEC_P2 1003
#define IDC_PULSEC_RESULT 1014

// Pulsation calculator D.
#define IDC_PULSED_VP 1001
#define IDC_PULSED_DELTA_V 1002
#define IDC_PULSED_PP 1003
#define IDC_PULSED_DELTA_P 1004
#define IDC_PULSED_RESULT 1015

// The program's own window messages, each with one meaning.
// To a calculator that opens while a sheet waits for it: open that sheet.
#define WM_OPEN_WAITING_SHEET (WM_APP + 0x22)
// To the launcher once it is shown: open the sheet named on the command line.
#define WM_OPEN_START_SHEET (WM_APP + 0x23)

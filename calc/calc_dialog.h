// What all calculator dialogs share after their formula has run.
#pragma once

#include "calc/calc_sheet.h"
#include "framework/framework.h"
#include "sizing/methods.h"

// The entries of a calculator's message map for its sheet: its buttons "复制", "计算书…" and
// "打开…", the sheet that waits for it, and the end of its window, whose own handling follows.
// clang-format off
#define ON_CALC_SHEET() \
    {WM_COMMAND, BN_CLICKED, AfxId(IDC_COPY_SHEET), AfxId(IDC_SAVE_SHEET), AFX_HANDLER(SheetButton(self->m_hWnd, LOWORD(wParam)); return 0;)}, \
    {WM_COMMAND, BN_CLICKED, AfxId(IDC_OPEN_SHEET), AfxId(IDC_OPEN_SHEET), AFX_HANDLER(SheetButton(self->m_hWnd, LOWORD(wParam)); return 0;)}, \
    {WM_OPEN_WAITING_SHEET, 0, 0, 0, AFX_HANDLER(OpenWaitingSheet(self->m_hWnd); return 0;)}, \
    {WM_NCDESTROY, 0, 0, 0, AFX_HANDLER(ForgetSheet(self->m_hWnd); return self->Default();)},
// clang-format on

// Calculates method over values (its inputs in binding order), whose formula gave volume, and
// shows the calculation: its volume as the result sentence in static resultId of dialog, its
// notes in the dialog's notes edit; the sheet buttons then work on this calculation. When volume is
// no usable volume, shows InvalidInputMessage in a message box owned by the dialog instead; the
// static, the notes and the sheet then keep what they showed.
void ShowVolume(CWnd& dialog, int resultId, sizing::MethodId method, const double* values,
                double volume);

// Exchanges edit id with value, which holds input of a method: the edit also takes a number
// followed by a unit of the input's kind, converted into the input's unit. The text as typed
// goes into the sheet of the next shown volume; a sheet opened in the dialog fills the edit.
void DDX_Text(CDataExchange* dx, int id, double& value, const sizing::Input& input);

// Exchanges the temperature row of a calculator with a gas law: at first each edit shows 20;
// when read, each takes a temperature with its unit (°C by default), and a text that is no
// temperature, one outside the range taken, or a lowest above the highest is told, with the
// focus on its edit, and stops the exchange. The temperatures read go into the next
// calculation the dialog keeps.
void DDX_Temperatures(CDataExchange* dx);

// Exchanges the discharge row of the auxiliary power calculator, after its temperature row: at
// first both edits are empty; when read, an empty edit gives none (the formula's n decides, and
// the time constant is estimated), and a text that is no time (s by default, min, h) or a time
// not above zero is told, with the focus on its edit, and stops the exchange. The times read go
// into the next calculation the dialog keeps.
void DDX_Discharge(CDataExchange* dx);

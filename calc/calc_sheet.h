// The calculation sheet of a calculator: each dialog keeps the calculation whose volume it
// shows, and its buttons "复制" and "计算书…" copy that sheet to the clipboard as text, or save it
// as a page and open it in the browser; "打开…" opens a saved sheet again.
#pragma once

#include "res/resource.h"
#include "sizing/sheet.h"
#include "sizing/sheet_data.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// The temperature row of the calculators with a gas law: filling, lowest, highest.
constexpr int kTemperatureEdits[3] = {IDC_FILL_TEMPERATURE, IDC_LOWEST_TEMPERATURE,
                                      IDC_HIGHEST_TEMPERATURE};

// The discharge row of the calculators whose oil is delivered when called (aux): the discharge
// time and the gas's thermal time constant.
constexpr int kDischargeEdits[2] = {IDC_DISCHARGE_TIME, IDC_THERMAL_TAU};

// What DoModal of a calculator answers when a sheet of another method was opened in it: the
// calculator has closed, and the sheet waits for the next calculator (WaitingSheetMethod).
constexpr int kOpenOtherCalculator = 0x5EE7;

// Keeps id as the edit of input in dialog: a sheet opened there fills it.
void KeepEdit(HWND dialog, const sizing::Input& input, int id);

// Keeps typed (UTF-8), the text of input in dialog, for the next calculation it keeps.
void KeepTypedText(HWND dialog, const sizing::Input& input, std::string_view typed);

// Keeps conditions, read from dialog, for the next calculation it keeps.
void KeepConditions(HWND dialog, const sizing::Conditions& conditions);
// Keeps the discharge of conditions (the time, the time constant and their texts), read from
// dialog after its other conditions, for the next calculation it keeps.
void KeepDischarge(HWND dialog, const sizing::Conditions& conditions);

// The calculation of method over values (binding order), whose formula gave volume, with the
// texts and conditions kept for dialog: from now on dialog's sheet buttons work on it, and they
// are enabled.
const sizing::Calculation& KeepCalculation(HWND dialog, const sizing::Method& method,
                                           const double* values, double volume);

// The sheet in the file at path; when it cannot be read, a message owned by owner names the
// file and the reason, and the answer is nothing.
std::optional<sizing::SavedSheet> LoadSheet(HWND owner, const std::wstring& path);

// Hands sheet to the next calculator that opens: once shown, it fills its edits with the
// sheet's texts and calculates as "计算" does. Nothing: no sheet waits.
void OpenInNextCalculator(std::optional<sizing::SavedSheet> sheet);

// The method of the sheet that waits for the next calculator; null when none waits.
const sizing::Method* WaitingSheetMethod();

// What the window procedure of a calculator does for its sheet (ON_CALC_SHEET): a click on
// button id of dialog ("复制", "计算书…" or "打开…"), the sheet that waits for it, and the end
// of its window, with which its sheet goes.
void SheetButton(HWND dialog, int id);
void OpenWaitingSheet(HWND dialog);
void ForgetSheet(HWND dialog);

// The calculation sheet of a calculator: each dialog keeps the calculation whose volume it
// shows, and its buttons "复制" and "计算书…" copy that sheet to the clipboard as text, or save it
// as a page and open it in the browser.
#pragma once

#include "sizing/sheet.h"

#include <windows.h>

#include <string_view>

// Keeps typed (UTF-8), the text of input in dialog, for the next calculation it keeps.
void KeepTypedText(HWND dialog, const sizing::Input& input, std::string_view typed);

// Keeps conditions, read from dialog, for the next calculation it keeps.
void KeepConditions(HWND dialog, const sizing::Conditions& conditions);

// The calculation of method over values (binding order) with the texts and conditions kept for
// dialog: from now on dialog's sheet buttons work on it, and they are enabled.
const sizing::Calculation& KeepCalculation(HWND dialog, const sizing::Method& method,
                                           const double* values);

// What all calculator dialogs share after their formula has run.
#pragma once

#include "framework/framework.h"
#include "sizing/methods.h"

// Shows volume as the result sentence in static resultId of dialog, or, when it is no usable
// volume, InvalidInputMessage in a message box owned by the dialog; the static then keeps
// what it showed.
void ShowVolume(CWnd& dialog, int resultId, double volume);

// Exchanges edit id with value, which holds input of a method: the edit also takes a number
// followed by a unit of the input's kind, converted into the input's unit.
void DDX_Text(CDataExchange* dx, int id, double& value, const sizing::Input& input);

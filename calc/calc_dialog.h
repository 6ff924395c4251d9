// What all calculator dialogs share after their formula has run.
#pragma once

#include "framework/framework.h"

// Shows volume as the result sentence in static resultId of dialog, or, when it is no usable
// volume, InvalidInputMessage in a message box owned by the dialog; the static then keeps
// what it showed.
void ShowVolume(CWnd& dialog, int resultId, double volume);

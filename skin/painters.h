// The painters of the skinned look, one per SkinKind. Each reads the node's hwnd and state,
// draws over the control's whole window rectangle and keeps nothing.
#pragma once

#include "skin/skin_types.h"

void PaintPushButton(SkinnedControl* node);
void PaintCheckBox(SkinnedControl* node);
void PaintRadioButton(SkinnedControl* node);
void PaintEditFrame(SkinnedControl* node);
void PaintComboBox(SkinnedControl* node);

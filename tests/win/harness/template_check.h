// Checks the controls of a dialog, as created, against its template.
#pragma once

#include <windows.h>

#include <vector>

struct TemplateControl {
    int id;
    const char* className; // "Button", "Edit", "Static"
    const char* text;      // null: the text is not checked
    DWORD style;           // without WS_CHILD and WS_VISIBLE
    int x, y, w, h;        // dialog units; w 0: the size is the control's own (a picture)
};

// The last controls of every calculator, under its result, for a dialog width wide: the
// heading of the notes (1100) at y; for a method with a gas law, the row of the filling, lowest
// and highest temperature (1104 to 1106, each "20" at start); for aux (discharge), under it the
// row of the discharge time and the thermal time constant (1108, 1109, empty at start); the
// notes edit (1101), empty at start; under it, right-aligned, the buttons "打开…" (1107),
// enabled, and "复制" (1102) and "计算书…" (1103), disabled at start. The template's other
// controls come first.
std::vector<TemplateControl> WithNotes(std::vector<TemplateControl> controls, int y, int width,
                                       bool temperatures, bool discharge = false);

// The children of dialog in creation order (which is the tab order) must be exactly these:
// IDs, classes, texts, styles and positions mapped through the dialog's units.
void ExpectControls(HWND dialog, const std::vector<TemplateControl>& controls);

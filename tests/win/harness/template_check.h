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

// The last controls of every calculator: the heading of the notes (1100) and the notes edit
// (1101), at x 7, empty at start; under them the buttons "复制" (1102) and "计算书…" (1103),
// disabled at start.
TemplateControl NotesHeading(int y);
TemplateControl NotesEdit(int y, int w);
TemplateControl CopySheetButton(int x, int y);
TemplateControl SaveSheetButton(int x, int y);

// The children of dialog in creation order (which is the tab order) must be exactly these:
// IDs, classes, texts, styles and positions mapped through the dialog's units.
void ExpectControls(HWND dialog, const std::vector<TemplateControl>& controls);

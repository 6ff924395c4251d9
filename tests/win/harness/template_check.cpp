#include "template_check.h"

#include "harness.h"

#include "res/resource.h"

#include <gtest/gtest.h>

TemplateControl NotesHeading(int y) {
    return {IDC_NOTES_HEADING, "Static", "选型与校核", SS_LEFT | WS_GROUP, 7, y, 60, 10};
}

TemplateControl NotesEdit(int y, int w) {
    return {IDC_NOTES, "Edit", "", ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
            7,         y,      w,  36};
}

TemplateControl CopySheetButton(int x, int y) {
    return {
        IDC_COPY_SHEET, "Button", "复制", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, x, y, 50, 14};
}

TemplateControl SaveSheetButton(int x, int y) {
    return {IDC_SAVE_SHEET,
            "Button",
            "计算书…",
            BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED,
            x,
            y,
            50,
            14};
}

void ExpectControls(HWND dialog, const std::vector<TemplateControl>& controls) {
    HWND child = ::GetWindow(dialog, GW_CHILD);
    for (size_t i = 0; i < controls.size(); ++i) {
        const TemplateControl& c = controls[i];
        SCOPED_TRACE(testing::Message() << "control #" << i + 1 << " id " << c.id);
        ASSERT_NE(child, nullptr) << "missing";
        // A DIALOG template holds 16-bit IDs, so -1 reads back as 0xFFFF there.
        EXPECT_EQ(static_cast<WORD>(::GetDlgCtrlID(child)), static_cast<WORD>(c.id));
        char className[64] = {};
        ::GetClassNameA(child, className, sizeof className);
        EXPECT_STREQ(className, c.className);
        if (c.text != nullptr) {
            EXPECT_EQ(WindowText(child), c.text);
        }
        DWORD style = static_cast<DWORD>(::GetWindowLongA(child, GWL_STYLE));
        // An edit turns its WS_BORDER into the sunken client edge when it is created.
        if (lstrcmpA(className, "Edit") == 0 &&
            (::GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) {
            style |= WS_BORDER;
        }
        EXPECT_EQ(style & ~(WS_CHILD | WS_VISIBLE), c.style)
            << std::hex << style << " expected " << c.style;
        EXPECT_TRUE(style & WS_CHILD);
        // The dialog manager maps the position and the size each on its own.
        RECT position{c.x, c.y, c.w, c.h};
        ::MapDialogRect(dialog, &position);
        RECT actual;
        ::GetWindowRect(child, &actual);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, position.left);
        EXPECT_EQ(actual.top, position.top);
        if (c.w != 0) {
            EXPECT_EQ(actual.right - actual.left, position.right);
            EXPECT_EQ(actual.bottom - actual.top, position.bottom);
        }
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "more controls than the template has";
}

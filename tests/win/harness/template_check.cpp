#include "template_check.h"

#include "harness.h"

#include "res/resource.h"

#include <gtest/gtest.h>

std::vector<TemplateControl> WithNotes(std::vector<TemplateControl> controls, int y, int width,
                                       bool temperatures, bool discharge) {
    const DWORD label = SS_LEFT | WS_GROUP;
    const DWORD right = SS_RIGHT | WS_GROUP;
    const DWORD edit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
    const DWORD open = BS_PUSHBUTTON | WS_TABSTOP;
    const DWORD button = open | WS_DISABLED;
    controls.push_back({IDC_NOTES_HEADING, "Static", "选型与校核", label, 7, y, 60, 10});
    int notes = y + 11;
    if (temperatures) {
        const int row = y + 11;
        controls.insert(controls.end(),
                        {{-1, "Static", "充气温度", label, 7, row + 2, 34, 10},
                         {IDC_FILL_TEMPERATURE, "Edit", "20", edit, 41, row, 36, 14},
                         {-1, "Static", "最低工作温度", right, 81, row + 2, 50, 10},
                         {IDC_LOWEST_TEMPERATURE, "Edit", "20", edit, 133, row, 36, 14},
                         {-1, "Static", "最高工作温度", right, 173, row + 2, 50, 10},
                         {IDC_HIGHEST_TEMPERATURE, "Edit", "20", edit, 225, row, 36, 14},
                         {-1, "Static", "°C", label, 263, row + 2, 12, 10}});
        notes = row + 18;
    }
    if (discharge) {
        const int row = notes - 2;
        controls.insert(controls.end(), {{-1, "Static", "放油时间", label, 7, row + 2, 34, 10},
                                         {IDC_DISCHARGE_TIME, "Edit", "", edit, 41, row, 36, 14},
                                         {-1, "Static", "热时间常数", right, 81, row + 2, 50, 10},
                                         {IDC_THERMAL_TAU, "Edit", "", edit, 133, row, 36, 14},
                                         {-1, "Static", "s；热时间常数不填则按自然对流估计", label,
                                          173, row + 2, 160, 10}});
        notes = row + 18;
    }
    const int buttons = notes + 100;
    controls.insert(
        controls.end(),
        {{IDC_NOTES, "Edit", "", ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
          7, notes, width - 14, 96},
         {IDC_OPEN_SHEET, "Button", "打开…", open, width - 165, buttons, 50, 14},
         {IDC_COPY_SHEET, "Button", "复制", button, width - 111, buttons, 50, 14},
         {IDC_SAVE_SHEET, "Button", "计算书…", button, width - 57, buttons, 50, 14}});
    return controls;
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

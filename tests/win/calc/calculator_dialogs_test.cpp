// The shock absorption and pulsation damping calculators, built from their templates and
// driven the way the user drives them: typing into the edits and clicking "计算".
#include "win/harness/harness.h"
#include "win/harness/template_check.h"

#include "calc/pulse_dlg.h"
#include "calc/shock_dlg.h"
#include "res/maker.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kInvalidInput = "输入的参数有误，请重新输入！";
const char* const kResultLead = "根据您的参数计算出蓄能器所需容积为：";
const char* const kFooter = "计算结果小于1升时，如选用1升的蓄能器，能延长整个系统使用寿命。";

// Control styles as the templates give them.
const DWORD kLabel = SS_CENTER | SS_CENTERIMAGE | WS_GROUP;
const DWORD kHint = SS_LEFT | WS_GROUP;
const DWORD kCentredHint = SS_LEFT | SS_CENTERIMAGE | WS_GROUP;
const DWORD kEdit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
const DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
const DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;

struct Typed {
    int id;
    const char* text;
};

struct DialogCase {
    const char* name;
    std::unique_ptr<CDialog> (*make)();
    const char* caption;
    int cx, cy; // client size in dialog units
    int resultId;
    std::vector<TemplateControl> controls; // in template order
    std::vector<Typed> worked;             // a worked example, in binding order...
    const char* shown;                     // ...and the number it shows
    std::vector<Typed> failing;            // inputs without a volume, typed after the example
};

TemplateControl Label(const char* text, int x, int y, int cx, int cy) {
    return {-1, "Static", text, kLabel, x, y, cx, cy};
}
TemplateControl Hint(const char* text, int x, int y, int cx, int cy) {
    return {-1, "Static", text, kHint, x, y, cx, cy};
}
TemplateControl CentredHint(const char* text, int x, int y, int cx, int cy) {
    return {-1, "Static", text, kCentredHint, x, y, cx, cy};
}
// Every member starts at 0.
TemplateControl Edit(int id, int x, int y, int cx, int cy) {
    return {id, "Edit", "0", kEdit, x, y, cx, cy};
}
TemplateControl Result(int id, int x, int y, int cx, int cy) {
    return {id, "Static", "", SS_LEFT | WS_GROUP, x, y, cx, cy};
}
TemplateControl Calculate(int x, int y, int cx, int cy) {
    return {IDC_CALCULATE, "Button", "计算", kButton, x, y, cx, cy};
}

template <typename Dialog> std::unique_ptr<CDialog> Make() {
    return std::make_unique<Dialog>();
}

const char* const kShockCaption = "吸收管道突然关闭等造成的液压冲击、水锤";
const char* const kNonPlungerCaption = "吸收非柱塞泵造成的脉动，消减噪音和振动";
const char* const kPumpCoefficients =
    "（泵类型系数，单柱塞单作用 0.60，单柱塞双作用 0.25，双柱塞单作用 0.25，双柱塞双作用 "
    "0.15，三柱塞单作用 0.13，三柱塞双作用 0.06）";

const std::vector<DialogCase>& Dialogs() {
    static const std::vector<DialogCase> dialogs = {
        {"ShockA",
         &Make<CShockADlg>,
         kShockCaption,
         316,
         334,
         1009,
         WithNotes(
             {
                 Label("ρ", 15, 7, 16, 16),
                 Label("A", 15, 27, 16, 16),
                 Label("l", 15, 47, 16, 16),
                 Label("v", 15, 67, 16, 16),
                 Label("P0", 15, 87, 16, 16),
                 Label("P2", 15, 107, 16, 16),
                 Edit(1001, 37, 7, 50, 16),
                 Edit(1003, 37, 27, 50, 16),
                 Edit(1004, 37, 47, 50, 16),
                 Edit(1005, 37, 67, 50, 16),
                 Edit(1006, 37, 87, 50, 16),
                 Edit(1007, 37, 107, 50, 16),
                 CentredHint("（油液的密度比重，Kg/升）", 95, 7, 98, 11),
                 CentredHint("（管道截面积，m2）", 95, 29, 98, 11),
                 CentredHint("（管道的长度，m）", 96, 48, 98, 11),
                 CentredHint("（管道中油液的流速，m/s）", 97, 70, 98, 11),
                 CentredHint("（充气压力，系统平均压力的0.9倍，Mpa）", 97, 89, 159, 11),
                 CentredHint("（所能承受的最高冲击压力，Mpa）", 97, 110, 134, 11),
                 CentredHint("计算结果： （公称容积）", 7, 131, 107, 11),
                 Result(1009, 7, 143, 233, 37),
                 Calculate(246, 149, 54, 16),
             },
             184, 316, true),
         {{1001, "0.9"}, {1003, "0.01"}, {1004, "200"}, {1005, "4"}, {1006, "9"}, {1007, "12"}},
         "7.46",
         {{1006, "12"}, {1007, "9"}}},
        {"PulseA",
         &Make<CPulseADlg>,
         "蓄能器用作吸收液压泵压力脉动",
         379,
         385,
         1011,
         WithNotes(
             {
                 Label("A", 13, 15, 23, 14),
                 Label("L", 13, 34, 23, 14),
                 Label("P1", 13, 73, 23, 14),
                 Label("P2", 13, 92, 23, 14),
                 Label("P0", 13, 111, 23, 14),
                 Label("k", 13, 53, 23, 14),
                 Edit(1001, 43, 15, 50, 16),
                 Edit(1002, 43, 34, 50, 16),
                 Edit(1003, 43, 53, 50, 16),
                 Edit(1005, 43, 73, 50, 16),
                 Edit(1006, 43, 92, 50, 16),
                 Edit(1007, 43, 111, 50, 16),
                 Hint("（柱塞的有效面积，m2）", 94, 18, 149, 13),
                 Hint("（柱塞行程，m ）", 94, 36, 98, 13),
                 Hint(kPumpCoefficients, 94, 53, 278, 20),
                 Hint("（工作循环中最低工作压力，Pa）", 94, 77, 135, 11),
                 Hint("（工作循环中最高工作压力，Pa）", 94, 95, 135, 12),
                 Hint("（充气压力，泵出口平均压力的0.6~0.75倍，或0.8 *P1）", 94, 114, 216, 14),
                 Hint("计算结果： （公称容积）", 7, 131, 297, 11),
                 Calculate(287, 185, 59, 16),
                 Result(1011, 7, 141, 275, 39),
                 Hint(kFooter, 7, 210, 248, 10),
                 Hint(MAKER_BRAND_LINE, 7, 221, 307, 10),
             },
             235, 379, true),
         {{1001, "0.001"}, {1002, "0.05"}, {1003, "0.6"}, {1005, "10"}, {1006, "12"}, {1007, "8"}},
         "0.29",
         {{1005, "12"}, {1006, "10"}}},
        {"ShockB",
         &Make<CShockBDlg>,
         kShockCaption,
         289,
         307,
         1012,
         WithNotes(
             {
                 Label("Q", 15, 13, 17, 15),
                 Label("P1", 15, 32, 17, 15),
                 Label("P2", 15, 51, 17, 15),
                 Label("L", 15, 70, 17, 15),
                 Label("t", 15, 89, 17, 15),
                 Edit(1001, 33, 14, 56, 14),
                 Edit(1002, 33, 33, 56, 14),
                 Edit(1003, 33, 52, 56, 14),
                 Edit(1004, 33, 71, 56, 14),
                 Edit(1005, 33, 90, 56, 14),
                 Hint("阀口关闭前管内流量，L/min", 94, 18, 106, 10),
                 Hint("阀口关闭前管内平均压力，Mpa", 94, 37, 122, 10),
                 Hint("允许的最大冲击力，Mpa", 94, 56, 122, 10),
                 Hint("油源到阀口的管道长度，m", 94, 75, 132, 10),
                 Hint("阀口关闭的时间，突然关闭时取t=0", 94, 94, 143, 10),
                 Hint("计算结果：（公称容积）", 7, 113, 91, 14),
                 Result(1012, 7, 125, 258, 26),
                 Calculate(223, 153, 53, 18),
             },
             175, 289, false),
         {{1001, "100"}, {1002, "10"}, {1003, "14"}, {1004, "50"}, {1005, "0.5"}},
         "0.45",
         {{1005, "1"}}},
        {"PulseB",
         &Make<CPulseBDlg>,
         "吸收柱塞泵造成的脉动，消减噪音和振动",
         320,
         340,
         1013,
         WithNotes(
             {
                 Label("Vp", 16, 13, 19, 16),
                 Label("P1", 16, 32, 19, 16),
                 Label("P2", 16, 51, 19, 16),
                 Label("k", 16, 70, 19, 16),
                 Edit(1001, 37, 13, 55, 16),
                 Edit(1002, 37, 32, 55, 16),
                 Edit(1003, 37, 51, 55, 16),
                 Edit(1004, 37, 70, 55, 16),
                 Hint("柱塞泵的单缸排量，L", 103, 13, 100, 13),
                 Hint("工作循环中最低工作压力，Mpa", 103, 33, 124, 14),
                 Hint("工作循环中最高工作压力，Mpa", 103, 55, 150, 12),
                 Hint(kPumpCoefficients, 103, 69, 209, 28),
                 Hint("计算结果：（公称容积）", 7, 95, 148, 10),
                 Result(1013, 7, 105, 238, 36),
                 Calculate(252, 141, 53, 19),
                 Hint(kFooter, 7, 164, 251, 10),
                 Hint(MAKER_BRAND_LINE, 7, 176, 269, 10),
             },
             190, 320, true),
         {{1001, "0.1"}, {1002, "10"}, {1003, "12"}, {1004, "0.6"}},
         "1.07",
         {{1004, "0"}}},
        {"PulseC",
         &Make<CPulseCDlg>,
         kNonPlungerCaption,
         323,
         338,
         1014,
         WithNotes(
             {
                 Label("△V", 15, 7, 25, 18),
                 Label("P1", 15, 30, 25, 18),
                 Label("P2", 15, 53, 25, 18),
                 Edit(1001, 45, 7, 57, 18),
                 Edit(1002, 45, 30, 57, 18),
                 Edit(1003, 45, 53, 57, 18),
                 Hint("每个循环波幅超过平均值的过剩排出量，L", 107, 13, 171, 12),
                 Hint("工作循环中最低工作压力，Mpa", 107, 31, 143, 13),
                 Hint("工作循环中最高工作压力，Mpa", 107, 57, 137, 11),
                 Hint("计算结果：（公称容积）", 7, 75, 174, 10),
                 Result(1014, 7, 85, 240, 51),
                 Calculate(251, 131, 55, 21),
                 Hint(kFooter, 7, 161, 249, 10),
                 Hint(MAKER_BRAND_LINE, 7, 174, 266, 10),
             },
             188, 323, true),
         {{1001, "1"}, {1002, "8"}, {1003, "10"}},
         "6.79",
         {{1002, "12"}, {1003, "10"}}},
        {"PulseD",
         &Make<CPulseDDlg>,
         kNonPlungerCaption,
         306,
         319,
         1015,
         WithNotes(
             {
                 Label("Vp", 17, 13, 23, 15),
                 Label("△V", 17, 31, 24, 15),
                 Label("Pp", 17, 49, 24, 15),
                 Label("△P", 17, 67, 24, 15),
                 Edit(1001, 49, 13, 56, 15),
                 Edit(1002, 49, 31, 56, 15),
                 Edit(1003, 49, 49, 56, 15),
                 Edit(1004, 49, 67, 56, 15),
                 Hint("液压泵的排量，L/r", 109, 17, 126, 12),
                 Hint("排量内波幅超过平均值的过剩排出量，L", 109, 35, 157, 12),
                 Hint("泵输出的平均压力，Mpa", 109, 52, 126, 10),
                 Hint("压力脉动单侧振幅，Mpa", 109, 71, 130, 12),
                 Hint("计算结果：（公称容积）", 7, 86, 114, 9),
                 Result(1015, 7, 95, 223, 48),
                 Calculate(236, 131, 56, 20),
                 Hint(kFooter, 7, 162, 259, 10),
                 Hint(MAKER_BRAND_LINE, 7, 173, 259, 10),
             },
             187, 306, false),
         {{1001, "2"}, {1002, "0.05"}, {1003, "10"}, {1004, "0.5"}},
         "1.67",
         {{1004, "0"}}},
        {"ShockC",
         &Make<CShockCDlg>,
         kShockCaption,
         316,
         384,
         1017,
         WithNotes(
             {
                 Label("Q", 13, 7, 14, 16),
                 Label("L", 13, 25, 14, 16),
                 Label("d", 13, 43, 14, 16),
                 Label("P1", 13, 61, 14, 16),
                 Label("P2", 13, 79, 14, 16),
                 Label("P0", 13, 97, 14, 16),
                 Label("t", 13, 115, 14, 16),
                 Label("ρ", 13, 133, 14, 16),
                 Edit(1001, 37, 7, 48, 16),
                 Edit(1002, 37, 25, 48, 16),
                 Edit(1003, 37, 43, 48, 16),
                 Edit(1004, 37, 61, 48, 16),
                 Edit(1005, 37, 79, 48, 16),
                 Edit(1006, 37, 97, 48, 16),
                 Edit(1007, 37, 115, 48, 16),
                 Edit(1008, 37, 133, 48, 16),
                 Hint("阀口关闭前管内流量，L/min", 89, 13, 118, 11),
                 Hint("管路的总长度，m", 89, 29, 118, 10),
                 Hint("管路的内径（直径），mm", 89, 47, 118, 10),
                 Hint("管内通常平均压力，Bar", 89, 64, 118, 9),
                 Hint("管路允许的最大冲击力，Bar", 89, 82, 118, 9),
                 Hint("充气压力Bar，管路平均压力的0.6~0.9倍，附加气瓶时0.95~0.97倍", 89, 98, 210,
                      18),
                 Hint("流体减速/阀口关闭时间，突然关闭t=0", 89, 119, 161, 9),
                 Hint("油液的密度比重，Kg /升", 89, 137, 118, 9),
                 Hint("计算结果：（公称容积）", 7, 155, 95, 12),
                 Result(1017, 7, 169, 229, 61),
                 Calculate(253, 178, 56, 17),
             },
             234, 316, true),
         {{1001, "300"},
          {1002, "150"},
          {1003, "20"},
          {1004, "100"},
          {1005, "140"},
          {1006, "80"},
          {1007, "0"},
          {1008, "0.9"}},
         "4.10",
         {{1007, "0.02"}}},
    };
    return dialogs;
}

void Type(HWND dialog, const std::vector<Typed>& inputs) {
    for (const Typed& input : inputs) {
        SetItemText(dialog, input.id, input.text);
    }
}

class CalculatorDialog : public testing::TestWithParam<DialogCase> {};

TEST_P(CalculatorDialog, IsBuiltFromItsTemplate) {
    const DialogCase& dialogCase = GetParam();
    std::unique_ptr<CDialog> dialog = dialogCase.make();
    RunModal(*dialog, [&](HWND hwnd) {
        EXPECT_EQ(WindowText(hwnd), dialogCase.caption);
        // The dialog manager adds DS_3DLOOK.
        const DWORD style = static_cast<DWORD>(::GetWindowLongA(hwnd, GWL_STYLE));
        EXPECT_EQ(style & ~(WS_VISIBLE | WS_CLIPSIBLINGS | DS_3DLOOK), kDialogStyle)
            << std::hex << style;
        RECT size{0, 0, dialogCase.cx, dialogCase.cy};
        ::MapDialogRect(hwnd, &size);
        RECT client;
        ::GetClientRect(hwnd, &client);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);

        // 9-point "宋体".
        LOGFONTA font{};
        auto hfont = reinterpret_cast<HFONT>(::SendMessageA(hwnd, WM_GETFONT, 0, 0));
        ASSERT_NE(::GetObjectA(hfont, sizeof font, &font), 0);
        EXPECT_STREQ(font.lfFaceName, "宋体");
        HDC screen = ::GetDC(nullptr);
        EXPECT_EQ(font.lfHeight, -::MulDiv(9, ::GetDeviceCaps(screen, LOGPIXELSY), 72));
        ::ReleaseDC(nullptr, screen);

        // The controls in template order; the edits show the members' initial values.
        ExpectControls(hwnd, dialogCase.controls);

        // Tab walks the edits in template order and ends at the button.
        std::vector<int> tabOrder;
        HWND first = ::GetNextDlgTabItem(hwnd, nullptr, FALSE);
        for (HWND item = first; item != nullptr;) {
            tabOrder.push_back(::GetDlgCtrlID(item));
            item = ::GetNextDlgTabItem(hwnd, item, FALSE);
            if (item == first) {
                break;
            }
        }
        std::vector<int> expected;
        for (const TemplateControl& control : dialogCase.controls) {
            // A disabled control takes no focus: the sheet buttons join once a volume is shown.
            if ((control.style & (WS_TABSTOP | WS_DISABLED)) == WS_TABSTOP) {
                expected.push_back(control.id);
            }
        }
        EXPECT_EQ(tabOrder, expected);
    });
}

TEST_P(CalculatorDialog, ShowsTheVolumeOfAWorkedExample) {
    const DialogCase& dialogCase = GetParam();
    std::unique_ptr<CDialog> dialog = dialogCase.make();
    MessageBoxCatcher boxes;
    RunModal(*dialog, [&](HWND hwnd) {
        Type(hwnd, dialogCase.worked);
        ClickItem(hwnd, IDC_CALCULATE);
        const std::string sentence = std::string(kResultLead) + dialogCase.shown + " 升。";
        EXPECT_EQ(ItemText(hwnd, dialogCase.resultId), sentence);
        EXPECT_TRUE(boxes.Seen().empty());
        // The edits keep the texts as typed.
        for (const Typed& input : dialogCase.worked) {
            EXPECT_EQ(ItemText(hwnd, input.id), input.text);
        }

        // Inputs without a volume: the message, owned by the calculator, over the last result.
        Type(hwnd, dialogCase.failing);
        ClickItem(hwnd, IDC_CALCULATE);
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].text, kInvalidInput);
        EXPECT_EQ(boxes.Seen()[0].owner, hwnd);
        EXPECT_EQ(ItemText(hwnd, dialogCase.resultId), sentence);
    });
}

TEST_P(CalculatorDialog, RejectsTheInitialValues) {
    const DialogCase& dialogCase = GetParam();
    std::unique_ptr<CDialog> dialog = dialogCase.make();
    MessageBoxCatcher boxes;
    RunModal(*dialog, [&](HWND hwnd) {
        ClickItem(hwnd, IDC_CALCULATE);
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].text, kInvalidInput);
        EXPECT_EQ(ItemText(hwnd, dialogCase.resultId), "");
    });
}

// A text that is no number stops the exchange at its edit: the members bound before it take
// the typed values, it and those after it keep theirs. Written back into the edits, the
// members show how far the exchange went, and so the binding order. Nothing is calculated.
TEST_P(CalculatorDialog, ExchangesTheEditsInBindingOrder) {
    const DialogCase& dialogCase = GetParam();
    for (size_t stop = 0; stop < dialogCase.worked.size(); ++stop) {
        SCOPED_TRACE("no number in edit " + std::to_string(dialogCase.worked[stop].id));
        std::unique_ptr<CDialog> dialog = dialogCase.make();
        MessageBoxCatcher boxes;
        RunModal(*dialog, [&](HWND hwnd) {
            Type(hwnd, dialogCase.worked);
            SetItemText(hwnd, dialogCase.worked[stop].id, "1x");
            ClickItem(hwnd, IDC_CALCULATE);
            EXPECT_EQ(ItemText(hwnd, dialogCase.resultId), "");
            dialog->UpdateData(FALSE);
            for (size_t i = 0; i < dialogCase.worked.size(); ++i) {
                EXPECT_EQ(ItemText(hwnd, dialogCase.worked[i].id),
                          i < stop ? dialogCase.worked[i].text : "0")
                    << "edit " << dialogCase.worked[i].id;
            }
        });
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].text, "请输入一个数字。");
    }
}

INSTANTIATE_TEST_SUITE_P(Calculators, CalculatorDialog, testing::ValuesIn(Dialogs()),
                         [](const testing::TestParamInfo<DialogCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace

#include "win/harness/harness.h"
#include "win/harness/template_check.h"

#include "calc/aux_power_dlg.h"
#include "sizing/result_texts.h"
#include "framework/ddx.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

const DWORD kEdit = WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
const DWORD kSymbol = SS_CENTER | SS_CENTERIMAGE | WS_GROUP;
const DWORD kLeft = SS_LEFT | WS_GROUP;

const int kInputs[] = {IDC_AUX_DELTA_V, IDC_AUX_N, IDC_AUX_P0, IDC_AUX_P1, IDC_AUX_P2};

void TypeInputs(HWND hwnd, const char* deltaV, const char* n, const char* p0, const char* p1,
                const char* p2) {
    const char* texts[] = {deltaV, n, p0, p1, p2};
    for (int i = 0; i < 5; ++i) {
        SetItemText(hwnd, kInputs[i], texts[i]);
    }
}

std::string Sentence(const char* figure) {
    return std::string("根据您的参数计算出蓄能器所需容积为：") + figure + " 升。";
}

TEST(AuxPowerDlg, ControlsStandAsTheTemplateGivesThem) {
    CAuxPowerDlg dlg;
    RunModal(dlg, [](HWND hwnd) {
        EXPECT_EQ(WindowText(hwnd), "作辅助动力源、应急动力源、流量补充、保压等");
        RECT client;
        ::GetClientRect(hwnd, &client);
        RECT size{0, 0, 340, 338};
        ::MapDialogRect(hwnd, &size);
        EXPECT_EQ(client.right, size.right);
        EXPECT_EQ(client.bottom, size.bottom);
        const LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
        EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
                  WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
        ExpectControls(
            hwnd,
            WithNotes(
                {
                    {IDC_AUX_DELTA_V, "Edit", nullptr, kEdit, 33, 13, 55, 16},
                    {-1, "Static", "△V", kSymbol, 14, 17, 13, 12},
                    {-1, "Static", "指数n", kSymbol, 7, 34, 20, 12},
                    {IDC_AUX_N, "Edit", nullptr, kEdit, 33, 31, 55, 16},
                    {-1, "Static", "p0", kSymbol, 13, 85, 13, 12},
                    {-1, "Static", "p1", kSymbol, 13, 51, 13, 12},
                    {-1, "Static", "p2", kSymbol, 13, 68, 13, 12},
                    {IDC_AUX_P0, "Edit", nullptr, kEdit, 33, 85, 55, 16},
                    {IDC_AUX_P1, "Edit", nullptr, kEdit, 33, 49, 55, 16},
                    {IDC_AUX_P2, "Edit", nullptr, kEdit, 33, 67, 55, 16},
                    {IDC_AUX_RESULT, "Static", "", kLeft, 7, 133, 260, 35},
                    {-1, "Static", "计算结果： （公称容积）", kLeft, 7, 121, 97, 11},
                    {IDC_CALCULATE, "Button", "计算", BS_PUSHBUTTON | WS_TABSTOP, 277, 134, 51, 15},
                    {-1, "Static", "（所需蓄能器输出油液的体积，L升 ）", kLeft, 97, 16, 143, 11},
                    {-1, "Static", "（释压时间大于3分钟时，n＝1；小于3分钟 n＝1.4）", kLeft, 97, 34,
                     200, 10},
                    {-1, "Static", "（工作循环中最低工作压力，Mpa）", kLeft, 97, 54, 191, 12},
                    {-1, "Static", "（工作循环中最高工作压力，Mpa）", kLeft, 97, 71, 128, 12},
                    {-1, "Static",
                     "（充气压力，折合形气囊0.8~0.85*P1；波纹形气囊0.6~0.65*P1；活塞式蓄能器0.80~"
                     "0.90*P1）",
                     kLeft, 97, 87, 224, 23},
                },
                172, 340, true, true));
    });
}

TEST(AuxPowerDlg, StartsWithTheInitialValuesAndAnEmptyResult) {
    CAuxPowerDlg dlg;
    EXPECT_EQ(dlg.m_n, 1.0);
    RunModal(dlg, [](HWND hwnd) {
        const char* expected[] = {"0", "1", "0", "0", "0"};
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(ItemText(hwnd, kInputs[i]), expected[i]);
        }
        EXPECT_EQ(ItemText(hwnd, IDC_AUX_RESULT), "");
        // The tab order runs dV, n, p0, p1, p2 and then the button.
        const int order[] = {IDC_AUX_DELTA_V, IDC_AUX_N,  IDC_AUX_P0,
                             IDC_AUX_P1,      IDC_AUX_P2, IDC_CALCULATE};
        HWND item = ::GetDlgItem(hwnd, order[0]);
        for (size_t i = 1; i < 6; ++i) {
            item = ::GetNextDlgTabItem(hwnd, item, FALSE);
            EXPECT_EQ(::GetDlgCtrlID(item), order[i]);
        }
    });
}

TEST(AuxPowerDlg, CalculatesTheWorkedExamples) {
    const struct {
        const char* inputs[5];
        const char* figure;
    } cases[] = {
        {{"10", "1", "9", "10", "20"}, "22.22"},
        {{"10", "1.4", "9", "10", "20"}, "27.61"},
        {{"5", "1.4", "8", "10", "15"}, "23.32"},
        {{" 5", "1.40", "8", "10", "15"}, "23.32"},
        {{"0.0001", "1", "9", "10", "20"}, "0.00"},
        // Full-width digits as a Chinese input method types them.
        {{"\xA3\xB1\xA3\xB0", "1", "9", "10", "20"}, "22.22"},
    };
    for (const auto& c : cases) {
        CAuxPowerDlg dlg;
        MessageBoxCatcher boxes;
        RunModal(dlg, [&](HWND hwnd) {
            TypeInputs(hwnd, c.inputs[0], c.inputs[1], c.inputs[2], c.inputs[3], c.inputs[4]);
            ClickItem(hwnd, IDC_CALCULATE);
            EXPECT_EQ(ItemText(hwnd, IDC_AUX_RESULT), Sentence(c.figure)) << c.figure;
            // The edits keep the text as typed.
            for (int i = 0; i < 5; ++i) {
                EXPECT_EQ(ItemText(hwnd, kInputs[i]), c.inputs[i]);
            }
            // The same press again shows the same text.
            ClickItem(hwnd, IDC_CALCULATE);
            EXPECT_EQ(ItemText(hwnd, IDC_AUX_RESULT), Sentence(c.figure));
        });
        EXPECT_TRUE(boxes.Seen().empty());
    }
}

TEST(AuxPowerDlg, NoUsableVolumeBringsTheMessageAndKeepsTheLastResult) {
    const struct {
        const char* inputs[5];
    } failing[] = {
        {{"0", "1", "0", "0", "0"}},      // fresh: NaN
        {{"10", "1", "9", "20", "10"}},   // p1 and p2 swapped: negative
        {{"0", "1", "9", "10", "20"}},    // zero
        {{"10", "1", "9", "10", "10"}},   // p1 equal to p2: infinite
        {{"10", "1.4", "-9", "10", "20"}} // negative pre-charge: NaN
    };
    for (const auto& f : failing) {
        CAuxPowerDlg dlg;
        MessageBoxCatcher boxes;
        RunModal(dlg, [&](HWND hwnd) {
            TypeInputs(hwnd, "10", "1", "9", "10", "20");
            ClickItem(hwnd, IDC_CALCULATE);
            ASSERT_EQ(ItemText(hwnd, IDC_AUX_RESULT), Sentence("22.22"));
            TypeInputs(hwnd, f.inputs[0], f.inputs[1], f.inputs[2], f.inputs[3], f.inputs[4]);
            ClickItem(hwnd, IDC_CALCULATE);
            EXPECT_EQ(ItemText(hwnd, IDC_AUX_RESULT), Sentence("22.22"));
            ASSERT_EQ(boxes.Seen().size(), 1u);
            EXPECT_EQ(boxes.Seen()[0].text, InvalidInputMessage);
            EXPECT_EQ(boxes.Seen()[0].caption, AfxGetAppName());
            EXPECT_EQ(boxes.Seen()[0].owner, hwnd);
        });
    }
}

TEST(AuxPowerDlg, TextThatIsNoNumberStopsTheCalculation) {
    CAuxPowerDlg dlg;
    MessageBoxCatcher boxes;
    RunModal(dlg, [&](HWND hwnd) {
        TypeInputs(hwnd, "10", "1", "9", "10", "20");
        ClickItem(hwnd, IDC_CALCULATE);
        // p0 is read before p1: its new value is taken, p1's text is rejected, p2 not read.
        TypeInputs(hwnd, "10", "1", "8", "12abc", "30");
        ClickItem(hwnd, IDC_CALCULATE);
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].text, kParseNumberMessage);
        EXPECT_EQ(ItemText(hwnd, IDC_AUX_RESULT), Sentence("22.22"));
        HWND p1 = ::GetDlgItem(hwnd, IDC_AUX_P1);
        EXPECT_EQ(::GetFocus(), p1);
        DWORD start = 1, end = 0;
        ::SendMessageA(p1, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 5u);
        EXPECT_EQ(dlg.m_p0, 8.0);
        EXPECT_EQ(dlg.m_p1, 10.0);
        EXPECT_EQ(dlg.m_p2, 20.0);
    });
}

TEST(AuxPowerDlg, EnterClosesOnlyWhenEveryTextIsANumber) {
    for (const char* p2 : {"20", "x"}) {
        CAuxPowerDlg dlg;
        MessageBoxCatcher boxes;
        const INT_PTR result = RunModal(dlg, [&](HWND hwnd) {
            TypeInputs(hwnd, "10", "1", "9", "10", p2);
            HWND edit = ::GetDlgItem(hwnd, IDC_AUX_DELTA_V);
            ::SetFocus(edit);
            ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
            PumpMessages();
        });
        if (p2[0] == 'x') {
            EXPECT_EQ(result, kLeftOpen);
            EXPECT_EQ(boxes.Seen().size(), 1u);
        } else {
            EXPECT_EQ(result, IDOK);
            EXPECT_EQ(dlg.m_p2, 20.0);
            EXPECT_TRUE(boxes.Seen().empty());
        }
    }
}

TEST(AuxPowerDlg, EscapeCloses) {
    CAuxPowerDlg dlg;
    const INT_PTR result = RunModal(dlg, [](HWND hwnd) {
        ::PostMessageA(::GetDlgItem(hwnd, IDC_AUX_P1), WM_KEYDOWN, VK_ESCAPE, 0);
        PumpMessages();
    });
    EXPECT_EQ(result, IDCANCEL);
}

} // namespace

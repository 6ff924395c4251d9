// The method table against the eight calculators as built, and the notes under their results.
#include "win/harness/harness.h"

#include "calc/aux_power_dlg.h"
#include "sizing/result_texts.h"
#include "calc/pulse_dlg.h"
#include "calc/shock_dlg.h"
#include "res/resource.h"
#include "sizing/methods.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

using sizing::MethodId;

struct Calculator {
    MethodId method;
    std::unique_ptr<CDialog> (*make)();
    std::vector<const char*> typed; // in the table's order
    const char* notes;              // what the notes then show
};

// Names the calculator in a failure's message.
void PrintTo(const Calculator& calculator, std::ostream* out) {
    *out << sizing::MethodOf(calculator.method).name;
}

template <typename Dialog> std::unique_ptr<CDialog> Make() {
    return std::make_unique<Dialog>();
}

const std::vector<Calculator>& Calculators() {
    // The road's example, picked for the volume the real gas needs; the others with pressures
    // so low that the real gas is negligible and the pick rests on the absolute pressures.
    static const std::vector<Calculator> calculators = {
        {
            MethodId::Aux,
            &Make<CAuxPowerDlg>,
            {"10", "1.4", "9", "10", "20"},
            "选型（按实际气体 31.79 升）：公称容积 32 L，公称压力 20 MPa\r\n"
            "选用 32 L：可排出 10.07 升（需要 10 升）\r\n"
            "p0/p1 = 0.90，在活塞式蓄能器（0.80~0.90）的充气压力范围内。",
        },
        {
            MethodId::ShockA,
            &Make<CShockADlg>,
            {"0.9", "0.0001", "200", "4", "0.009", "0.012"},
            "选型（按绝对压力 67.78 升）：公称容积 80 L，公称压力 10 MPa\r\n"
            "选用 80 L：P2 约 0.01 MPa（允许 0.012 MPa）\r\n"
            "按绝对压力计算（表压加 0.101 MPa）：×0.91\r\n"
            "参数在常用范围内。",
        },
        {
            MethodId::ShockB,
            &Make<CShockBDlg>,
            {"100", "14", "10", "50", "1"},
            "P2 = 10 MPa 不高于 P1 = 14 MPa：允许的冲击压力不高于平均压力，所示容积没有物理意义。",
        },
        {
            MethodId::ShockC,
            &Make<CShockCDlg>,
            {"300", "150", "200", "0.1", "0.14", "0.08", "0", "0.9"},
            "选型（按绝对压力 303.68 升）：3 × 120 L 并联，公称压力 10 MPa\r\n"
            "选用 3 × 120 L：P2 约 0.14 bar（允许 0.14 bar）\r\n"
            "按绝对压力计算（表压加 0.101 MPa）：×7.41\r\n"
            "参数在常用范围内。",
        },
        {
            MethodId::PulseA,
            &Make<CPulseADlg>,
            {"0.001", "0.05", "0.3", "8", "12", "4"},
            "选型（按绝对压力 532.03 升）：4 × 150 L 并联，公称压力 10 MPa\r\n"
            "选用 4 × 150 L：P2 约 11.55 Pa（允许 12 Pa）\r\n"
            "按绝对压力计算（表压加 0.101 MPa）：×5435.97\r\n"
            "P2 = 12 Pa 低于 1000 Pa，像是按 MPa "
            "输入的：容积只取决于压力之比，不受影响，但公称压力按 Pa 换算。\r\n"
            "P0/平均压力 = 0.40，P0/P1 = 0.50，不在充气压力范围内：平均压力 (P1+P2)/2 的 0.60~0.75 "
            "倍，或 0.80 × P1。\r\n"
            "k = 0.3 不在提示的表中：单柱塞单作用 0.60，单柱塞双作用 0.25，双柱塞单作用 "
            "0.25，双柱塞双作用 0.15，三柱塞单作用 0.13，三柱塞双作用 0.06。",
        },
        {
            MethodId::PulseB,
            &Make<CPulseBDlg>,
            {"0.1", "0.01", "0.012", "0.6"},
            "选型（按绝对压力 9.57 升）：公称容积 10 L，公称压力 10 MPa\r\n"
            "选用 10 L：P2 约 0.01 MPa（允许 0.012 MPa）\r\n"
            "按绝对压力计算（表压加 0.101 MPa）：×8.98\r\n"
            "参数在常用范围内。",
        },
        {
            MethodId::PulseC,
            &Make<CPulseCDlg>,
            {"1", "0.008", "0.01"},
            "选型（按绝对压力 77.73 升）：公称容积 80 L，公称压力 10 MPa\r\n"
            "选用 80 L：P2 约 0.01 MPa（允许 0.01 MPa）\r\n"
            "按绝对压力计算（表压加 0.101 MPa）：×11.45\r\n"
            "参数在常用范围内。",
        },
        {
            MethodId::PulseD,
            &Make<CPulseDDlg>,
            {"0.2", "0.5", "10", "0.5"},
            "选型：公称容积 20 L，公称压力 20 MPa\r\n"
            "选用 20 L：△P 约 0.42 MPa（允许 0.5 MPa）\r\n"
            "△V = 0.5 L 大于 Vp = 0.2 L/r：过剩排出量不能超过排量。",
        },
    };
    return calculators;
}

// The first child of dialog of class className that matches; null when there is none.
template <typename Match> HWND FindChild(HWND dialog, const char* className, Match matches) {
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = {};
        ::GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, className) == 0 && matches(child)) {
            return child;
        }
    }
    return nullptr;
}

HWND FindStatic(HWND dialog, const char* text) {
    return FindChild(dialog, "Static", [&](HWND child) { return WindowText(child) == text; });
}

// The input edit whose height spans the vertical middle of control: the edit of its row.
HWND EditOfRow(HWND dialog, HWND control) {
    RECT rect;
    ::GetWindowRect(control, &rect);
    const LONG middle = (rect.top + rect.bottom) / 2;
    return FindChild(dialog, "Edit", [&](HWND edit) {
        ::GetWindowRect(edit, &rect);
        return ::GetDlgCtrlID(edit) != IDC_NOTES && rect.top <= middle && middle < rect.bottom;
    });
}

// The edits of the method's inputs in the table's order, each found in the row of the label
// and of the hint that the table gives for it.
std::vector<HWND> EditsOfTable(HWND dialog, const sizing::Method& method) {
    std::vector<HWND> edits;
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        const sizing::Input& input = method.inputs[i];
        SCOPED_TRACE(input.name);
        HWND label = FindStatic(dialog, input.label);
        HWND hint = FindStatic(dialog, input.hint);
        EXPECT_NE(label, nullptr) << "no label " << input.label;
        EXPECT_NE(hint, nullptr) << "no hint " << input.hint;
        HWND edit = label != nullptr ? EditOfRow(dialog, label) : nullptr;
        EXPECT_NE(edit, nullptr);
        EXPECT_EQ(hint != nullptr ? EditOfRow(dialog, hint) : nullptr, edit);
        edits.push_back(edit);
    }
    return edits;
}

void TypeInto(const std::vector<HWND>& edits, const std::vector<const char*>& texts) {
    for (std::size_t i = 0; i < edits.size(); ++i) {
        ::SetWindowTextA(edits[i], texts[i]);
    }
}

// The notes without the line of the real-gas correction, which has tests of its own.
std::string WithoutRealGas(const std::string& notes) {
    std::string kept;
    for (std::size_t start = 0; start <= notes.size();) {
        const std::size_t end = std::min(notes.find("\r\n", start), notes.size());
        const std::string line = notes.substr(start, end - start);
        if (line.rfind("氮气实际气体修正", 0) != 0) {
            kept += (kept.empty() ? "" : "\r\n") + line;
        }
        start = end + 2;
    }
    return kept;
}

class CalculatorNotes : public testing::TestWithParam<Calculator> {};

// Each input's label and hint stand in the row of one edit, which starts with the input's
// initial value. A text that is no number stops the exchange at its edit: the members before
// it take their texts, it and those after it keep theirs. Stopping at each edit in turn and
// writing the members back shows the order of the exchange, which must be the table's.
TEST_P(CalculatorNotes, MethodTableFollowsTheDialog) {
    const sizing::Method& method = sizing::MethodOf(GetParam().method);
    std::unique_ptr<CDialog> dialog = GetParam().make();
    MessageBoxCatcher boxes;
    RunModal(*dialog, [&](HWND hwnd) {
        const std::vector<HWND> edits = EditsOfTable(hwnd, method);
        ASSERT_EQ(edits.size(), method.inputCount);
        for (std::size_t i = 0; i < edits.size(); ++i) {
            ASSERT_NE(edits[i], nullptr);
            EXPECT_EQ(std::stod(WindowText(edits[i])), method.inputs[i].initial)
                << method.inputs[i].name;
        }
        for (std::size_t stop = 0; stop < edits.size(); ++stop) {
            for (std::size_t i = 0; i < edits.size(); ++i) {
                ::SetWindowTextA(edits[i], i == stop ? "1x" : "7");
            }
            ClickItem(hwnd, IDC_CALCULATE);
            dialog->UpdateData(FALSE);
            for (std::size_t i = 0; i < edits.size(); ++i) {
                EXPECT_EQ(std::stod(WindowText(edits[i])), i < stop ? 7 : method.inputs[i].initial)
                    << "stopped at " << method.inputs[stop].name << ", read "
                    << method.inputs[i].name;
            }
        }
    });
    EXPECT_EQ(boxes.Seen().size(), method.inputCount);
}

// Whether the sheet buttons "复制" and "计算书…" can be pressed.
void ExpectSheetButtons(HWND dialog, bool enabled) {
    for (int id : {IDC_COPY_SHEET, IDC_SAVE_SHEET}) {
        EXPECT_EQ(::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE, enabled) << "button " << id;
    }
}

// The notes appear with a shown volume, fit their box, and stay as
// they are when the next press shows the invalid-input message or meets a text that is no
// number; so do the sheet buttons, enabled from the first shown volume on.
TEST_P(CalculatorNotes, ShownUnderTheVolumeAndKeptAfterAFailingPress) {
    const Calculator& calculator = GetParam();
    std::unique_ptr<CDialog> dialog = calculator.make();
    MessageBoxCatcher boxes;
    RunModal(*dialog, [&](HWND hwnd) {
        EXPECT_EQ(ItemText(hwnd, IDC_NOTES_HEADING), "选型与校核");
        EXPECT_EQ(ItemText(hwnd, IDC_NOTES), "");
        ExpectSheetButtons(hwnd, false);
        const std::vector<HWND> edits = EditsOfTable(hwnd, sizing::MethodOf(calculator.method));
        TypeInto(edits, calculator.typed);
        ClickItem(hwnd, IDC_CALCULATE);
        EXPECT_TRUE(boxes.Seen().empty());
        const std::string shown = ItemText(hwnd, IDC_NOTES);
        EXPECT_EQ(WithoutRealGas(shown), calculator.notes);
        ExpectSheetButtons(hwnd, true);
        // The usual lines fit: its scroll bar has nothing to move.
        HWND notes = ::GetDlgItem(hwnd, IDC_NOTES);
        ::SendMessageA(notes, WM_VSCROLL, SB_LINEDOWN, 0);
        EXPECT_EQ(::SendMessageA(notes, EM_GETFIRSTVISIBLELINE, 0, 0), 0);

        // Zero everywhere gives no volume in any calculator.
        TypeInto(edits, std::vector<const char*>(edits.size(), "0"));
        ClickItem(hwnd, IDC_CALCULATE);
        ASSERT_EQ(boxes.Seen().size(), 1u);
        EXPECT_EQ(boxes.Seen()[0].text, InvalidInputMessage);
        EXPECT_EQ(ItemText(hwnd, IDC_NOTES), shown);

        TypeInto(edits, calculator.typed);
        ::SetWindowTextA(edits.back(), "1x");
        ClickItem(hwnd, IDC_CALCULATE);
        ASSERT_EQ(boxes.Seen().size(), 2u);
        EXPECT_NE(boxes.Seen()[1].text, InvalidInputMessage);
        EXPECT_EQ(ItemText(hwnd, IDC_NOTES), shown);
        ExpectSheetButtons(hwnd, true);
    });
}

INSTANTIATE_TEST_SUITE_P(Calculators, CalculatorNotes, testing::ValuesIn(Calculators()),
                         [](const testing::TestParamInfo<Calculator>& info) {
                             std::string name = sizing::MethodOf(info.param.method).name;
                             name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                             return name;
                         });

} // namespace

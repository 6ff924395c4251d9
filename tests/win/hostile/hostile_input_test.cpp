// Hostile texts typed into the edits of every calculator: each one either computes the volume
// its number gives, or is rejected with the framework's message, focus on its edit, nothing
// computed and no member from that edit on changed.
#include "win/harness/harness.h"

#include "host/volume_expect.h"

#include "calc/aux_power_dlg.h"
#include "calc/pulse_dlg.h"
#include "calc/shock_dlg.h"
#include "framework/ddx.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using Values = std::vector<double>;

struct Calculator {
    const char* name;
    std::unique_ptr<CDialog> (*make)();
    int resultId;
    std::vector<int> edits;                 // in binding order
    Values (*members)(const CDialog&);      // the bound members, in binding order
    double (*volume)(const Values&);        // the formula's steps over the bound members
    std::vector<const char*> first, second; // two sets of valid texts...
    Values firstValues, secondValues;       // ...and their values
};

template <typename Dialog> std::unique_ptr<CDialog> Make() {
    return std::make_unique<Dialog>();
}

template <typename Dialog, double Dialog::*... member> Values Read(const CDialog& dialog) {
    const auto& d = static_cast<const Dialog&>(dialog);
    return {(d.*member)...};
}

const std::vector<Calculator>& Calculators() {
    static const std::vector<Calculator> calculators = {
        {"AuxPower",
         &Make<CAuxPowerDlg>,
         IDC_AUX_RESULT,
         {IDC_AUX_DELTA_V, IDC_AUX_N, IDC_AUX_P0, IDC_AUX_P1, IDC_AUX_P2},
         &Read<CAuxPowerDlg, &CAuxPowerDlg::m_deltaV, &CAuxPowerDlg::m_n, &CAuxPowerDlg::m_p0,
               &CAuxPowerDlg::m_p1, &CAuxPowerDlg::m_p2>,
         [](const Values& v) { return steps::AuxPowerVolume(v[0], v[1], v[2], v[3], v[4]); },
         {"10", "1", "9", "10", "20"},
         {"5", "1.4", "8", "10", "15"},
         {10, 1, 9, 10, 20},
         {5, 1.4, 8, 10, 15}},
        {"ShockA",
         &Make<CShockADlg>,
         IDC_SHOCKA_RESULT,
         {IDC_SHOCKA_RHO, IDC_SHOCKA_A, IDC_SHOCKA_L, IDC_SHOCKA_V, IDC_SHOCKA_P0, IDC_SHOCKA_P2},
         &Read<CShockADlg, &CShockADlg::m_rho, &CShockADlg::m_A, &CShockADlg::m_l, &CShockADlg::m_v,
               &CShockADlg::m_P0, &CShockADlg::m_P2>,
         [](const Values& v) { return steps::ShockAVolume(v[0], v[1], v[2], v[3], v[4], v[5]); },
         {"0.9", "0.01", "200", "4", "9", "12"},
         {"0.85", "0.02", "100", "3", "8", "11"},
         {0.9, 0.01, 200, 4, 9, 12},
         {0.85, 0.02, 100, 3, 8, 11}},
        {"ShockB",
         &Make<CShockBDlg>,
         IDC_SHOCKB_RESULT,
         {IDC_SHOCKB_Q, IDC_SHOCKB_P1, IDC_SHOCKB_P2, IDC_SHOCKB_L, IDC_SHOCKB_T},
         &Read<CShockBDlg, &CShockBDlg::m_Q, &CShockBDlg::m_P1, &CShockBDlg::m_P2, &CShockBDlg::m_L,
               &CShockBDlg::m_t>,
         [](const Values& v) { return steps::ShockBVolume(v[0], v[1], v[2], v[3], v[4]); },
         {"100", "10", "14", "50", "0"},
         {"80", "8", "12", "60", "0.1"},
         {100, 10, 14, 50, 0},
         {80, 8, 12, 60, 0.1}},
        {"ShockC",
         &Make<CShockCDlg>,
         IDC_SHOCKC_RESULT,
         {IDC_SHOCKC_Q, IDC_SHOCKC_L, IDC_SHOCKC_D, IDC_SHOCKC_P1, IDC_SHOCKC_P2, IDC_SHOCKC_P0,
          IDC_SHOCKC_T, IDC_SHOCKC_RHO},
         &Read<CShockCDlg, &CShockCDlg::m_Q, &CShockCDlg::m_L, &CShockCDlg::m_d, &CShockCDlg::m_P1,
               &CShockCDlg::m_P2, &CShockCDlg::m_P0, &CShockCDlg::m_t, &CShockCDlg::m_rho>,
         [](const Values& v) {
             return steps::ShockCVolume(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
         },
         {"300", "150", "20", "100", "140", "80", "0", "0.9"},
         {"250", "120", "25", "90", "130", "70", "0.001", "0.85"},
         {300, 150, 20, 100, 140, 80, 0, 0.9},
         {250, 120, 25, 90, 130, 70, 0.001, 0.85}},
        {"PulseA",
         &Make<CPulseADlg>,
         IDC_PULSEA_RESULT,
         {IDC_PULSEA_A, IDC_PULSEA_L, IDC_PULSEA_K, IDC_PULSEA_P1, IDC_PULSEA_P2, IDC_PULSEA_P0},
         &Read<CPulseADlg, &CPulseADlg::m_A, &CPulseADlg::m_L, &CPulseADlg::m_k, &CPulseADlg::m_P1,
               &CPulseADlg::m_P2, &CPulseADlg::m_P0>,
         [](const Values& v) {
             return steps::PulseAVolume(1.4, v[0], v[1], v[2], v[3], v[4], v[5]);
         },
         {"0.001", "0.05", "0.6", "10", "12", "8"},
         {"0.002", "0.1", "0.25", "8", "10", "6"},
         {0.001, 0.05, 0.6, 10, 12, 8},
         {0.002, 0.1, 0.25, 8, 10, 6}},
        {"PulseB",
         &Make<CPulseBDlg>,
         IDC_PULSEB_RESULT,
         {IDC_PULSEB_VP, IDC_PULSEB_P1, IDC_PULSEB_P2, IDC_PULSEB_K},
         &Read<CPulseBDlg, &CPulseBDlg::m_Vp, &CPulseBDlg::m_P1, &CPulseBDlg::m_P2,
               &CPulseBDlg::m_k>,
         [](const Values& v) { return steps::PulseBVolume(1.4, v[0], v[1], v[2], v[3]); },
         {"0.1", "10", "12", "0.6"},
         {"0.2", "8", "11", "0.25"},
         {0.1, 10, 12, 0.6},
         {0.2, 8, 11, 0.25}},
        {"PulseC",
         &Make<CPulseCDlg>,
         IDC_PULSEC_RESULT,
         {IDC_PULSEC_DELTA_V, IDC_PULSEC_P1, IDC_PULSEC_P2},
         &Read<CPulseCDlg, &CPulseCDlg::m_deltaV, &CPulseCDlg::m_P1, &CPulseCDlg::m_P2>,
         [](const Values& v) { return steps::PulseCVolume(1.4, v[0], v[1], v[2]); },
         {"0.1", "10", "12"},
         {"1", "8", "10"},
         {0.1, 10, 12},
         {1, 8, 10}},
        {"PulseD",
         &Make<CPulseDDlg>,
         IDC_PULSED_RESULT,
         {IDC_PULSED_VP, IDC_PULSED_DELTA_V, IDC_PULSED_PP, IDC_PULSED_DELTA_P},
         &Read<CPulseDDlg, &CPulseDDlg::m_Vp, &CPulseDDlg::m_deltaV, &CPulseDDlg::m_Pp,
               &CPulseDDlg::m_deltaP>,
         [](const Values& v) { return steps::PulseDVolume(v[0], v[1], v[2], v[3]); },
         {"2", "0.05", "10", "0.5"},
         {"0.5", "0.1", "12", "0.4"},
         {2, 0.05, 10, 0.5},
         {0.5, 0.1, 12, 0.4}},
    };
    return calculators;
}

// A text typed into an edit and the number it stands for; rejected texts have none.
struct Hostile {
    std::string text;
    bool accepted;
    double value;
};

Hostile Number(std::string text, double value) {
    return {std::move(text), true, value};
}
Hostile Rejected(std::string text) {
    return {std::move(text), false, 0.0};
}

// A text of exactly length characters: head, then filler, then tail.
std::string Padded(const std::string& head, char filler, const std::string& tail,
                   size_t length = 10000) {
    return head + std::string(length - head.size() - tail.size(), filler) + tail;
}

std::string Repeated(const std::string& piece, size_t times) {
    std::string text;
    for (size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

const std::vector<Hostile>& HostileTexts() {
    const double max = std::numeric_limits<double>::max();
    const double tiny = std::numeric_limits<double>::denorm_min();
    static const std::vector<Hostile> texts = {
        // Very long texts.
        Number(Padded("", '0', "5"), 5.0),
        Number(Padded("", ' ', "7"), 7.0),
        Number(Padded("7", ' ', ""), 7.0),
        Number(Padded("\t", ' ', "3\t"), 3.0),
        Number(Padded("0.", '0', "1e9993"), 1.0), // 0.(9992 zeros)1 = 1e-9993
        Number(Padded("1", '0', "e-9993"), 1.0),
        Number(Repeated("\xA3\xB0", 4999) + "\xA3\xB5", 5.0), // full-width "0...05"
        Rejected(Padded("", '9', "")),
        Rejected(Padded("1", '0', "")),
        Rejected(Padded("", 'x', "")),
        Rejected(Padded("5", ' ', "x")),
        Rejected(Padded("", ' ', "")),
        // Nothing, or blanks only.
        Rejected(""),
        Rejected(" "),
        Rejected("\t\t"),
        Rejected("\xA1\xA1\xA1\xA1"), // ideographic blanks
        // Control characters.
        Rejected("\x01"
                 "5"),
        Rejected("5\x7F"),
        Rejected("\x1B"),
        Rejected("5\x08"),
        Rejected("5\r\n"),
        Rejected("\r\n5"),
        Rejected("5\n6"),
        Rejected("1\x0B"
                 "2"),
        // Broken double-byte characters.
        Rejected("\xA3"),
        Rejected("5\xA3"),
        Rejected("1.\xA3"),
        Rejected("\xA3"
                 "5"),
        Rejected("\x81"),
        Rejected("\xFF"),
        Rejected("\xB4\xF3"),  // an ordinary Chinese character
        Rejected("5\xC9\xFD"), // "5升"
        // Full-width forms.
        Number("\xA3\xB1\xA3\xB2", 12.0),                 // "１２"
        Number("\xA3\xB1\xA3\xAE\xA3\xB5", 1.5),          // "１．５"
        Number("\xA3\xAD\xA3\xB3", -3.0),                 // "－３"
        Number("\xA3\xAB\xA3\xB7", 7.0),                  // "＋７"
        Number("\xA3\xB1\xA3\xE5\xA3\xAD\xA3\xB2", 0.01), // "１ｅ－２"
        Number("1\xA3\xB2", 12.0),                        // "1２"
        Number("\xA1\xA1\xA3\xB8\xA1\xA1", 8.0),          // blank "８" blank
        Rejected("\xA3\xB1\xA3\xAC\xA3\xB5"),             // "１，５"
        Rejected("1\xA1\xA3"
                 "5"),                        // "1。5"
        Rejected("\xA3\xE9\xA3\xEE\xA3\xE6"), // "ｉｎｆ"
        // Magnitudes at and beyond the ends of a double.
        Rejected("1e400"),
        Rejected("-1e400"),
        Number("1e-400", 0.0),
        Number("-1e-400", -0.0),
        Number("1.7976931348623157e308", max),
        Rejected("1.7976931348623159e308"),
        Number("4.9e-324", tiny),
        Number("2.4703282292062327e-324", 0.0),
        Number("9007199254740993", 9007199254740992.0),
        Number("0.1000000000000000055511151231257827021181583404541015625", 0.1),
        // Signs, points and exponents.
        Number("-0", -0.0),
        Number(".5", 0.5),
        Number("5.", 5.0),
        Number("-.5", -0.5),
        Number("+.5e1", 5.0),
        Number("010", 10.0),
        Number("1E05", 1e5),
        Number("  -2.5\t", -2.5),
        Rejected("."),
        Rejected("-"),
        Rejected("e5"),
        Rejected("1e"),
        Rejected("1e+"),
        Rejected("++1"),
        Rejected("--1"),
        Rejected("+-1"),
        Rejected("-+1"),
        Rejected("1-"),
        Rejected("1e--5"),
        Rejected("1,5"),
        Rejected("1 5"),
        Rejected("1..5"),
        Rejected("1.5.2"),
        // Other notations.
        Rejected("0x10"),
        Rejected("0X1p3"),
        Rejected("0b101"),
        Rejected("nan"),
        Rejected("-NaN"),
        Rejected("inf"),
        Rejected("-Infinity"),
        Rejected("12abc"),
        Rejected("5%"),
        Rejected("$5"),
        Rejected("1/2"),
    };
    return texts;
}

std::string Described(const std::string& text) {
    std::string shown;
    for (unsigned char c : text.substr(0, 40)) {
        if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            shown += hex;
        } else {
            shown += static_cast<char>(c);
        }
    }
    return "\"" + shown + (text.size() > 40 ? "...\" (" + std::to_string(text.size()) + ")" : "\"");
}

// The result sentence for volume, with two decimals, when the volume is finite and above
// zero; empty when the calculator shows its message instead.
std::string ExpectedSentence(double volume) {
    if (!std::isfinite(volume) || !(volume > 0.0)) {
        return std::string();
    }
    char figure[400]; // the largest double has 309 digits before the point
    std::snprintf(figure, sizeof figure, "%.2f", volume);
    return VolumeSentence(figure);
}

bool SameDouble(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The text an edit holds after text was typed: the edits keep Unicode, so bytes that are no
// character of the code page come back as another text.
std::string Stored(const std::string& text) {
    if (text.empty()) {
        return text;
    }
    const int size = static_cast<int>(text.size());
    std::wstring wide(text.size(), L'\0');
    wide.resize(
        static_cast<size_t>(::MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], size)));
    const int wideSize = static_cast<int>(wide.size());
    std::string back(wide.size() * 2, '\0');
    back.resize(static_cast<size_t>(::WideCharToMultiByte(
        CP_ACP, 0, wide.data(), wideSize, &back[0], wideSize * 2, nullptr, nullptr)));
    return back;
}

// While alive, counts the texts set into one window (the result static): each calculation
// that shows a volume sets one.
class TextWrites {
public:
    explicit TextWrites(HWND window) : m_hook(nullptr) {
        s_window = window;
        s_count = 0;
        m_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~TextWrites() {
        ::UnhookWindowsHookEx(m_hook);
        s_window = nullptr;
    }
    TextWrites(const TextWrites&) = delete;
    TextWrites& operator=(const TextWrites&) = delete;

    int Count() const { return s_count; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code >= 0 && sent->hwnd == s_window && sent->message == WM_SETTEXT) {
            ++s_count;
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static HWND s_window;
    static int s_count;
    HHOOK m_hook;
};
HWND TextWrites::s_window = nullptr;
int TextWrites::s_count = 0;

TEST(HostileInput, EveryTextComputesItsNumberOrIsRejected) {
    const auto& texts = HostileTexts();
    ASSERT_GE(texts.size(), 50u);
    // A message box takes 50 to 100 ms under Wine: each text goes into one of the calculators,
    // which take theirs into all of their edits in turn.
    const auto& calculators = Calculators();
    const size_t stride = calculators.size();
    for (size_t c = 0; c < calculators.size(); ++c) {
        const Calculator& calc = calculators[c];
        SCOPED_TRACE(calc.name);
        const size_t edits = calc.edits.size();
        const std::string firstResult = ExpectedSentence(calc.volume(calc.firstValues));
        ASSERT_FALSE(firstResult.empty());
        std::unique_ptr<CDialog> dialog = calc.make();
        MessageBoxCatcher boxes;
        RunModal(*dialog, [&](HWND hwnd) {
            HWND result = ::GetDlgItem(hwnd, calc.resultId);
            for (size_t t = c % stride; t < texts.size(); t += stride) {
                const Hostile& hostile = texts[t];
                const size_t k = (t / stride + c) % edits;
                HWND edit = ::GetDlgItem(hwnd, calc.edits[k]);
                SCOPED_TRACE("text " + std::to_string(t) + " " + Described(hostile.text) +
                             " in edit " + std::to_string(calc.edits[k]));
                // A known earlier result.
                for (size_t i = 0; i < edits; ++i) {
                    SetItemText(hwnd, calc.edits[i], calc.first[i]);
                }
                const size_t boxesBefore = boxes.Seen().size();
                ClickItem(hwnd, IDC_CALCULATE);
                ASSERT_EQ(boxes.Seen().size(), boxesBefore);
                ASSERT_EQ(ItemText(hwnd, calc.resultId), firstResult);

                // The hostile text, with every other edit changed too.
                for (size_t i = 0; i < edits; ++i) {
                    SetItemText(hwnd, calc.edits[i], i == k ? hostile.text : calc.second[i]);
                }
                TextWrites writes(result);
                ClickItem(hwnd, IDC_CALCULATE);
                const Values members = calc.members(*dialog);
                const std::vector<MessageBoxSeen> seen(boxes.Seen().begin() + boxesBefore,
                                                       boxes.Seen().end());
                // The edit keeps the text as typed (as far as the code page holds it).
                EXPECT_EQ(ItemText(hwnd, calc.edits[k]), Stored(hostile.text));
                if (hostile.accepted) {
                    ASSERT_EQ(Stored(hostile.text), hostile.text);
                    Values expected = calc.secondValues;
                    expected[k] = hostile.value;
                    for (size_t i = 0; i < edits; ++i) {
                        EXPECT_TRUE(SameDouble(members[i], expected[i]))
                            << "member " << i << ": " << members[i] << " instead of "
                            << expected[i];
                    }
                    const std::string sentence = ExpectedSentence(calc.volume(expected));
                    if (!sentence.empty()) {
                        EXPECT_TRUE(seen.empty());
                        EXPECT_EQ(writes.Count(), 1);
                        EXPECT_EQ(ItemText(hwnd, calc.resultId), sentence);
                    } else {
                        ASSERT_EQ(seen.size(), 1u);
                        EXPECT_EQ(seen[0].text, "输入的参数有误，请重新输入！");
                        EXPECT_EQ(writes.Count(), 0);
                        EXPECT_EQ(ItemText(hwnd, calc.resultId), firstResult);
                    }
                    continue;
                }
                // One message, the framework's, and then nothing computed: the earlier result
                // stays untouched.
                ASSERT_EQ(seen.size(), 1u);
                EXPECT_EQ(seen[0].text, kParseNumberMessage);
                EXPECT_EQ(seen[0].owner, hwnd);
                EXPECT_EQ(writes.Count(), 0);
                EXPECT_EQ(ItemText(hwnd, calc.resultId), firstResult);
                // Focus on the rejected edit, its whole text selected.
                EXPECT_EQ(::GetFocus(), edit);
                DWORD start = 1, end = 0;
                ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                               reinterpret_cast<LPARAM>(&end));
                EXPECT_EQ(start, 0u);
                EXPECT_EQ(end, static_cast<DWORD>(::GetWindowTextLengthW(edit)));
                // The members read before it took their new values; it and those after it kept
                // theirs.
                for (size_t i = 0; i < edits; ++i) {
                    const double expected = i < k ? calc.secondValues[i] : calc.firstValues[i];
                    EXPECT_TRUE(SameDouble(members[i], expected))
                        << "member " << i << ": " << members[i] << " instead of " << expected;
                }
            }
        });
    }
}

} // namespace

// Numbers typed with their units into a calculator, in Unicode as the user types them.
#include "win/harness/harness.h"

#include "calc/shock_dlg.h"
#include "framework/ddx.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const int kEdits[] = {IDC_SHOCKC_Q,  IDC_SHOCKC_L,  IDC_SHOCKC_D, IDC_SHOCKC_P1,
                      IDC_SHOCKC_P2, IDC_SHOCKC_P0, IDC_SHOCKC_T, IDC_SHOCKC_RHO};

// Shock C's worked example (Q 300 L/min, L 150 m, d 20 mm, P1 100 bar, P2 140 bar, P0 80 bar,
// t 0, ρ 0.9 kg/L) typed in other units, among them two that code page 936 cannot hold.
const wchar_t* const kTyped[] = {L"5 L/s",       L"15000cm",  L"20\u339C", L"10 MPa",
                                 L"１４ ＭＰａ", L"8000 kPa", L"0",        L"900 kg/m\u00B3"};

void Type(HWND dialog, int id, const wchar_t* text) {
    ::SetWindowTextW(::GetDlgItem(dialog, id), text);
}

std::wstring WideText(HWND dialog, int id) {
    wchar_t text[64] = {};
    ::GetWindowTextW(::GetDlgItem(dialog, id), text, 64);
    return text;
}

TEST(TypedUnits, AreConvertedIntoEachEditsUnit) {
    CShockCDlg dlg;
    MessageBoxCatcher boxes;
    RunModal(dlg, [&](HWND hwnd) {
        for (int i = 0; i < 8; ++i) {
            Type(hwnd, kEdits[i], kTyped[i]);
        }
        ClickItem(hwnd, IDC_CALCULATE);
        EXPECT_TRUE(boxes.Seen().empty());
        const double members[] = {dlg.m_Q,  dlg.m_L,  dlg.m_d, dlg.m_P1,
                                  dlg.m_P2, dlg.m_P0, dlg.m_t, dlg.m_rho};
        const double expected[] = {300, 150, 20, 100, 140, 80, 0, 0.9};
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(members[i], expected[i]) << "edit " << kEdits[i];
            // The edit keeps what was typed.
            EXPECT_EQ(WideText(hwnd, kEdits[i]), kTyped[i]);
        }
        EXPECT_EQ(ItemText(hwnd, IDC_SHOCKC_RESULT),
                  "根据您的参数计算出蓄能器所需容积为：4.10 升。");
    });
}

TEST(TypedUnits, OfAnotherKindOrUnknownAreRejectedLikeAnyText) {
    const struct {
        int id;
        const wchar_t* text;
    } rejected[] = {
        {IDC_SHOCKC_P1, L"10 L"},            // a volume in a pressure
        {IDC_SHOCKC_T, L"0 s"},              // a unit where there is none
        {IDC_SHOCKC_D, L"20 furlong"},       // unknown
        {IDC_SHOCKC_RHO, L"900 kg/m\u00B2"}, // an area in the density's place
        {IDC_SHOCKC_Q, L"5 L/s\u00B3"},
    };
    for (const auto& r : rejected) {
        CShockCDlg dlg;
        MessageBoxCatcher boxes;
        RunModal(dlg, [&](HWND hwnd) {
            for (int i = 0; i < 8; ++i) {
                Type(hwnd, kEdits[i], kEdits[i] == r.id ? r.text : kTyped[i]);
            }
            ClickItem(hwnd, IDC_CALCULATE);
            ASSERT_EQ(boxes.Seen().size(), 1u) << r.id;
            EXPECT_EQ(boxes.Seen()[0].text, kParseNumberMessage);
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(hwnd, r.id));
            EXPECT_EQ(ItemText(hwnd, IDC_SHOCKC_RESULT), "");
            EXPECT_EQ(WideText(hwnd, r.id), r.text);
        });
    }
}

} // namespace

// The real-gas correction in a calculator's notes: the pick from the volume the real gas needs
// and the correction's line under it, in the auxiliary power calculator.
#include "win/harness/harness.h"

#include "calc/aux_power_dlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The first two lines of the notes, joined with "\r\n", for the inputs typed.
std::string FirstTwoLines(HWND hwnd, const char* n, const char* p0, const char* p1,
                          const char* p2) {
    const int inputs[] = {IDC_AUX_DELTA_V, IDC_AUX_N, IDC_AUX_P0, IDC_AUX_P1, IDC_AUX_P2};
    const char* texts[] = {"10", n, p0, p1, p2};
    for (int i = 0; i < 5; ++i) {
        SetItemText(hwnd, inputs[i], texts[i]);
    }
    ClickItem(hwnd, IDC_CALCULATE);
    const std::string notes = ItemText(hwnd, IDC_NOTES);
    return notes.substr(0, notes.find("\r\n", notes.find("\r\n") + 2));
}

TEST(RealGasNotes, AuxPowerCalculatorPicksFromTheRealGasVolume) {
    CAuxPowerDlg dialog;
    RunModal(dialog, [](HWND hwnd) {
        // The worked example: the result sentence stays the ideal 27.61 L.
        EXPECT_EQ(FirstTwoLines(hwnd, "1.4", "9", "10", "20"),
                  "选型（按实际气体 31.64 升）：公称容积 32 L，公称压力 20 MPa\r\n"
                  "氮气实际气体修正（20 °C，绝热）：×1.15，约 31.64 升");
        EXPECT_EQ(ItemText(hwnd, IDC_AUX_RESULT), "根据您的参数计算出蓄能器所需容积为：27.61 升。");
        const struct {
            const char *n, *p0, *p1, *p2;
            const char* second; // how the second line begins
        } rows[] = {
            {"1", "9", "10", "20", "氮气实际气体修正（20 °C，等温）：×"},
            {"1.2", "9", "10", "20", "氮气实际气体修正（20 °C，n=1.2 插值）：×"},
            {"1", "0.9", "1", "2", "氮气实际气体修正可忽略（×0.99"},
            {"1.5", "9", "10", "20", "p0/p1 = 0.90，"},
        };
        for (const auto& row : rows) {
            const std::string lines = FirstTwoLines(hwnd, row.n, row.p0, row.p1, row.p2);
            EXPECT_EQ(lines.substr(lines.find("\r\n") + 2).rfind(row.second, 0), 0u) << lines;
        }
    });
}

} // namespace

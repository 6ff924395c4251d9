// The real-gas correction in a calculator's notes: the pick from the volume the real gas needs
// and the correction's line under it, in the auxiliary power calculator.
#include "win/harness/harness.h"

#include "calc/aux_power_dlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The notes for the inputs typed, lines ending in "\r\n".
std::string Notes(HWND hwnd, const char* n, const char* p0, const char* p1, const char* p2) {
    const int inputs[] = {IDC_AUX_DELTA_V, IDC_AUX_N, IDC_AUX_P0, IDC_AUX_P1, IDC_AUX_P2};
    const char* texts[] = {"10", n, p0, p1, p2};
    for (int i = 0; i < 5; ++i) {
        SetItemText(hwnd, inputs[i], texts[i]);
    }
    ClickItem(hwnd, IDC_CALCULATE);
    return ItemText(hwnd, IDC_NOTES) + "\r\n";
}

TEST(RealGasNotes, AuxPowerCalculatorPicksFromTheRealGasVolume) {
    CAuxPowerDlg dialog;
    RunModal(dialog, [](HWND hwnd) {
        // The worked example: the result sentence stays the ideal 27.61 L.
        EXPECT_EQ(Notes(hwnd, "1.4", "9", "10", "20")
                      .rfind("选型（按实际气体 31.79 升）：公称容积 32 L，公称压力 20 MPa\r\n"
                             "选用 32 L：可排出 10.07 升（需要 10 升）\r\n"
                             "氮气实际气体修正（20 °C，绝热）：×1.15，约 31.79 升\r\n",
                             0),
                  0u);
        EXPECT_EQ(ItemText(hwnd, IDC_AUX_RESULT), "根据您的参数计算出蓄能器所需容积为：27.61 升。");
        const struct {
            const char *n, *p0, *p1, *p2;
            const char* gas; // how the real-gas line begins; null: there is none
        } rows[] = {
            {"1", "9", "10", "20", "氮气实际气体修正（20 °C，等温）：×"},
            {"1.2", "9", "10", "20", "氮气实际气体修正（20 °C，n=1.2 插值）：×"},
            {"1", "0.9", "1", "2", "氮气实际气体修正可忽略（×0.99"},
            {"1.5", "9", "10", "20", nullptr},
        };
        for (const auto& row : rows) {
            const std::string notes = Notes(hwnd, row.n, row.p0, row.p1, row.p2);
            const std::size_t gas = notes.find("\r\n氮气实际气体修正");
            if (row.gas == nullptr) {
                EXPECT_EQ(gas, std::string::npos) << notes;
            } else {
                EXPECT_EQ(notes.find(std::string("\r\n") + row.gas), gas) << notes;
                EXPECT_NE(gas, std::string::npos) << notes;
            }
        }
    });
}

} // namespace

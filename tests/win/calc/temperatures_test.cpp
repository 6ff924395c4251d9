// The temperature row of a calculator: the road example over -10 to 50 °C in the auxiliary power
// calculator, and the temperatures it refuses.
#include "win/harness/harness.h"

#include "calc/aux_power_dlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void TypeRoadExample(HWND hwnd) {
    const int inputs[] = {IDC_AUX_DELTA_V, IDC_AUX_N, IDC_AUX_P0, IDC_AUX_P1, IDC_AUX_P2};
    const char* texts[] = {"10", "1.4", "9", "10", "20"};
    for (int i = 0; i < 5; ++i) {
        SetItemText(hwnd, inputs[i], texts[i]);
    }
}

TEST(Temperatures, RoadExampleOverTheOperatingRange) {
    CAuxPowerDlg dialog;
    RunModal(dialog, [](HWND hwnd) {
        for (int id : {IDC_FILL_TEMPERATURE, IDC_LOWEST_TEMPERATURE, IDC_HIGHEST_TEMPERATURE}) {
            EXPECT_EQ(ItemText(hwnd, id), "20");
        }
        TypeRoadExample(hwnd);
        SetItemText(hwnd, IDC_LOWEST_TEMPERATURE, "－10℃");
        SetItemText(hwnd, IDC_HIGHEST_TEMPERATURE, "323.15 K");
        ClickItem(hwnd, IDC_CALCULATE);
        EXPECT_EQ(ItemText(hwnd, IDC_AUX_RESULT), "根据您的参数计算出蓄能器所需容积为：27.61 升。");
        const std::string notes = ItemText(hwnd, IDC_NOTES);
        EXPECT_EQ(notes.substr(0, notes.rfind("\r\n")),
                  "选型（按工作温度、实际气体 37.39 升）：公称容积 40 L，公称压力 20 MPa\r\n"
                  "选用 40 L：可排出 10.70 升（需要 10 升）\r\n"
                  "工作温度 -10～50 °C：按 -10 °C 计，充气压力降至 7.02 MPa，容积 ×1.19\r\n"
                  "氮气实际气体修正（-10 °C，绝热）：×1.13，约 37.39 升\r\n"
                  "充气：在 20 °C 时充至 8.01 MPa（50 °C 时为 9 MPa）");

        // Refused temperatures: the message, the focus on the edit, nothing calculated.
        const struct {
            int edit;
            const char* text;
            const char* message;
        } rows[] = {
            {IDC_FILL_TEMPERATURE, "warm", "请输入一个数字。"},
            {IDC_FILL_TEMPERATURE, "301", "充气温度须在 -100～300 °C 之间。"},
            {IDC_LOWEST_TEMPERATURE, "60", "最低工作温度不能高于最高工作温度。"},
            {IDC_HIGHEST_TEMPERATURE, "-149 °F", "最高工作温度须在 -100～300 °C 之间。"},
        };
        for (const auto& row : rows) {
            SetItemText(hwnd, row.edit, row.text);
            SetItemText(hwnd, IDC_AUX_DELTA_V, "20");
            MessageBoxCatcher boxes;
            ClickItem(hwnd, IDC_CALCULATE);
            ASSERT_EQ(boxes.Seen().size(), 1u) << row.text;
            EXPECT_EQ(boxes.Seen()[0].text, row.message);
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(hwnd, row.edit)) << row.text;
            EXPECT_EQ(ItemText(hwnd, IDC_NOTES), notes);
            EXPECT_EQ(ItemText(hwnd, IDC_AUX_RESULT),
                      "根据您的参数计算出蓄能器所需容积为：27.61 升。");
            TypeRoadExample(hwnd);
            SetItemText(hwnd, IDC_FILL_TEMPERATURE, "20");
            SetItemText(hwnd, IDC_LOWEST_TEMPERATURE, "-10");
            SetItemText(hwnd, IDC_HIGHEST_TEMPERATURE, "50");
        }
    });
}

} // namespace

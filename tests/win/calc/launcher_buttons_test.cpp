// Every method button of the launcher opens its own calculator.
#include "win/harness/harness.h"

#include "app/launcher_dlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const int kResultIds[] = {1006, 1009, 1011, 1012, 1013, 1014, 1015, 1017};

// Which of the calculators' result statics dialog has: the one that tells the calculators
// with the same caption apart.
std::vector<int> ResultStatics(HWND dialog) {
    std::vector<int> found;
    for (int id : kResultIds) {
        char className[16] = {};
        ::GetClassNameA(::GetDlgItem(dialog, id), className, sizeof className);
        if (lstrcmpiA(className, "Static") == 0) {
            found.push_back(id);
        }
    }
    return found;
}

TEST(LauncherButtons, OpenTheirCalculators) {
    const struct {
        int button;
        const char* caption;
        int resultId;
    } cases[] = {
        {IDC_AUX_POWER, "作辅助动力源、应急动力源、流量补充、保压等", 1006},
        {IDC_SHOCK_A, "吸收管道突然关闭等造成的液压冲击、水锤", 1009},
        {IDC_PULSE_A, "蓄能器用作吸收液压泵压力脉动", 1011},
        {IDC_SHOCK_B, "吸收管道突然关闭等造成的液压冲击、水锤", 1012},
        {IDC_PULSE_B, "吸收柱塞泵造成的脉动，消减噪音和振动", 1013},
        {IDC_PULSE_C, "吸收非柱塞泵造成的脉动，消减噪音和振动", 1014},
        {IDC_PULSE_D, "吸收非柱塞泵造成的脉动，消减噪音和振动", 1015},
        {IDC_SHOCK_C, "吸收管道突然关闭等造成的液压冲击、水锤", 1017},
    };
    // The launcher is the program's main window, which owns every calculator.
    CLauncherDlg launcher;
    AfxGetApp()->m_pMainWnd = &launcher;
    RunModal(launcher, [&](HWND hwnd) {
        for (const auto& c : cases) {
            SCOPED_TRACE("button " + std::to_string(c.button));
            std::vector<int> results;
            HWND owner = nullptr;
            NestedDialogCatcher catcher([&](HWND calculator) {
                results = ResultStatics(calculator);
                owner = ::GetWindow(calculator, GW_OWNER);
            });
            // The calculator runs its modal loop inside the click and is closed from there.
            ClickItem(hwnd, c.button);
            ASSERT_EQ(catcher.Captions().size(), 1u);
            EXPECT_EQ(catcher.Captions()[0], c.caption);
            EXPECT_EQ(results, std::vector<int>{c.resultId});
            EXPECT_EQ(owner, hwnd);
            EXPECT_TRUE(::IsWindowEnabled(hwnd));
        }
    });
    AfxGetApp()->m_pMainWnd = nullptr;
}

} // namespace

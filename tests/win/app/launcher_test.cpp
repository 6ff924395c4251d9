#include "harness.h"

#include "app/launcher_dlg.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

TEST(Launcher, OpensWithItsButtons) {
    CLauncherDlg dlg;
    std::string text;
    RunModal(dlg, [&](HWND hwnd) { text = ItemText(hwnd, IDC_AUX_POWER); });
    EXPECT_EQ(text, "辅助动力源");
}

} // namespace

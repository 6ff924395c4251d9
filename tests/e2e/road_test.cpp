#include "program.h"

#include <gtest/gtest.h>

namespace {

TEST(Program, AuxiliaryPowerRoadFromStartToEnd) {
    Program program;
    HWND launcher = program.Launcher();
    ASSERT_NE(launcher, nullptr);

    Program::Click(launcher, 1000);
    HWND calc = program.WaitForWindow("作辅助动力源、应急动力源、流量补充、保压等");
    ASSERT_NE(calc, nullptr);
    EXPECT_FALSE(::IsWindowEnabled(launcher));

    // dV, n, p0, p1, p2 in the edits 1001 to 1005.
    const char* inputs[] = {"10", "1.4", "9", "10", "20"};
    for (int i = 0; i < 5; ++i) {
        Program::Type(calc, 1001 + i, inputs[i]);
    }
    Program::Click(calc, 1000);
    EXPECT_EQ(Program::WaitTextChange(calc, 1006, ""),
              "根据您的参数计算出蓄能器所需容积为：27.61 升。");
    // The notes under it: the catalogue pick first, for the volume the real gas needs, and the
    // precharge in the piston range.
    const std::string notes = Program::WaitTextChange(calc, 1101, "");
    EXPECT_EQ(notes.substr(0, notes.find("\r\n")),
              "选型（按实际气体 31.79 升）：公称容积 32 L，公称压力 20 MPa");
    EXPECT_NE(notes.find("\r\np0/p1 = 0.90，在活塞式蓄能器（0.80~0.90）的充气压力范围内。"),
              std::string::npos)
        << notes;

    // p1 equal to p2: no usable volume; the message box carries the program's name.
    Program::Type(calc, 1005, "10");
    Program::Click(calc, 1000);
    HWND box = program.WaitForWindow("Presovol");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(::GetWindow(box, GW_OWNER), calc);
    EXPECT_EQ(Program::Text(::GetDlgItem(box, 0xFFFF)), "输入的参数有误，请重新输入！");
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Program::WaitGone(box));
    EXPECT_EQ(Program::Text(::GetDlgItem(calc, 1006)),
              "根据您的参数计算出蓄能器所需容积为：27.61 升。");
    EXPECT_EQ(Program::Text(::GetDlgItem(calc, 1101)), notes);

    ::PostMessageA(calc, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Program::WaitGone(calc));
    EXPECT_TRUE(::IsWindowEnabled(launcher));

    ::PostMessageA(launcher, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(), 0);
}

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc > 1) {
        g_programPath = argv[1];
    }
    return RUN_ALL_TESTS();
}

#include "program.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

const char* const kShock = "吸收管道突然关闭等造成的液压冲击、水锤";
const char* const kNonPlunger = "吸收非柱塞泵造成的脉动，消减噪音和振动";

struct Method {
    int button;
    const char* caption;
    int resultId;
    std::vector<std::pair<int, const char*>> inputs;
    const char* figure;
};

// Every launcher button opens its calculator, which computes one worked example.
TEST(Program, EveryMethodOpensFromItsButtonAndCalculates) {
    const Method methods[] = {
        {1000,
         "作辅助动力源、应急动力源、流量补充、保压等",
         1006,
         {{1001, "10"}, {1002, "1"}, {1003, "9"}, {1004, "10"}, {1005, "20"}},
         "22.22"},
        {1001,
         kShock,
         1009,
         {{1001, "0.9"}, {1003, "0.01"}, {1004, "200"}, {1005, "4"}, {1006, "9"}, {1007, "12"}},
         "7.46"},
        {1002,
         "蓄能器用作吸收液压泵压力脉动",
         1011,
         {{1001, "0.001"}, {1002, "0.05"}, {1003, "0.6"}, {1005, "10"}, {1006, "12"}, {1007, "8"}},
         "0.29"},
        {1003,
         kShock,
         1012,
         {{1001, "100"}, {1002, "10"}, {1003, "14"}, {1004, "50"}, {1005, "0"}},
         "1.15"},
        {1004,
         "吸收柱塞泵造成的脉动，消减噪音和振动",
         1013,
         {{1001, "0.1"}, {1002, "10"}, {1003, "12"}, {1004, "0.6"}},
         "1.07"},
        {1005, kNonPlunger, 1014, {{1001, "0.1"}, {1002, "10"}, {1003, "12"}}, "0.82"},
        {1006,
         kNonPlunger,
         1015,
         {{1001, "1"}, {1002, "0.05"}, {1003, "10"}, {1004, "0.5"}},
         "1.67"},
        {1009,
         kShock,
         1017,
         {{1001, "300"},
          {1002, "150"},
          {1003, "20"},
          {1004, "100"},
          {1005, "140"},
          {1006, "80"},
          {1007, "0"},
          {1008, "0.9"}},
         "4.10"},
    };
    Program program;
    HWND launcher = program.Launcher();
    ASSERT_NE(launcher, nullptr);
    for (const auto& method : methods) {
        SCOPED_TRACE(testing::Message() << "button " << method.button);
        Program::Click(launcher, method.button);
        HWND calc = program.WaitForWindow(method.caption);
        ASSERT_NE(calc, nullptr);
        // Calculators that share a caption differ in their result static.
        ASSERT_NE(::GetDlgItem(calc, method.resultId), nullptr);
        for (const auto& input : method.inputs) {
            Program::Type(calc, input.first, input.second);
        }
        Program::Click(calc, 1000);
        EXPECT_EQ(Program::WaitTextChange(calc, method.resultId, ""),
                  std::string("根据您的参数计算出蓄能器所需容积为：") + method.figure + " 升。");
        ::PostMessageA(calc, WM_CLOSE, 0, 0);
        ASSERT_TRUE(Program::WaitGone(calc));
    }
    ::PostMessageA(launcher, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitExit(), 0);
}

} // namespace

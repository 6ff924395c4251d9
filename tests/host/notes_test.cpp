// The catalogue pick and the notes under a shown volume.
#include "sizing/notes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

using sizing::MethodId;
using sizing::MethodOf;

TEST(Catalogue, PicksTheSmallestSizeOrTheFewestUnitsInParallel) {
    // Each size and multiple at its edge as shown, and the floor of every pulsation method.
    const struct {
        MethodId method;
        double volume, nominal, units;
    } rows[] = {
        {MethodId::Aux, 0.01, 0.4, 1},     {MethodId::Aux, 0.4, 0.4, 1},
        {MethodId::Aux, 0.41, 0.63, 1},    {MethodId::Aux, 32, 32, 1},
        {MethodId::Aux, 32.004, 32, 1},    {MethodId::Aux, 32.01, 40, 1},
        {MethodId::Aux, 150, 150, 1},      {MethodId::Aux, 150.01, 80, 2},
        {MethodId::Aux, 170, 100, 2},      {MethodId::Aux, 300.01, 120, 3},
        {MethodId::Aux, 1000, 150, 7},     {MethodId::PulseC, 0.29, 1, 1},
        {MethodId::PulseA, 0.004, 1, 1},   {MethodId::PulseD, 1.2, 1.6, 1},
        {MethodId::ShockB, 0.004, 0.4, 1}, {MethodId::Aux, 160, 80, 2},
        {MethodId::Aux, 160.004, 80, 2},   {MethodId::Aux, 160.006, 100, 2},
        {MethodId::Aux, 300, 150, 2},      {MethodId::Aux, 300.004, 150, 2},
        {MethodId::PulseA, 1.004, 1, 1},   {MethodId::PulseB, 0.5, 1, 1},
        {MethodId::PulseB, 1.006, 1.6, 1}, {MethodId::PulseC, 1, 1, 1},
        {MethodId::PulseD, 0.5, 1, 1},     {MethodId::ShockC, 0.5, 0.63, 1},
    };
    const double values[sizing::kMaxInputs] = {1, 1, 1, 1, 1, 1, 1, 1};
    for (const auto& row : rows) {
        const sizing::Pick pick = sizing::PickFor(MethodOf(row.method), values, row.volume);
        EXPECT_EQ(pick.volume, row.volume);
        EXPECT_EQ(pick.nominalLitres, row.nominal) << row.volume;
        EXPECT_EQ(pick.units, row.units) << row.volume;
    }
}

TEST(Catalogue, ClassOfTheHighestPressureInItsUnit) {
    const std::optional<double> none;
    const struct {
        MethodId method;
        std::vector<double> values; // in binding order
        double highestMpa;
        std::optional<double> classMpa;
    } rows[] = {
        {MethodId::Aux, {10, 1, 9, 5, 10}, 10, 10},
        {MethodId::Aux, {10, 1, 9, 5, 10.01}, 10.01, 20},
        {MethodId::Aux, {10, 1, 9, 5, 31.5}, 31.5, 31.5},
        {MethodId::Aux, {10, 1, 9, 5, 31.51}, 31.51, none},
        {MethodId::ShockB, {100, 5, 20, 50, 0}, 20, 20},
        {MethodId::ShockC, {1, 1, 1, 50, 100, 40, 0, 1}, 10, 10},
        {MethodId::ShockC, {1, 1, 1, 50, 100.1, 40, 0, 1}, 10.01, 20},
        {MethodId::ShockC, {1, 1, 1, 50, 315, 40, 0, 1}, 31.5, 31.5},
        {MethodId::ShockC, {1, 1, 1, 50, 315.1, 40, 0, 1}, 31.51, none},
        {MethodId::PulseA, {1, 1, 0.6, 5e6, 1e7, 4e6}, 10, 10},
        {MethodId::PulseA, {1, 1, 0.6, 5e6, 1.001e7, 4e6}, 10.01, 20},
        {MethodId::PulseA, {1, 1, 0.6, 5e6, 3.15e7, 4e6}, 31.5, 31.5},
        {MethodId::PulseA, {1, 1, 0.6, 5e6, 3.151e7, 4e6}, 31.51, none},
        {MethodId::PulseD, {1, 0.05, 9.5, 0.5}, 10, 10},
        {MethodId::PulseD, {1, 0.05, 9.51, 0.5}, 10.01, 20},
        {MethodId::PulseD, {1, 0.05, 31, 0.5}, 31.5, 31.5},
        {MethodId::PulseD, {1, 0.05, 31, 0.51}, 31.51, none},
        // Each method's unit, with the highest pressure as shown on either side of a class.
        {MethodId::ShockA, {0.9, 0.01, 200, 4, 9, 20.006}, 20.006, 31.5},
        {MethodId::ShockB, {100, 5, 10.006, 50, 0}, 10.006, 20},
        {MethodId::ShockC, {1, 1, 1, 50, 200.04, 40, 0, 1}, 20.004, 20},
        {MethodId::PulseA, {1, 1, 0.6, 5e6, 2.0006e7, 4e6}, 20.006, 31.5},
        {MethodId::PulseB, {0.1, 10, 31.504, 0.6}, 31.504, 31.5},
        {MethodId::PulseB, {0.1, 10, 31.506, 0.6}, 31.506, none},
        {MethodId::PulseC, {0.1, 10, 20.01}, 20.01, 31.5},
        {MethodId::PulseD, {1, 0.05, 19.5, 0.504}, 20.004, 20},
    };
    for (const auto& row : rows) {
        const sizing::Pick pick = sizing::PickFor(MethodOf(row.method), row.values.data(), 10);
        EXPECT_DOUBLE_EQ(pick.highestMpa, row.highestMpa) << MethodOf(row.method).name;
        EXPECT_EQ(pick.classMpa, row.classMpa)
            << MethodOf(row.method).name << " at " << row.highestMpa << " MPa";
    }
}

// The notes of worked cases, method by method: the pick, then the checks that apply.
TEST(Notes, PickAndChecksOfEachMethod) {
    const struct {
        MethodId method;
        std::vector<double> values; // in binding order
        double volume;
        std::vector<const char*> codes;
        const char* text; // lines joined with "\n"
    } rows[] = {
        {MethodId::Aux,
         {10, 1.4, 9, 10, 20},
         27.61,
         {"pick", "real-gas", "precharge"},
         "选型（按实际气体 31.79 升）：公称容积 32 L，公称压力 20 MPa\n"
         "氮气实际气体修正（20 °C，绝热）：×1.15，约 31.79 升\n"
         "p0/p1 = 0.90，在活塞式蓄能器（0.80~0.90）的充气压力范围内。"},
        {MethodId::Aux,
         {10, 1, 8.2, 10, 31.5},
         170,
         {"pick", "real-gas", "precharge"},
         "选型（按实际气体 182.81 升）：2 × 100 L 并联，公称压力 31.5 MPa\n"
         "氮气实际气体修正（20 °C，等温）：×1.07，约 182.81 升\n"
         "p0/p1 = 0.82，在折合形气囊（0.80~0.85）、活塞式蓄能器（0.80~0.90）的充气压力范围内。"},
        // The ratios as shown: 0.65 is within its range, 4.004 shows as 4.00 and is not above 4.
        {MethodId::Aux,
         {10, 1, 6.5, 10, 26.026},
         5,
         {"pick", "real-gas", "precharge"},
         "选型（按实际气体 5.30 升）：公称容积 6.3 L，公称压力 31.5 MPa\n"
         "氮气实际气体修正（20 °C，等温）：×1.06，约 5.30 升\n"
         "p0/p1 = 0.65，在波纹形气囊（0.60~0.65）的充气压力范围内。"},
        {MethodId::Aux,
         {10, 1.2, 7, 10, 40},
         31.99,
         {"pick", "real-gas", "precharge", "ratio", "exponent"},
         "选型（按实际气体 35.13 升）：公称容积 40 L；最高压力 40.00 MPa 超出常用公称压力 31.5 "
         "MPa\n"
         "氮气实际气体修正（20 °C，n=1.2 插值）：×1.10，约 35.13 升\n"
         "p0/p1 = 0.70，不在任何一种的充气压力范围内：折合形气囊 0.80~0.85，波纹形气囊 "
         "0.60~0.65，活塞式蓄能器 0.80~0.90。\n"
         "压缩比 p2/p0 = 5.71 大于 4：不宜用气囊式蓄能器；隔膜式可到约 8，活塞式更高。\n"
         "指数n = 1.2：提示中 n 只取 1（释压时间大于3分钟）或 1.4（小于3分钟）。"},
        {MethodId::Aux,
         {10, 1, -9, 20, 10},
         22.22,
         {"negative"},
         "压力为负值：p0 = -9 MPa，所示容积没有物理意义。"},
        {MethodId::ShockA,
         {0.9, 0.01, 200, 4, 9, 12},
         7.46,
         {"pick", "real-gas", "in-range"},
         "选型（按实际气体 8.50 升）：公称容积 10 L，公称压力 20 MPa\n"
         "氮气实际气体修正（20 °C，绝热）：×1.14，约 8.50 升\n"
         "参数在常用范围内。"},
        {MethodId::ShockA,
         {0.9, 0.01, 200, 4, 2, 12},
         0.5,
         {"pick", "absolute", "real-gas", "ratio"},
         "选型（按绝对压力、实际气体 0.50 升）：公称容积 0.63 L，公称压力 20 MPa\n"
         "按绝对压力计算（表压加 0.101 MPa）：×0.98\n"
         "氮气实际气体修正（20 °C，绝热）：×1.03，约 0.50 升\n"
         "压缩比 P2/P0 = 6.00 大于 4：不宜用气囊式蓄能器；隔膜式可到约 8，活塞式更高。"},
        {MethodId::ShockB,
         {100, 10, 14, 50, 0},
         1.15,
         {"pick", "in-range"},
         "选型：公称容积 1.6 L，公称压力 20 MPa\n参数在常用范围内。"},
        {MethodId::ShockB,
         {100, 14, 10, 50, 1},
         0.18,
         {"shock-p2"},
         "P2 = 10 MPa 不高于 P1 = 14 MPa：允许的冲击压力不高于平均压力，所示容积没有物理意义。"},
        {MethodId::ShockC,
         {300, 150, 20, 100, 140, 80, 0, 0.9},
         4.10,
         {"pick", "absolute", "real-gas", "in-range"},
         "选型（按绝对压力、实际气体 4.64 升）：公称容积 6.3 L，公称压力 20 MPa\n"
         "按绝对压力计算（表压加 0.101 MPa）：×1.01\n"
         "氮气实际气体修正（20 °C，绝热）：×1.13，约 4.64 升\n"
         "参数在常用范围内。"},
        {MethodId::ShockC,
         {300, 150, 20, 100, 140, 96, 0, 0.9},
         4.10,
         {"pick", "absolute", "real-gas", "precharge"},
         "选型（按绝对压力、实际气体 4.76 升）：公称容积 6.3 L，公称压力 20 MPa\n"
         "按绝对压力计算（表压加 0.101 MPa）：×1.01\n"
         "氮气实际气体修正（20 °C，绝热）：×1.15，约 4.76 升\n"
         "P0/P1 = 0.96，在附加气瓶时的充气压力范围（0.95~0.97）内。"},
        {MethodId::ShockC,
         {300, 150, 20, 140, 100, 50, 0, 0.9},
         4.10,
         {"shock-p2"},
         "P2 = 100 bar 不高于 P1 = 140 bar：允许的冲击压力不高于平均压力，所示容积没有物理意义。"},
        {MethodId::PulseA,
         {0.001, 0.05, 0.6, 10, 12, 8},
         0.29,
         {"pick", "absolute", "real-gas", "pa-units"},
         "选型（按绝对压力 2141.83 升）：15 × 150 L 并联，公称压力 10 MPa\n"
         "按绝对压力计算（表压加 0.101 MPa）：×7385.63\n"
         "氮气实际气体修正可忽略（×1.001）\n"
         "P2 = 12 Pa 低于 1000 Pa，像是按 MPa 输入的：容积只取决于压力之比，不受影响，但公称压力按 "
         "Pa 换算。"},
        {MethodId::PulseA,
         {0.001, 0.05, 0.3, 8e6, 1.2e7, 4e6},
         0.29,
         {"pick", "real-gas", "precharge", "pump-k"},
         "选型（按实际气体 0.31 升）：公称容积 1 L，公称压力 20 MPa\n"
         "氮气实际气体修正（20 °C，绝热）：×1.06，约 0.31 升\n"
         "P0/平均压力 = 0.40，P0/P1 = 0.50，不在充气压力范围内：平均压力 (P1+P2)/2 的 0.60~0.75 "
         "倍，或 0.80 × P1。\n"
         "k = 0.3 不在提示的表中：单柱塞单作用 0.60，单柱塞双作用 0.25，双柱塞单作用 "
         "0.25，双柱塞双作用 0.15，三柱塞单作用 0.13，三柱塞双作用 0.06。"},
        // 0.8 × P1 fits although P0 is not within its share of the mean pressure.
        {MethodId::PulseA,
         {0.001, 0.05, 0.13, 1e7, 2e7, 8e6},
         0.29,
         {"pick", "real-gas", "in-range"},
         "选型（按实际气体 0.33 升）：公称容积 1 L，公称压力 20 MPa\n"
         "氮气实际气体修正（20 °C，绝热）：×1.13，约 0.33 升\n参数在常用范围内。"},
        {MethodId::PulseB,
         {0.1, 10, 12, 0.6},
         1.07,
         {"pick", "absolute", "real-gas", "in-range"},
         "选型（按绝对压力、实际气体 1.25 升）：公称容积 1.6 L，公称压力 20 MPa\n"
         "按绝对压力计算（表压加 0.101 MPa）：×1.01\n"
         "氮气实际气体修正（20 °C，绝热）：×1.16，约 1.25 升\n"
         "参数在常用范围内。"},
        {MethodId::PulseB,
         {0.1, 10, 12, 0.5},
         0.89,
         {"pick", "absolute", "real-gas", "pump-k"},
         "选型（按绝对压力、实际气体 1.04 升）：公称容积 1.6 L，公称压力 20 MPa\n"
         "按绝对压力计算（表压加 0.101 MPa）：×1.01\n"
         "氮气实际气体修正（20 °C，绝热）：×1.16，约 1.04 升\n"
         "k = 0.5 不在提示的表中：单柱塞单作用 0.60，单柱塞双作用 0.25，双柱塞单作用 "
         "0.25，双柱塞双作用 0.15，三柱塞单作用 0.13，三柱塞双作用 0.06。"},
        {MethodId::PulseC,
         {0.1, 10, 12},
         0.82,
         {"pick", "absolute", "real-gas", "in-range"},
         "选型（按绝对压力、实际气体 0.96 升）：公称容积 1 L，公称压力 20 MPa\n"
         "按绝对压力计算（表压加 0.101 MPa）：×1.01\n"
         "氮气实际气体修正（20 °C，绝热）：×1.16，约 0.96 升\n"
         "参数在常用范围内。"},
        {MethodId::PulseC,
         {0.1, -8, -10},
         0.67,
         {"negative"},
         "压力为负值：P1 = -8 MPa，P2 = -10 MPa，所示容积没有物理意义。"},
        {MethodId::PulseD,
         {1, 0.05, 10, 0.5},
         33.33,
         {"pick", "in-range"},
         "选型：公称容积 40 L，公称压力 20 MPa\n参数在常用范围内。"},
        {MethodId::PulseD,
         {0.2, 0.5, 10, 0.5},
         30,
         {"pick", "excess"},
         "选型：公称容积 32 L，公称压力 20 MPa\n"
         "△V = 0.5 L 大于 Vp = 0.2 L/r：过剩排出量不能超过排量。"},
    };
    for (const auto& row : rows) {
        const sizing::Method& method = MethodOf(row.method);
        ASSERT_EQ(row.values.size(), method.inputCount) << method.name;
        // The volumes here are given, not the formula's: the line of what the chosen size does,
        // which follows the formula, has tests of its own.
        std::vector<sizing::Note> lines =
            sizing::Calculate(method, row.values.data(), row.volume).notes;
        lines.erase(std::remove_if(lines.begin(), lines.end(),
                                   [](const sizing::Note& line) {
                                       return std::string(line.code) == "performance";
                                   }),
                    lines.end());
        std::vector<const char*> codes;
        for (const sizing::Note& line : lines) {
            codes.push_back(line.code);
        }
        EXPECT_EQ(std::vector<std::string>(codes.begin(), codes.end()),
                  std::vector<std::string>(row.codes.begin(), row.codes.end()))
            << method.name;
        EXPECT_EQ(sizing::JoinNotes(lines, "\n"), row.text) << method.name;
    }
}

// Each check at its edges in every method it names, inputs as typed and ratios as shown; so too
// the absolute pressures, the real gas and the performance: whether the line shows, its text.
TEST(Notes, EachCheckAtItsEdges) {
    using M = MethodId;
    const auto no = std::nullopt;
    const std::string p0 = "p0/p1 = ", P0 = "P0/P1 = ",
                      absolute = "按绝对压力计算（表压加 0.101 MPa）：×";
    const std::string gas = "氮气实际气体修正", iso = gas + "（20 °C，等温）：×1.00，约 ",
                      adi = gas + "（20 °C，绝热）：×1.00，约 ", chosen = "选用 1.6 L：P2 约 ";
    const char* const none = "，不在任何一种的充气压力范围内：折合形气囊 0.80~0.85，波纹形气囊 "
                             "0.60~0.65，活塞式蓄能器 0.80~0.90。";
    const char* const both =
        "，在折合形气囊（0.80~0.85）、活塞式蓄能器（0.80~0.90）的充气压力范围内。";
    const char* const bellows = "，在波纹形气囊（0.60~0.65）的充气压力范围内。";
    const char* const piston = "，在活塞式蓄能器（0.80~0.90）的充气压力范围内。";
    const char* const out = "，不在充气压力范围内：0.60~0.90，附加气瓶时 0.95~0.97。";
    const char* const bottle = "，在附加气瓶时的充气压力范围（0.95~0.97）内。";
    const struct {
        MethodId method;
        std::vector<double> values; // in binding order
        const char* code;
        std::optional<std::string> text; // of the line, "" where any will do; no: no line
    } rows[] = {
        {M::ShockB, {100, 0, 14, 50, 0}, "negative", no},
        {M::ShockB, {100, -0.001, 14, 50, 0}, "negative", ""},
        {M::ShockB, {100, 14, 14, 50, 0}, "shock-p2", ""},
        {M::ShockB, {100, 14, 14.001, 50, 0}, "shock-p2", no},
        {M::ShockC, {300, 150, 20, 100, 100, 80, 0, 0.9}, "shock-p2", ""},
        {M::ShockC, {300, 150, 20, 100, 100.01, 80, 0, 0.9}, "shock-p2", no},
        {M::PulseD, {0.5, 0.5, 10, 0.5}, "excess", no},
        {M::PulseD, {0.5, 0.5001, 10, 0.5}, "excess", ""},
        {M::PulseA, {1e-3, 0.05, 0.6, 0, 0, 0}, "pa-units", no},
        {M::PulseA, {1e-3, 0.05, 0.6, 800, 999.99, 600}, "pa-units", ""},
        {M::PulseA, {1e-3, 0.05, 0.6, 800, 1000, 600}, "pa-units", no},
        {M::Aux, {10, 1, 5.949, 10, 20}, "precharge", p0 + "0.59" + none},
        {M::Aux, {10, 1, 5.951, 10, 20}, "precharge", p0 + "0.60" + bellows},
        {M::Aux, {10, 1, 6.551, 10, 20}, "precharge", p0 + "0.66" + none},
        {M::Aux, {10, 1, 7.949, 10, 20}, "precharge", p0 + "0.79" + none},
        {M::Aux, {10, 1, 7.951, 10, 20}, "precharge", p0 + "0.80" + both},
        {M::Aux, {10, 1, 8.549, 10, 20}, "precharge", p0 + "0.85" + both},
        {M::Aux, {10, 1, 8.551, 10, 20}, "precharge", p0 + "0.86" + piston},
        {M::Aux, {10, 1, 9.051, 10, 20}, "precharge", p0 + "0.91" + none},
        {M::ShockC, {300, 150, 20, 100, 140, 59.49, 0, 0.9}, "precharge", P0 + "0.59" + out},
        {M::ShockC, {300, 150, 20, 100, 140, 59.51, 0, 0.9}, "precharge", no},
        {M::ShockC, {300, 150, 20, 100, 140, 90.49, 0, 0.9}, "precharge", no},
        {M::ShockC, {300, 150, 20, 100, 140, 90.51, 0, 0.9}, "precharge", P0 + "0.91" + out},
        {M::ShockC, {300, 150, 20, 100, 140, 94.49, 0, 0.9}, "precharge", P0 + "0.94" + out},
        {M::ShockC, {300, 150, 20, 100, 140, 94.51, 0, 0.9}, "precharge", P0 + "0.95" + bottle},
        {M::ShockC, {300, 150, 20, 100, 140, 97.49, 0, 0.9}, "precharge", P0 + "0.97" + bottle},
        {M::ShockC, {300, 150, 20, 100, 140, 97.51, 0, 0.9}, "precharge", P0 + "0.98" + out},
        {M::PulseA, {1e-3, 0.05, 0.6, 5e6, 1.5e7, 5.949e6}, "precharge", ""},
        {M::PulseA, {1e-3, 0.05, 0.6, 5e6, 1.5e7, 5.951e6}, "precharge", no},
        {M::PulseA, {1e-3, 0.05, 0.6, 5e6, 1.5e7, 7.549e6}, "precharge", no},
        {M::PulseA, {1e-3, 0.05, 0.6, 5e6, 1.5e7, 7.551e6}, "precharge", ""},
        {M::PulseA, {1e-3, 0.05, 0.6, 1e7, 2e7, 7.949e6}, "precharge", ""},
        {M::PulseA, {1e-3, 0.05, 0.6, 1e7, 2e7, 8.049e6}, "precharge", no},
        {M::PulseA, {1e-3, 0.05, 0.6, 1e7, 2e7, 8.051e6}, "precharge", ""},
        {M::Aux, {10, 1, 5, 10, 20.0249}, "ratio", no},
        {M::Aux, {10, 1, 5, 10, 20.0251}, "ratio", ""},
        {M::ShockA, {0.9, 0.01, 200, 4, 3, 12.0149}, "ratio", no},
        {M::ShockA, {0.9, 0.01, 200, 4, 3, 12.0151}, "ratio", ""},
        {M::ShockC, {300, 150, 20, 40, 120.149, 30, 0, 0.9}, "ratio", no},
        {M::ShockC, {300, 150, 20, 40, 120.151, 30, 0, 0.9}, "ratio", ""},
        {M::PulseA, {1e-3, 0.05, 0.6, 3.75e6, 1.20149e7, 3e6}, "ratio", no},
        {M::PulseA, {1e-3, 0.05, 0.6, 3.75e6, 1.20151e7, 3e6}, "ratio", ""},
        {M::Aux, {10, 1.0001, 9, 10, 20}, "exponent", ""},
        {M::Aux, {10, 1.3999, 9, 10, 20}, "exponent", ""},
        {M::PulseB, {0.1, 10, 12, 0.25}, "pump-k", no},
        {M::PulseB, {0.1, 10, 12, 0.2501}, "pump-k", ""},
        {M::PulseA, {1e-3, 0.05, 0.25, 8e6, 1.2e7, 6e6}, "pump-k", no},
        {M::PulseA, {1e-3, 0.05, 0.0599, 8e6, 1.2e7, 6e6}, "pump-k", ""},
        {M::Aux, {10, 1, 7.101, 7.89, 15.78}, "absolute", absolute + "1.01"},
        {M::Aux, {10, 1, 7.119, 7.91, 15.82}, "absolute", no},
        {M::ShockA, {0.9, 0.01, 200, 4, 1.15, 1.38}, "absolute", absolute + "0.99"},
        {M::ShockA, {0.9, 0.01, 200, 4, 1.17, 1.404}, "absolute", no},
        {M::ShockC, {300, 150, 20, 116, 162.4, 92.8, 0, 0.9}, "absolute", absolute + "1.01"},
        {M::ShockC, {300, 150, 20, 116.4, 162.96, 93.12, 0, 0.9}, "absolute", no},
        {M::PulseA, {1e-3, 0.05, 0.6, 1.372e7, 1.6464e7, 1.0976e7}, "absolute", absolute + "1.01"},
        {M::PulseA, {1e-3, 0.05, 0.6, 1.375e7, 1.65e7, 1.1e7}, "absolute", no},
        {M::Aux, {10, 1, 3.969, 4.41, 8.82}, "real-gas", gas + "可忽略（×1.004）"},
        {M::Aux, {10, 1, 3.978, 4.42, 8.84}, "real-gas", iso + "22.52 升"},
        {M::ShockA, {0.9, 0.01, 200, 4, 0.2415, 0.483}, "real-gas", gas + "可忽略（×1.004）"},
        {M::ShockA, {0.9, 0.01, 200, 4, 0.242, 0.484}, "real-gas", adi + "102.24 升"},
        {M::PulseC, {0.1, 0.345, 0.414}, "real-gas", gas + "可忽略（×1.004）"},
        {M::PulseC, {0.1, 0.346, 0.4152}, "real-gas", adi + "1.03 升"},
        {M::ShockB, {243.1, 10, 20, 50, 0}, "performance", chosen + "19.93 MPa（允许 20 MPa）"},
        {M::ShockB, {243.5, 10, 20, 50, 0}, "performance", chosen + "20.00 MPa（允许 20 MPa）"},
    };
    for (const auto& row : rows) {
        const sizing::Method& method = MethodOf(row.method);
        SCOPED_TRACE(method.name + (" " + testing::PrintToString(row.values)));
        const double volume = method.volume(row.values.data());
        const auto lines =
            sizing::Calculate(method, row.values.data(), std::isfinite(volume) ? volume : 1).notes;
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const sizing::Note& note) {
            return std::string(note.code) == row.code;
        });
        EXPECT_EQ(line != lines.end(), row.text.has_value()) << row.code;
        if (line != lines.end() && row.text && !row.text->empty()) {
            EXPECT_EQ(line->text, *row.text);
        }
    }
}

// The gas temperature that the caller gives goes into the correction and its line.
TEST(Notes, RealGasAtTheGasTemperatureGiven) {
    const sizing::Method& aux = MethodOf(MethodId::Aux);
    const double values[] = {10, 1.4, 9, 10, 20};
    const sizing::Calculation c = sizing::Calculate(aux, values, 27.61, {{50, 50, 50}, {}});
    EXPECT_EQ(c.gas.factor, sizing::RealGasCorrection(aux, values, 50).factor);
    EXPECT_NE(c.gas.factor, sizing::RealGasCorrection(aux, values).factor);
    ASSERT_EQ(c.notes.size(), 4u);
    EXPECT_EQ(c.notes[2].text.rfind("氮气实际气体修正（50 °C，绝热）：×", 0), 0u)
        << c.notes[2].text;
}

// Over the operating temperatures: the end each method is sized at, and the lines that show.
TEST(Notes, TemperaturesOfEachMethod) {
    const struct {
        MethodId method;
        std::vector<double> values; // in binding order
        sizing::Temperatures t;     // filling, lowest, highest
        double sizing;              // NaN: the end where the real gas needs more
        std::vector<const char*> codes;
    } rows[] = {
        // The road example: cold, the precharge falls to 7.02 MPa.
        {MethodId::Aux,
         {10, 1.4, 9, 10, 20},
         {20, -10, 50},
         -10,
         {"pick", "performance", "temperature", "real-gas", "fill", "precharge"}},
        // Filled at the highest temperature: no filling line.
        {MethodId::Aux,
         {10, 1.4, 9, 10, 20},
         {50, -10, 50},
         -10,
         {"pick", "performance", "temperature", "real-gas", "precharge"}},
        // A hundredth of a degree apart: both lines.
        {MethodId::Aux,
         {10, 1.4, 9, 10, 20},
         {49.99, 49.99, 50},
         49.99,
         {"pick", "performance", "temperature", "real-gas", "fill", "precharge"}},
        // One temperature: no temperature line, but the filling pressure elsewhere.
        {MethodId::Aux,
         {10, 1.4, 9, 10, 20},
         {0, 20, 20},
         20,
         {"pick", "performance", "real-gas", "fill", "precharge"}},
        // p2/p0 = 4.00 as typed, 5.13 at -10 °C: the ratio is judged cold.
        {MethodId::Aux,
         {10, 1, 5, 10, 20},
         {50, -10, 50},
         -10,
         {"pick", "performance", "temperature", "real-gas", "precharge", "ratio"}},
        // Shock A's volume has its least at P2/P0 = 3.25: above that P0 it is sized hot.
        {MethodId::ShockA,
         {0.9, 0.01, 200, 4, 9, 12},
         {20, -10, 50},
         50,
         {"pick", "performance", "temperature", "real-gas", "fill", "in-range"}},
        {MethodId::ShockA,
         {0.9, 0.01, 200, 4, 2, 12},
         {20, -10, 50},
         -10,
         {"pick", "performance", "absolute", "temperature", "real-gas", "fill", "ratio"}},
        {MethodId::ShockC,
         {300, 150, 20, 100, 140, 80, 0, 0.9},
         {20, 0, 40},
         0,
         {"pick", "performance", "absolute", "temperature", "real-gas", "fill", "in-range"}},
        {MethodId::PulseA,
         {0.001, 0.05, 0.6, 5e6, 1e7, 4e6},
         {20, -20, 60},
         -20,
         {"pick", "performance", "absolute", "temperature", "real-gas", "fill", "in-range"}},
        // No precharge: no temperature or filling line, the real gas at its worse end.
        {MethodId::PulseB,
         {0.1, 10, 12, 0.6},
         {20, -10, 50},
         NAN,
         {"pick", "performance", "absolute", "real-gas", "in-range"}},
        {MethodId::PulseC,
         {0.1, 20, 30},
         {20, -40, 80},
         NAN,
         {"pick", "performance", "real-gas", "in-range"}},
        // No gas law: nothing of the temperatures.
        {MethodId::ShockB,
         {100, 10, 14, 50, 0.5},
         {20, -10, 50},
         50,
         {"pick", "performance", "in-range"}},
        {MethodId::PulseD,
         {1, 0.05, 10, 0.5},
         {20, -10, 50},
         50,
         {"pick", "performance", "in-range"}},
    };
    for (const auto& row : rows) {
        const sizing::Method& method = MethodOf(row.method);
        SCOPED_TRACE(method.name);
        const sizing::Calculation c = sizing::Calculate(
            method, row.values.data(), method.volume(row.values.data()), {row.t, {}});
        std::vector<std::string> codes;
        for (const sizing::Note& line : c.notes) {
            codes.push_back(line.code);
        }
        EXPECT_EQ(codes, std::vector<std::string>(row.codes.begin(), row.codes.end()));
        double sizing = row.sizing;
        if (std::isnan(sizing)) {
            const double cold =
                sizing::RealGasCorrection(method, row.values.data(), row.t.min).factor;
            const double hot =
                sizing::RealGasCorrection(method, row.values.data(), row.t.max).factor;
            sizing = cold > hot ? row.t.min : row.t.max;
            EXPECT_EQ(c.gas.factor, std::max(cold, hot));
        }
        EXPECT_EQ(c.temperature.sizing, sizing);
        // The pick is made for the formula's volume times each factor.
        const double factor = c.gasCounts ? c.gas.factor : 1.0;
        EXPECT_DOUBLE_EQ(c.corrected, c.volume * c.absoluteFactor * c.temperature.factor * factor);
    }
}

// The road example over -10 to 50 °C, filled at 20 °C.
TEST(Notes, TemperatureLinesOfTheRoadExample) {
    const sizing::Method& aux = MethodOf(MethodId::Aux);
    const double values[] = {10, 1.4, 9, 10, 20};
    const sizing::Calculation c =
        sizing::Calculate(aux, values, aux.volume(values), {{20, -10, 50}, {}});
    EXPECT_EQ(sizing::JoinNotes(c.notes, "\n"),
              "选型（按工作温度、实际气体 37.39 升）：公称容积 40 L，公称压力 20 MPa\n"
              "选用 40 L：可排出 10.70 升（需要 10 升）\n"
              "工作温度 -10～50 °C：按 -10 °C 计，充气压力降至 7.02 MPa，容积 ×1.19\n"
              "氮气实际气体修正（-10 °C，绝热）：×1.13，约 37.39 升\n"
              "充气：在 20 °C 时充至 8.01 MPa（50 °C 时为 9 MPa）\n"
              "p0/p1 = 0.90，在活塞式蓄能器（0.80~0.90）的充气压力范围内。");
    // The low-pressure circuit: the step to absolute pressures is what counts.
    const double low[] = {1, 1, 0.4, 0.5, 1.0};
    const sizing::Calculation l = sizing::Calculate(aux, low, aux.volume(low));
    ASSERT_GE(l.notes.size(), 3u);
    EXPECT_EQ(l.notes[0].text, "选型（按绝对压力 2.64 升）：公称容积 4 L，公称压力 10 MPa");
    EXPECT_EQ(l.notes[2].text, "按绝对压力计算（表压加 0.101 MPa）：×1.06");
}

TEST(Notes, JoinedWithTheLineBreakTheCallerNeeds) {
    const std::vector<sizing::Note> lines = {{"pick", "a"}, {"ratio", "b"}, {"excess", "c"}};
    EXPECT_EQ(sizing::JoinNotes(lines, "\r\n"), "a\r\nb\r\nc");
    EXPECT_EQ(sizing::JoinNotes({}, "\r\n"), "");
}

} // namespace

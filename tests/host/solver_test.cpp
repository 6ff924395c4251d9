// The solver against the forward calculation: a volume computed from inputs gives back each
// input from that volume.
#include "sizing/solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

using sizing::FindMethod;

// Each method around a typical case, every input drawn from 0.8 to 1.25 times its value there,
// 20 cases a method, over the operating range -10 to 50 °C; every input of every case whose
// volume shows is solved for that volume and must come back among the values found.
TEST(Solver, GivesBackEachInputOfAComputedVolume) {
    const struct {
        const char* method;
        std::vector<double> typical; // in binding order
    } rows[] = {
        {"aux", {10, 1.2, 9, 10, 20}},
        {"shock-a", {0.9, 0.01, 200, 4, 9, 12}},
        {"shock-b", {100, 10, 14, 50, 0.5}},
        {"shock-c", {300, 150, 20, 100, 140, 80, 0.01, 0.9}},
        {"pulse-a", {0.001, 0.05, 0.6, 5e6, 1e7, 4e6}},
        {"pulse-b", {0.1, 10, 12, 0.6}},
        {"pulse-c", {0.1, 10, 12}},
        {"pulse-d", {1, 0.05, 10, 0.5}},
    };
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> spread(0.8, 1.25);
    const sizing::Conditions conditions{{20, -10, 50}, {}};
    for (const auto& row : rows) {
        const sizing::Method& method = *FindMethod(row.method);
        int solved = 0;
        for (int i = 0; i < 20; ++i) {
            std::vector<double> values = row.typical;
            for (double& value : values) {
                value *= spread(random);
            }
            const double volume =
                sizing::SolvedVolume(method, values.data(), conditions, i % 2 == 0);
            // Outside the domain (shock C's P2 below P1) the volume has no physical meaning.
            if (!(volume > 0.0 && std::isfinite(volume)) ||
                !sizing::InDomain(method, values.data())) {
                continue;
            }
            for (std::size_t k = 0; k < method.inputCount; ++k) {
                const sizing::SearchRange range = sizing::RangeOf(method.inputs[k]);
                if (!(values[k] > range.low && values[k] <= range.high)) {
                    continue;
                }
                SCOPED_TRACE(testing::Message()
                             << row.method << " case " << i << ", " << method.inputs[k].name);
                const sizing::Solution solution =
                    sizing::Solve(method, values.data(), k, volume, conditions, i % 2 == 0, range);
                // Vp cancels out of pulsation D's formula.
                EXPECT_EQ(solution.flat, method.id == sizing::MethodId::PulseD && k == 0);
                const std::vector<double>& found = solution.values;
                if (solution.flat) {
                    continue;
                }
                EXPECT_TRUE(std::any_of(
                    found.begin(), found.end(),
                    [&](double x) { return std::fabs(x - values[k]) <= 1e-6 * values[k]; }))
                    << "not among " << found.size() << " values";
                for (double x : found) {
                    std::vector<double> at = values;
                    at[k] = x;
                    EXPECT_NEAR(sizing::SolvedVolume(method, at.data(), conditions, i % 2 == 0),
                                volume, 1e-6 * volume);
                }
                ++solved;
            }
        }
        EXPECT_GT(solved, 40) << row.method;
    }
}

// Shock A's volume has its least at P2/P0 = 3.25: a larger volume comes at two precharges.
TEST(Solver, FindsBothPrechargesOfShockA) {
    const sizing::Method& shockA = *FindMethod("shock-a");
    const double values[] = {0.9, 0.01, 200, 4, 0, 12};
    const sizing::SearchRange range = sizing::RangeOf(shockA.inputs[4]);
    // The least ideal volume, 3.89 L, is at P0 = 12 / 3.25 = 3.69 MPa.
    const std::vector<double> two = sizing::Solve(shockA, values, 4, 4.0, {}, true, range).values;
    ASSERT_EQ(two.size(), 2u);
    EXPECT_LT(two[0], 12 / 3.25);
    EXPECT_GT(two[1], 12 / 3.25);
    // Close to the least, the two values lie between two samples of the scan.
    const std::vector<double> close = sizing::Solve(shockA, values, 4, 3.9, {}, true, range).values;
    ASSERT_EQ(close.size(), 2u);
    EXPECT_LT(close[1] / close[0], 1.5);
    EXPECT_TRUE(sizing::Solve(shockA, values, 4, 3.89, {}, true, range).values.empty());
}

} // namespace

#include "sizing/result_texts.h"
#include "sizing/formulas.h"
#include "volume_expect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct AuxCase {
    double deltaV, n, p0, p1, p2;
    double volume;     // expected; NaN for "not a number"
    const char* shown; // two-decimal figure in the sentence, or null for the message
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(AuxPowerVolume, WorkedExamples) {
    const AuxCase cases[] = {
        // Fresh dialog: 1/p1 and 1/p2 are both infinite, their difference NaN.
        {0, 1, 0, 0, 0, kNaN, nullptr},
        {10, 1, 9, 10, 20, 22.222222222222221, "22.22"},
        {10, 1.4, 9, 10, 20, 27.610258736390147, "27.61"},
        {5, 1.4, 8, 10, 15, 23.320558790928914, "23.32"},
        // p1 and p2 swapped: negative.
        {10, 1, 9, 20, 10, -22.222222222222221, nullptr},
        // No oil to deliver: exactly zero.
        {0, 1, 9, 10, 20, 0.0, nullptr},
        // p1 equal to p2: an infinite volume is no result.
        {10, 1, 9, 10, 10, kInf, nullptr},
        // A negative pre-charge: NaN with n 1.4, negative with n 1.
        {10, 1.4, -9, 10, 20, kNaN, nullptr},
        {10, 1, -9, 10, 20, -22.222222222222221, nullptr},
        // A positive volume below 0.005 still shows, as 0.00.
        {0.0001, 1, 9, 10, 20, 0.000222222222222, "0.00"},
    };
    for (const auto& c : cases) {
        const double v = AuxPowerVolume(c.deltaV, c.n, c.p0, c.p1, c.p2);
        SCOPED_TRACE(testing::Message() << "dV " << c.deltaV << " n " << c.n << " p0 " << c.p0
                                        << " p1 " << c.p1 << " p2 " << c.p2);
        if (std::isnan(c.volume)) {
            EXPECT_TRUE(std::isnan(v)) << v;
        } else if (std::isinf(c.volume) || c.volume == 0.0) {
            EXPECT_EQ(v, c.volume);
        } else {
            EXPECT_NEAR(v, c.volume, std::fabs(c.volume) * 1e-9);
        }
        EXPECT_EQ(IsShownVolume(v), c.shown != nullptr) << v;
        if (c.shown != nullptr) {
            const std::string sentence = FormatVolumeSentence(v);
            EXPECT_EQ(sentence,
                      std::string("根据您的参数计算出蓄能器所需容积为：") + c.shown + " 升。");
        }
    }
}

// Each formula gives the double of its written-out steps, whatever the inputs.
TEST(Formulas, SameDoubleAsTheirStepsForRandomInputs) {
    ExpectStepsOverRandomInputs("AuxPowerVolume", &AuxPowerVolume, &steps::AuxPowerVolume);
    ExpectStepsOverRandomInputs("ShockAVolume", &ShockAVolume, &steps::ShockAVolume);
    ExpectStepsOverRandomInputs("ShockBVolume", &ShockBVolume, &steps::ShockBVolume);
    ExpectStepsOverRandomInputs("ShockCVolume", &ShockCVolume, &steps::ShockCVolume);
    ExpectStepsOverRandomInputs("PulseAVolume", &PulseAVolume, &steps::PulseAVolume);
    ExpectStepsOverRandomInputs("PulseBVolume", &PulseBVolume, &steps::PulseBVolume);
    ExpectStepsOverRandomInputs("PulseCVolume", &PulseCVolume, &steps::PulseCVolume);
    ExpectStepsOverRandomInputs("PulseDVolume", &PulseDVolume, &steps::PulseDVolume);
}

TEST(ShownVolume, OnlyFinitePositiveVolumesAreResults) {
    EXPECT_TRUE(IsShownVolume(1e-300));
    EXPECT_TRUE(IsShownVolume(std::numeric_limits<double>::max()));
    EXPECT_FALSE(IsShownVolume(0.0));
    EXPECT_FALSE(IsShownVolume(-0.0));
    EXPECT_FALSE(IsShownVolume(-1.0));
    EXPECT_FALSE(IsShownVolume(kInf));
    EXPECT_FALSE(IsShownVolume(-kInf));
    EXPECT_FALSE(IsShownVolume(kNaN));
}

TEST(ShownVolume, SentenceHasTwoDecimalsForAnyMagnitude) {
    EXPECT_EQ(FormatVolumeSentence(1.005 + 1e-9), "根据您的参数计算出蓄能器所需容积为：1.01 升。");
    EXPECT_EQ(FormatVolumeSentence(1234567.891),
              "根据您的参数计算出蓄能器所需容积为：1234567.89 升。");
    // The largest double has 309 digits before the point: the sentence still holds it.
    EXPECT_EQ(FormatVolumeSentence(std::numeric_limits<double>::max()).size(),
              std::string("根据您的参数计算出蓄能器所需容积为： 升。").size() + 309 + 3);
}

} // namespace

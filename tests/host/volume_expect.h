// Checks shared by the tables of the formula tests: how a worked example must come out, and
// how a rejected input must fail.
#pragma once

#include "sizing/result_texts.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <tuple>

// What the result test makes of a value that is not shown.
enum class Rejected { Zero, Negative, NaN, PlusInfinity, MinusInfinity };

// The sentence of the result static with shown in place of the number.
inline std::string VolumeSentence(const char* shown) {
    return std::string("根据您的参数计算出蓄能器所需容积为：") + shown + " 升。";
}

// value lies within 1e-12 relative of reference (worked out to 30 digits from the closed
// form), equals inOrder bit for bit (the double that the steps give in their written order),
// and is shown with the text shown, or rejected when shown is null.
inline void ExpectWorkedExample(double value, double reference, double inOrder, const char* shown,
                                const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_NEAR(value, reference, std::fabs(reference) * 1e-12);
    EXPECT_EQ(value, inOrder) << std::hexfloat << value << " instead of " << inOrder;
    if (shown != nullptr) {
        EXPECT_TRUE(IsShownVolume(value));
        EXPECT_EQ(FormatVolumeSentence(value), VolumeSentence(shown));
    } else {
        EXPECT_FALSE(IsShownVolume(value));
    }
}

inline void ExpectRejected(double value, Rejected kind, const std::string& what) {
    SCOPED_TRACE(what);
    switch (kind) {
    case Rejected::Zero:
        EXPECT_EQ(value, 0.0);
        break;
    case Rejected::Negative:
        EXPECT_TRUE(std::isfinite(value) && value < 0.0) << value;
        break;
    case Rejected::NaN:
        EXPECT_TRUE(std::isnan(value)) << value;
        break;
    case Rejected::PlusInfinity:
        EXPECT_TRUE(std::isinf(value) && value > 0.0) << value;
        break;
    case Rejected::MinusInfinity:
        EXPECT_TRUE(std::isinf(value) && value < 0.0) << value;
        break;
    }
    EXPECT_FALSE(IsShownVolume(value));
}

// A row of a worked-example table: the inputs, the reference value, the double the steps give
// in their written order, and the shown figure.
template <typename Case> struct Worked {
    Case in;
    double reference;
    double inOrder;
    const char* shown; // null: rejected
};

// A row of a table of inputs that give no volume.
template <typename Case> struct Edge {
    Case in;
    Rejected kind;
};

// Each test file defines Evaluate(Case) beside its case records; it is found by argument.
template <typename Case, size_t N> void CheckWorked(const Worked<Case> (&table)[N]) {
    for (const auto& row : table) {
        ExpectWorkedExample(Evaluate(row.in), row.reference, row.inOrder, row.shown, row.in.what);
    }
}

template <typename Case, size_t N> void CheckEdges(const Edge<Case> (&table)[N]) {
    for (const auto& row : table) {
        ExpectRejected(Evaluate(row.in), row.kind, row.in.what);
    }
}

// The eight formulas written out apart from the program's, each as expressions whose operations
// run in the order of the formula's steps; the program must give the same double for every
// input.
namespace steps {

inline double AuxPowerVolume(double deltaV, double n, double p0, double p1, double p2) {
    return deltaV /
           ((std::pow(1.0 / p1, 1.0 / n) - std::pow(1.0 / p2, 1.0 / n)) * std::pow(p0, 1.0 / n));
}

inline double ShockAVolume(double rho, double A, double l, double v, double P0, double P2) {
    return (1.0 / (std::pow(P2 / P0, 0.286) - 1.0)) * (l * A * rho * v * v * 0.2 / P0);
}

inline double ShockBVolume(double Q, double P1, double P2, double L, double t) {
    return (L * 0.0164 - t) * (Q * P2 * 0.004) / (P2 - P1);
}

inline double ShockCVolume(double Q, double L, double d, double P1, double P2, double P0, double t,
                           double rho) {
    const double u = Q * 1000.0 / (d * d * 0.785 * 3.6);
    const double w = rho * L * u;
    return ((w + w) / ((P2 - P1) * 100000.0) - t) * (Q * 0.1388888888888889) /
           (std::pow(P0 / P1, 0.7143) - std::pow(P0 / P2, 0.7143));
}

inline double PulseAVolume(double n, double A, double L, double k, double P1, double P2,
                           double P0) {
    return std::pow(P1 / P0, 1.0 / n) * k * L * A * 1000.0 / (1.0 - std::pow(P1 / P2, 1.0 / n));
}

inline double PulseBVolume(double n, double Vp, double P1, double P2, double k) {
    const double pm = (P1 + P2) * 0.5;
    return std::pow(pm / P1, 1.0 / n) * k * Vp / (1.0 - std::pow(pm / P2, 1.0 / n));
}

inline double PulseCVolume(double n, double deltaV, double P1, double P2) {
    return deltaV / (1.0 - std::pow(P1 / P2, 1.0 / n));
}

inline double PulseDVolume(double Vp, double deltaV, double Pp, double deltaP) {
    return Vp * (deltaV / Vp) / (deltaP / Pp * 0.6);
}

} // namespace steps

// formula gives bit for bit the double of its written-out steps (any NaN for a NaN) over
// 100,000 inputs from a seeded generator: magnitudes from 0.001 to 1000, one in eight negative,
// one in 64 zero. Most of them must give a finite volume, so that the digits are compared.
template <typename... Inputs>
void ExpectStepsOverRandomInputs(const char* name, double (*formula)(Inputs...),
                                 double (*written)(Inputs...)) {
    SCOPED_TRACE(name);
    constexpr int kInputs = 100000;
    std::mt19937_64 random(0x5EED);
    std::uniform_real_distribution<double> decade(-3.0, 3.0);
    int finite = 0;
    int differing = 0;
    std::string first;
    for (int i = 0; i < kInputs; ++i) {
        std::array<double, sizeof...(Inputs)> x;
        for (double& value : x) {
            const auto pick = random() % 64;
            value = pick == 0 ? 0.0 : std::pow(10.0, decade(random)) * (pick < 8 ? -1.0 : 1.0);
        }
        const double got = std::apply(formula, x);
        const double want = std::apply(written, x);
        finite += std::isfinite(want) ? 1 : 0;
        if (std::memcmp(&got, &want, sizeof got) == 0 || (std::isnan(got) && std::isnan(want))) {
            continue;
        }
        if (differing++ == 0) {
            std::ostringstream inputs;
            inputs << std::hexfloat;
            for (double value : x) {
                inputs << value << " ";
            }
            inputs << "give " << got << " instead of " << want;
            first = inputs.str();
        }
    }
    EXPECT_EQ(differing, 0) << "first: " << first;
    EXPECT_GT(finite, kInputs / 2);
}

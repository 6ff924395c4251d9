// Checks shared by the tables of the formula tests: how a worked example must come out, and
// how a rejected input must fail.
#pragma once

#include "calc/calc_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

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

#include "base/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct Accepted {
    const char* text;
    double value;
};

TEST(NumberText, AcceptsPlainDecimalsInAsciiAndFullWidth) {
    const Accepted cases[] = {
        {"0", 0.0},
        {"1", 1.0},
        {"1.4", 1.4},
        {"1.40", 1.4},
        {" 5", 5.0},
        {"\t5\t ", 5.0},
        {"-2.5", -2.5},
        {"+3", 3.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1e3", 1000.0},
        {"1E-3", 0.001},
        {"2.5e+2", 250.0},
        {"-0", -0.0},
        {"1e-400", 0.0},
        {"0.000000000000000000001e-400", 0.0},
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"\xA3\xB1\xA3\xB2", 12.0},          // full-width "１２"
        {"\xA3\xB1\xA3\xAE\xA3\xB4", 1.4},   // "１．４"
        {"\xA3\xAD\xA3\xB3", -3.0},          // "－３"
        {"\xA3\xAB\xA3\xB7", 7.0},           // "＋７"
        {"\xA3\xB1\xA3\xE5\xA3\xB2", 100.0}, // "１ｅ２"
        {"\xA1\xA1"
         "8"
         "\xA1\xA1",
         8.0}, // ideographic blanks around
        {"00012.500", 12.5},
    };
    for (const auto& c : cases) {
        double value = -999.0;
        EXPECT_TRUE(ParseNumberText(c.text, value)) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(std::signbit(value), std::signbit(c.value)) << c.text;
    }
}

TEST(NumberText, RejectsEverythingElseAndKeepsTheValue) {
    const std::string cases[] = {
        "",
        "   ",
        "\t",
        "12abc",
        "abc",
        "inf",
        "-inf",
        "nan",
        "infinity",
        "0x10",
        "1e400",
        "-1e400",
        "1e",
        "1e+",
        "e5",
        ".",
        "-",
        "+-1",
        "--1",
        "1,5",
        "1 5",
        "1..5",
        "1.5.",
        std::string("1\0"
                    "2",
                    3),
        "1\n",
        "\x01"
        "1",
        "1\x7f",
        "\xA3",     // a lead byte at the end
        "1\xA3",    // broken double-byte character after a digit
        "\xB4\xF3", // an ordinary Chinese character
        "\xA3\xC1", // full-width letter A
        // Beside the double-byte characters that are read: the full-width forms A3A1..A3FE and
        // the ideographic blank A1A1.
        "5\xA3\xA0",
        "5\xA3\xFF",
        "\xA2\xB5",
        "\xA4\xB5",
        "5\xA1\xA0",
        "5\xA1\xA2",
        "5\xA0\xA1",
        "5\xA2\xA1",
        // Exponents that wrap around a 64-bit integer.
        "1e99999999999999999999",
        "1e9223372036854775808",
    };
    for (const auto& text : cases) {
        double value = 42.0;
        EXPECT_FALSE(ParseNumberText(text, value)) << text;
        EXPECT_EQ(value, 42.0) << text;
    }
}

TEST(NumberText, ReadsLongTextsWithoutTrouble) {
    std::string zeros(10000, '0');
    double value = 0.0;
    EXPECT_TRUE(ParseNumberText(zeros + "7", value));
    EXPECT_EQ(value, 7.0);
    EXPECT_TRUE(ParseNumberText("0." + zeros + "1e10001", value));
    EXPECT_EQ(value, 1.0);
    EXPECT_FALSE(ParseNumberText(std::string(10000, '9'), value));
    EXPECT_FALSE(ParseNumberText(std::string(10000, 'x'), value));
}

// Far more digits than an exponent of a double spans: the value is judged by the position of
// its first digit and its exponent together, however long either is.
TEST(NumberText, JudgesHugeAndTinyBeyondAnyLengthOfText) {
    const std::string zeros(2000000, '0');
    double value = 42.0;
    // 1e-2000001 scaled by 1e10000000: far too large.
    EXPECT_FALSE(ParseNumberText("0." + zeros + "1e10000000", value));
    EXPECT_EQ(value, 42.0);
    // 1e2000000 scaled by 1e-10000000: too small to hold, so zero.
    EXPECT_TRUE(ParseNumberText("1" + zeros + "e-10000000", value));
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(ParseNumberText("0." + zeros + "1e-99999999999999999999", value));
    EXPECT_EQ(value, 0.0);
    EXPECT_FALSE(ParseNumberText("1" + zeros + "e99999999999999999999", value));
}

TEST(NumberText, WritesShortestPlainTextThatReadsBack) {
    EXPECT_EQ(FormatNumberText(0.0), "0");
    EXPECT_EQ(FormatNumberText(1.0), "1");
    EXPECT_EQ(FormatNumberText(1.4), "1.4");
    EXPECT_EQ(FormatNumberText(-2.5), "-2.5");
    EXPECT_EQ(FormatNumberText(0.1 + 0.2), "0.30000000000000004");
    const double samples[] = {0.0,
                              1.0,
                              1.4,
                              22.222222222222221,
                              1e-300,
                              6.02e23,
                              std::numeric_limits<double>::max(),
                              std::numeric_limits<double>::denorm_min(),
                              -7.25};
    for (double sample : samples) {
        double back = 0.0;
        ASSERT_TRUE(ParseNumberText(FormatNumberText(sample), back)) << sample;
        EXPECT_EQ(back, sample);
    }
}

// The notes write a value as it would be typed: no exponent however large or small.
TEST(NumberText, WritesPlainDecimalsThatReadBack) {
    EXPECT_EQ(PlainNumberText(2e7), "20000000");
    EXPECT_EQ(PlainNumberText(3.3e7), "33000000");
    EXPECT_EQ(PlainNumberText(1e-7), "0.0000001");
    EXPECT_EQ(PlainNumberText(-16964218.96), "-16964218.96");
    for (double sample : {1e-300, 6.02e23, std::numeric_limits<double>::max(),
                          std::numeric_limits<double>::denorm_min(), -0.1 - 0.2}) {
        const std::string text = PlainNumberText(sample);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        double back = 0.0;
        ASSERT_TRUE(ParseNumberText(text, back)) << sample;
        EXPECT_EQ(back, sample);
    }
}

} // namespace

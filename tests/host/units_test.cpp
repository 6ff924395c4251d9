#include "sizing/units.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

// A text typed into one input of a method and the value the input then holds, in its own unit;
// rejected texts have none.
struct Typed {
    const char* method;
    const char* input;
    const char* text;
    bool accepted;
    double value;
};

constexpr bool kNo = false;

const sizing::Input& Field(const char* method, const char* input) {
    const sizing::Method* m = sizing::FindMethod(method);
    EXPECT_NE(m, nullptr) << method;
    const std::size_t i = sizing::InputIndex(*m, input);
    EXPECT_LT(i, m->inputCount) << method << " " << input;
    return m->inputs[i];
}

void Check(std::initializer_list<Typed> cases) {
    for (const Typed& c : cases) {
        SCOPED_TRACE(std::string(c.method) + " " + c.input + " \"" + c.text + "\"");
        double value = -999.0;
        ASSERT_EQ(sizing::ReadTypedQuantity(c.text, Field(c.method, c.input), value), c.accepted);
        EXPECT_DOUBLE_EQ(value, c.accepted ? c.value : -999.0);
    }
}

TEST(Units, Pressure) {
    Check({
        {"aux", "p1", "15", true, 15},
        {"aux", "p1", "15 MPa", true, 15},
        {"aux", "p1", "15 Mpa", true, 15},
        {"aux", "p1", "15mpa", true, 15},
        {"aux", "p1", "150 bar", true, 15},
        {"aux", "p1", "150Bar", true, 15},
        {"aux", "p1", "1500 kPa", true, 1.5},
        {"aux", "p1", "2500000 Pa", true, 2.5},
        {"aux", "p1", "1 psi", true, 0.006894757293168},
        {"aux", "p1", "1000 PSI", true, 6.894757293168},
        {"pulse-a", "P1", "250 bar", true, 25000000},
        {"pulse-a", "P1", "0.1 MPa", true, 100000},
        {"pulse-a", "P1", "1 psi", true, 6894.757293168},
        {"shock-c", "P1", "10 MPa", true, 100},
        {"shock-c", "P1", "100 kPa", true, 1},
        {"shock-c", "P1", "14.5 psi", true, 0.99973980750936},
        {"aux", "p1", "10 L", kNo, 0},
        {"aux", "p1", "10 m", kNo, 0},
        {"aux", "p1", "10 atm", kNo, 0},
        {"aux", "p1", "bar", kNo, 0},
        {"aux", "p1", "10 bar bar", kNo, 0},
        {"aux", "p1", "10 b ar", kNo, 0},
        {"aux", "p1", "bar 10", kNo, 0},
        {"aux", "p1", "1e400 Pa", kNo, 0},
        {"pulse-a", "P1", "1e303 MPa", kNo, 0}, // beyond a double in Pa
    });
}

TEST(Units, Volume) {
    Check({
        {"aux", "deltaV", "10 L", true, 10},
        {"aux", "deltaV", "10l", true, 10},
        {"aux", "deltaV", "500 mL", true, 0.5},
        {"aux", "deltaV", "500 cm3", true, 0.5},
        {"aux", "deltaV", "500 cm³", true, 0.5},
        {"aux", "deltaV", "0.01 m3", true, 10},
        {"aux", "deltaV", "0.01 m³", true, 10},
        {"aux", "deltaV", "100 in3", true, 1.6387064},
        {"aux", "deltaV", "100 in³", true, 1.6387064},
        {"aux", "deltaV", "1 gal", true, 3.785411784},
        {"aux", "deltaV", "2 GAL", true, 7.570823568},
        {"pulse-d", "Vp", "0.028 L/r", true, 0.028},
        {"pulse-d", "Vp", "28 cm³/r", true, 0.028},
        {"pulse-d", "Vp", "28 mL", true, 0.028},
        {"pulse-d", "Vp", "1 gal/R", true, 3.785411784},
        {"aux", "deltaV", "10 L/r", kNo, 0},
        {"aux", "deltaV", "10 bar", kNo, 0},
        {"aux", "deltaV", "10 L/min", kNo, 0},
        {"aux", "deltaV", "10 cm^3", kNo, 0},
        {"pulse-d", "Vp", "2 /r", kNo, 0},
        {"pulse-d", "Vp", "2 L/r/r", kNo, 0},
    });
}

TEST(Units, Flow) {
    Check({
        {"shock-b", "Q", "100 L/min", true, 100},
        {"shock-b", "Q", "100 l/MIN", true, 100},
        {"shock-b", "Q", "2 L/s", true, 120},
        {"shock-b", "Q", "6 m3/h", true, 100},
        {"shock-b", "Q", "6 m³/h", true, 100},
        {"shock-b", "Q", "10 gpm", true, 37.85411784},
        {"shock-b", "Q", "10 L", kNo, 0},
        {"shock-b", "Q", "10 L/h", kNo, 0},
        {"shock-b", "Q", "10 L / min", kNo, 0},
    });
}

TEST(Units, Length) {
    Check({
        {"shock-a", "l", "200 m", true, 200},
        {"shock-a", "l", "20 cm", true, 0.2},
        {"shock-a", "l", "1000 mm", true, 1},
        {"shock-a", "l", "12 in", true, 0.3048},
        {"shock-a", "l", "100 ft", true, 30.48},
        {"shock-c", "d", "20 mm", true, 20},
        {"shock-c", "d", "2 cm", true, 20},
        {"shock-c", "d", "1 in", true, 25.4},
        {"shock-c", "d", "0.02 m", true, 20},
        {"shock-c", "d", "20 m2", kNo, 0},
        {"shock-c", "d", "20 bar", kNo, 0},
        {"shock-c", "d", "20 km", kNo, 0},
    });
}

TEST(Units, Area) {
    Check({
        {"shock-a", "A", "0.01 m2", true, 0.01},
        {"shock-a", "A", "0.01 m²", true, 0.01},
        {"shock-a", "A", "100 cm2", true, 0.01},
        {"shock-a", "A", "100 cm²", true, 0.01},
        {"shock-a", "A", "10000 mm2", true, 0.01},
        {"shock-a", "A", "10000 mm²", true, 0.01},
        {"shock-a", "A", "1 in2", true, 0.00064516},
        {"shock-a", "A", "1 in²", true, 0.00064516},
        {"shock-a", "A", "2 m", kNo, 0},
        {"shock-a", "A", "2 m3", kNo, 0},
        {"shock-a", "A", "2 m ²", kNo, 0},
        {"shock-a", "A", "2 m^2", kNo, 0},
    });
}

TEST(Units, DensityAndVelocity) {
    Check({
        {"shock-a", "rho", "0.9 kg/L", true, 0.9},
        {"shock-a", "rho", "900 kg/m3", true, 0.9},
        {"shock-a", "rho", "900 kg/m³", true, 0.9},
        {"shock-a", "rho", "0.9 g/cm3", true, 0.9},
        {"shock-a", "rho", "0.9 g/cm³", true, 0.9},
        {"shock-a", "rho", "0.9 kg", kNo, 0},
        {"shock-a", "v", "4 m/s", true, 4},
        {"shock-a", "v", "36 km/h", true, 10},
        {"shock-a", "v", "10 ft/s", true, 3.048},
        {"shock-a", "v", "240 m/min", true, 4},
        {"shock-a", "v", "4 m", kNo, 0},
        {"shock-a", "v", "4 L/min", kNo, 0},
    });
}

TEST(Units, FieldsWithoutUnitTakeOnlyTheNumber) {
    Check({
        {"aux", "n", "1.4", true, 1.4},
        {"aux", "n", "１．４", true, 1.4},
        {"aux", "n", "1.4 MPa", kNo, 0},
        {"aux", "n", "1²", kNo, 0},
        {"pulse-a", "k", "0.6 L", kNo, 0},
        {"shock-b", "t", "0.5 s", kNo, 0},
        {"shock-c", "t", "1 m", kNo, 0},
    });
}

TEST(Units, FullWidthFormsAndSquaredSigns) {
    Check({
        {"aux", "p1", "１５０ ｂａｒ", true, 15},
        {"aux", "p1", "１５０ＢＡＲ", true, 15},
        {"aux", "p1", "　１５　ＭＰａ　", true, 15}, // ideographic blanks
        {"shock-b", "Q", "１００　Ｌ／ｍｉｎ", true, 100},
        {"shock-b", "Q", "６ ｍ³／ｈ", true, 100},
        {"shock-a", "rho", "０．９ ｋｇ／Ｌ", true, 0.9},
        {"shock-a", "A", "0.01㎡", true, 0.01},
        {"shock-a", "A", "100 ㎠", true, 0.01},
        {"shock-c", "d", "20㎜", true, 20},
        {"aux", "p1", "15 ㎫", true, 15},
        {"aux", "deltaV", "0.01 ㎥", true, 10},
        {"shock-a", "rho", "900 ㎏/m³", true, 0.9},
        {"aux", "p1", "15 兆帕", kNo, 0},
        {"aux", "deltaV", "10 升", kNo, 0},
        {"aux", "p1", "15 ㎡", kNo, 0},
        {"aux", "p1",
         "\xFF"
         "15",
         kNo, 0}, // no UTF-8
        {"aux", "p1",
         "\xC0\xB1"
         "5",
         kNo, 0},                                 // an overlong "1"
        {"aux", "p1", "15 \xED\xA0\x80", kNo, 0}, // a surrogate
    });
}

TEST(Units, NumberTextInCodePage936) {
    // What the edits' number text holds: full-width forms as code page 936 writes them.
    std::string text;
    ASSERT_TRUE(sizing::NumberTextFromUtf8("１５０　ｂａｒ m³", text));
    EXPECT_EQ(text, "\xA3\xB1\xA3\xB5\xA3\xB0\xA1\xA1\xA3\xE2\xA3\xE1\xA3\xF2 m3");
    double value = 0.0;
    ASSERT_TRUE(sizing::ReadQuantity("\xA3\xB1\xA3\xB5\xA3\xB0\xA1\xA1\xA3\xE2\xA3\xE1\xA3\xF2",
                                     Field("aux", "p1"), value));
    EXPECT_EQ(value, 15.0);
    EXPECT_FALSE(sizing::ReadQuantity("15 \xC3\xD7", Field("shock-a", "l"), value)); // "15 米"
    EXPECT_FALSE(sizing::ReadQuantity("15 \xA3", Field("shock-a", "l"), value));
}

TEST(Units, Temperature) {
    const struct {
        const char* text;
        bool accepted;
        double celsius;
    } rows[] = {
        {"20", true, 20},          {"-10 °C", true, -10},
        {"-10°c", true, -10},      {"50℃", true, 50},
        {"５０ ℃", true, 50},      {"－１０℃", true, -10},
        {"263.15 K", true, -10},   {"263.15ｋ", true, -10},
        {"-40 °F", true, -40},     {"212℉", true, 100},
        {"300", true, 300},        {"20 C", true, 20},
        {"-10c", true, -10},       {"122F", true, 50},
        {"-40 f", true, -40},      {"-10 degC", true, -10},
        {"212 DEGF", true, 100},   {"５０ Ｃ", true, 50},
        {"20 CC", kNo, 0},         {"20 °CF", kNo, 0},
        {"20 deg", kNo, 0},        {"C", kNo, 0},
        {"20 Fahrenheit", kNo, 0}, {"20°", kNo, 0},
        {"20 ° C", kNo, 0},        {"℃", kNo, 0},
        {"20 bar", kNo, 0},        {"20 K K", kNo, 0},
        {"1e400 K", kNo, 0},       {"20 \xFF℃", kNo, 0},
    };
    for (const auto& row : rows) {
        double celsius = -999.0;
        EXPECT_EQ(sizing::ReadTypedTemperature(row.text, celsius), row.accepted) << row.text;
        EXPECT_DOUBLE_EQ(celsius, row.accepted ? row.celsius : -999.0) << row.text;
    }
}

TEST(Units, TheFieldsOwnUnitKeepsTheNumberExactly) {
    // Converting into the unit it came in must not move the last digit.
    const char* const texts[] = {"0.1", "1e-7", "6894.757293168", "3.785411784"};
    for (const char* unit : {" MPa", " bar", " Pa", " L", " L/min", " m", " mm", " m2", " kg/L"}) {
        for (const char* number : texts) {
            const std::string text = std::string(number) + unit;
            double value = 0.0;
            for (const sizing::Method& method : sizing::kMethods) {
                for (std::size_t i = 0; i < method.inputCount; ++i) {
                    if (std::string(" ") + method.inputs[i].unit == unit) {
                        ASSERT_TRUE(sizing::ReadTypedQuantity(text, method.inputs[i], value))
                            << text;
                        EXPECT_EQ(value, std::stod(number)) << text;
                    }
                }
            }
        }
    }
}

} // namespace

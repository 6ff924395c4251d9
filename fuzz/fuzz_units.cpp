// The unit reader: any bytes typed into any field are read without fault. What is accepted is
// a finite value; a rejected text leaves the value alone; a number followed by the field's own
// unit reads as the number alone, with another of its kind times the ratio of the units' sizes;
// what the Unicode boundary hands on is number text. The same for temperatures, with units.
#include "base/number_text.h"
#include "sizing/units.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

namespace {

const sizing::Input& FieldOf(uint8_t selector) {
    const sizing::Method& method = sizing::kMethods[selector % sizing::kMethodCount];
    return method.inputs[(selector / sizing::kMethodCount) % method.inputCount];
}

// Each unit's size in SI units (inch, pound-force and US gallon as defined).
const char* const kSizes =
    "MPa 1e6 bar 1e5 kPa 1e3 Pa 1 psi 6894.757293168 L 1e-3 mL 1e-6 cm3 1e-6 "
    "m3 1 in3 1.6387064e-5 gal 3.785411784e-3 L/min 1.6666666666666667e-5 "
    "L/s 1e-3 m3/h 2.7777777777777778e-4 gpm 6.30901964e-5 m 1 mm 1e-3 cm 1e-2 "
    "in 0.0254 ft 0.3048 m2 1 cm2 1e-4 mm2 1e-6 in2 6.4516e-4 kg/L 1e3 kg/m3 1 "
    "g/cm3 1e3 m/s 1 km/h 0.27777777777777778 ft/s 0.3048 m/min 0.016666666666666667";

// The size of a unit, of a volume also per revolution; NaN for one the table lacks.
double Size(const std::string& unit) {
    std::istringstream sizes(kSizes);
    std::string symbol;
    double size = 0.0;
    while (sizes >> symbol >> size && symbol != unit.substr(0, unit.find("/r"))) {
    }
    return sizes ? size : NAN;
}

void CheckRead(std::string_view text, const sizing::Input& field) {
    double value = 12345.0;
    if (sizing::ReadQuantity(text, field, value)) {
        if (!std::isfinite(value)) {
            std::abort();
        }
    } else if (value != 12345.0) {
        std::abort();
    }
    double number = 0.0;
    if (ParseNumberText(text, number) && *field.unit != '\0') {
        double withUnit = 0.0;
        if (!sizing::ReadQuantity(std::string(text) + " " + field.unit, field, withUnit) ||
            withUnit != number) {
            std::abort();
        }
        std::istringstream units(sizing::UnitSymbols(field.kind));
        for (std::string unit; units >> unit;) {
            const double expected = number * (Size(unit) / Size(field.unit));
            if (!(std::fabs(expected) >= 1e300) &&
                !(sizing::ReadQuantity(std::string(text) + " " + unit, field, withUnit) &&
                  std::fabs(withUnit - expected) <= 1e-14 * std::fabs(expected) + DBL_MIN)) {
                std::abort();
            }
        }
    }
}

// A temperature is finite when read, left alone when not; a number reads as that many °C, and
// with a unit as the unit says.
void CheckTemperature(std::string_view text) {
    double celsius = 12345.0;
    const bool read = sizing::ReadTypedTemperature(text, celsius);
    if (read ? !std::isfinite(celsius) : celsius != 12345.0) {
        std::abort();
    }
    // A number in ASCII: the same text in UTF-8 and in the number text's code page.
    double number = 0.0;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; }) ||
        !ParseNumberText(text, number)) {
        return;
    }
    const struct {
        const char* unit;
        double celsius;
    } units[] = {{"", number},
                 {" °C", number},
                 {"℃", number},
                 {"c", number},
                 {" degC", number},
                 {" K", number - 273.15},
                 {" F", (number - 32.0) * 5.0 / 9.0},
                 {"degf", (number - 32.0) * 5.0 / 9.0}};
    for (const auto& unit : units) {
        double withUnit = 0.0;
        if (std::isfinite(unit.celsius) &&
            (!sizing::ReadTypedTemperature(std::string(text) + unit.unit, withUnit) ||
             withUnit != unit.celsius)) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const sizing::Input& field = FieldOf(data[0]);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    CheckRead(text, field);
    CheckTemperature(text);
    std::string numberText;
    if (sizing::NumberTextFromUtf8(text, numberText)) {
        // Only ASCII and the double-byte forms the number text knows come out: the number
        // text refuses nothing but the control characters passed on.
        bool control = false;
        for (unsigned char c : numberText) {
            control = control || (c < 0x20 && c != '\t') || c == 0x7F;
        }
        std::string ascii;
        if (!control && !NumberTextToAscii(numberText, ascii)) {
            std::abort();
        }
        CheckRead(numberText, field);
    }
    return 0;
}

// The unit reader: any bytes typed into any field are read without fault. What is accepted is
// a finite value; a rejected text leaves the value alone; a number followed by the field's own
// unit reads as the number alone; what the Unicode boundary hands on is number text. The same
// for temperatures, with their units.
#include "base/number_text.h"
#include "sizing/units.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

const sizing::Input& FieldOf(uint8_t selector) {
    const sizing::Method& method = sizing::kMethods[selector % sizing::kMethodCount];
    return method.inputs[(selector / sizing::kMethodCount) % method.inputCount];
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
    } units[] = {{"", number}, {" °C", number}, {"℃", number}, {" K", number - 273.15}};
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

// Units a number typed into a field may carry, with their exact factors, and the reader of such
// texts. Platform-free.
#pragma once

#include "sizing/methods.h"

#include <string>
#include <string_view>

namespace sizing {

// Reads a number text as the edits take it (GBK: blanks, sign, decimals, exponent, full-width
// forms), optionally followed, with or without blanks, by a unit of the field's kind, matched
// without regard to case; full-width letters and slashes count as their ASCII twins. The
// number is converted into the field's unit; a field held per revolution ("L/r") also takes
// its volume units followed by "/r". On success writes value and answers true. A text that is
// no number, a unit of another kind, an unknown unit, a unit in a field that has none, or a
// value beyond a double after conversion leave value untouched and answer false.
bool ReadQuantity(std::string_view text, const Input& field, double& value);

// Brings a text typed in Unicode (UTF-8) into the alphabet of the number text, as code page 936
// writes it: ASCII, the full-width forms and the ideographic blank. A superscript two or three
// after a letter ("m²", "cm³"), which code page 936 cannot hold, becomes the digit, and the
// squared-unit signs of Chinese input methods ("㎡", "㎜", "㎫"...) become the unit they show.
// Answers false for malformed UTF-8 or any other character: none belongs to a number or unit.
bool NumberTextFromUtf8(std::string_view typed, std::string& text);

// The symbols of the units of kind, in ASCII, separated by blanks ("MPa bar kPa Pa psi"); empty
// for a kind without units.
std::string UnitSymbols(Quantity kind);

// ReadQuantity of a text typed in Unicode (UTF-8).
bool ReadTypedQuantity(std::string_view typed, const Input& field, double& value);

// Reads a temperature typed in Unicode (UTF-8): a number as ReadTypedQuantity takes it,
// optionally followed by a unit, °C, ℃, C or degC (the default), K, °F, ℉, F or degF, the
// letters in any case, in °C. On success writes celsius and answers true; a text that is no
// temperature leaves celsius untouched.
bool ReadTypedTemperature(std::string_view typed, double& celsius);

} // namespace sizing

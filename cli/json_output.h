// What presovol-calc writes as JSON: a calculation and a failure.
#pragma once

#include "cli/failure.h"
#include "sizing/calculation.h"

#include <nlohmann/json.hpp>

namespace cli {

using Json = nlohmann::ordered_json;

// A number for JSON: a whole number without a decimal point, as people write it.
Json Number(double value);

// The calculation: the inputs, the volumes, the pick, the temperatures, the real gas, the
// performance and the notes.
Json CalculationJson(const sizing::Calculation& c);

// The failure: its code, the input it is about (null for none) and its text.
Json ErrorJson(const Failure& failure);

// json on one line with its line break, every character beyond ASCII escaped where ascii is set.
// Bytes that are no UTF-8 (in a value as typed, in a file's name) stand as U+FFFD: writing never
// fails on what the user gave.
std::string JsonLine(const Json& json, bool ascii);

} // namespace cli

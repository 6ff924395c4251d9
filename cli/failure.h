// Why a case or the command cannot go on, and the texts that tell it.
#pragma once

#include "sizing/methods.h"

#include <string>
#include <string_view>

namespace cli {

// Why a case or the command cannot go on.
struct Failure {
    // ASCII: "usage" (the command line, a CSV header or row), "method" (no such method),
    // "input" (no such input of the method, one given twice, a temperature or discharge the method
    // does not take), "missing" (inputs not given), "number" (a value, temperature, time or volume
    // that is none), "temperature" (a temperature out of range, the lowest above the highest),
    // "discharge" (a discharge time or time constant not above zero), "invalid" (the
    // formula gives no volume), "no-value" (a solve finds no value), "file" (a file not read or
    // not written), "sheet" (a sheet that cannot be read)
    const char* code;
    std::string input; // the input it is about, or empty
    std::string text;  // what the user reads, UTF-8
    int exitCode;
};

// A text of the program's own (GBK in the Windows build) as the command writes it: UTF-8.
std::string Text(const char* programText);

Failure Usage(std::string text);

Failure UnknownMethod(std::string_view name);

// What a value that is no number of the input is told.
Failure NotANumber(const sizing::Input& input, std::string_view typed);

// The names of the method's inputs in binding order, a blank between.
std::string InputNames(const sizing::Method& method);

} // namespace cli

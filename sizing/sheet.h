// The calculation sheet (计算书): one calculation written out for the design file, as a
// self-contained, print-friendly HTML page (A4, black on white, no script, nothing fetched) and
// as plain text. Platform-free; both come out in UTF-8.
#pragma once

#include "sizing/methods.h"
#include "sizing/notes.h"

#include <ctime>
#include <string>

namespace sizing {

// One calculation that showed a volume.
struct Calculation {
    const Method* method;
    double values[kMaxInputs];     // in binding order, each in its input's unit
    std::string typed[kMaxInputs]; // the inputs as typed, in UTF-8
    double temperature;            // the gas temperature of the real-gas correction, °C
    double volume;                 // the formula's volume, litres
    Notes notes;
};

// The calculation of method over values (binding order) as typed, with its notes.
Calculation Calculate(const Method& method, const double* values, const std::string* typed,
                      double temperature = kGasTemperature);

// Who made the sheet, and when.
struct SheetStamp {
    std::string program; // the program's name; the sheet adds its version
    std::tm time;        // local time
};

std::string SheetHtml(const Calculation& calculation, const SheetStamp& stamp);
std::string SheetText(const Calculation& calculation, const SheetStamp& stamp);

// The name a sheet is saved under by default, e.g. "蓄能器计算书-辅助动力源-2026-12-07.html".
std::string SheetFileName(const Method& method, const std::tm& date);

} // namespace sizing

// The calculation sheet (计算书): one calculation written out for the design file, as a
// self-contained, print-friendly HTML page (A4, black on white, nothing run, nothing fetched)
// that carries its calculation as data to be opened again (sheet_data.h), and as plain text.
// Platform-free; both come out in UTF-8.
#pragma once

#include "sizing/calculation.h"

#include <ctime>
#include <string>

namespace sizing {

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

// The calculation a sheet carries, so that the sheet opens again: a data block that no browser
// runs, <script type="application/json" id="presovol-calculation">, holding the method, each
// input as typed, the conditions as typed and the result as it was saved. Reading the block
// gives back the typed texts, from which Calculate computes the calculation again.
//
// Platform-free. The block and every text here are UTF-8.
#pragma once

#include "sizing/calculation.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sizing {

// A larger file is no sheet: it is not read.
constexpr std::size_t kLargestSheetBytes = 8u << 20;

// The data block of calculation, made by program (its name and version), as one script
// element: format, version, program, method, inputs, conditions, result. Nothing in it can end
// the element early or break the page: "<", ">" and "&" stand as JSON escapes.
std::string SheetData(const Calculation& calculation, std::string_view program);

// The result a sheet holds, as it was saved.
struct SavedResult {
    double volume = 0.0;    // the formula's volume, litres
    double corrected = 0.0; // the volume the pick was made for, litres
    double nominalLitres = 0.0;
    double units = 0.0;
    std::optional<double> classMpa; // none above the common classes
};

// What a sheet gives back: its method, the inputs as typed and as read (binding order, each in
// its input's unit), the conditions as typed and as read, and the result it was saved with.
struct SavedSheet {
    const Method* method = nullptr;
    double values[kMaxInputs] = {};
    std::string typed[kMaxInputs];
    Conditions conditions;
    SavedResult result;
};

// Reads the sheet in bytes. Every typed text is read as the calculators read it. When it
// cannot be read, answers nothing, and reason says why in one sentence naming what is wrong:
// larger than kLargestSheetBytes, not a sheet, a sheet without its data, cut short, damaged
// data, a newer format, an unknown method, input or condition, a missing one, a text that is no
// number for its field, temperatures out of range.
std::optional<SavedSheet> ReadSheet(std::string_view bytes, std::string& reason);

// The same for the file at path; a file that cannot be read gets the system's reason.
std::optional<SavedSheet> ReadSheetFile(const std::filesystem::path& path, std::string& reason);

} // namespace sizing

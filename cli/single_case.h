// A single case from the command line: its result shown as text or JSON, its sheet written
// where --sheet names a file.
#pragma once

#include "cli/failure.h"
#include "cli/run.h"
#include "sizing/calculation.h"

#include <optional>

namespace cli {

// The case of the method and the inputs on the line, calculated, or with --solve solved, and
// shown; answers the exit code.
int RunCase(const Run& run);

// The sentence and the notes of calculation, a line each.
void WriteText(const Run& run, const sizing::Calculation& calculation);

// Writes the sheet of calculation where --sheet names it; the failure when it cannot.
std::optional<Failure> WriteSheet(const Run& run, const sizing::Calculation& calculation);

} // namespace cli

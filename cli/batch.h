// --batch: a case on each row of a CSV file, the results written after the row's own fields.
#pragma once

#include "cli/run.h"

#include <string_view>

namespace cli {

// Whether a batch reads the column of this name: method, solve, volume, the inputs of the eight
// methods, the temperatures and the discharge. A column the batch comes to read is named here;
// every other column is the user's own and is carried through as it stands.
bool IsBatchInput(std::string_view name);

// Calculates every row of the file --batch names and writes it with its results; answers the
// exit code: kShown when every row gave a volume.
int RunBatch(const Run& run);

} // namespace cli

// The command line of presovol-calc: its options and methods (CLI11), read into the settings
// of a run, and the check that they go together.
#pragma once

#include "cli/failure.h"
#include "cli/run.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// Reads args (the program's name first) into the run's settings. Answers the exit code where
// the command ends here: help shown, or a line that cannot be read (told through Fail).
std::optional<int> ReadOptions(const std::vector<std::string>& args, Run& run);

// Why the settings do not go together; nothing when they do.
std::optional<Failure> CheckSettings(const Settings& settings);

// Whether --out-encoding names this encoding, in any case.
bool IsOutEncoding(const Settings& settings, std::string_view name);

} // namespace cli

// --from: saved sheets calculated again, with inputs changed on the line, or with --check
// compared with the result they hold.
#pragma once

#include "cli/run.h"

namespace cli {

// Parts the values of --from into the sheets and the inputs that override theirs: a value
// name=value whose name a batch reads, other than method (an input of a method, a temperature,
// solve or volume).
void SplitFrom(Settings& settings);

// Each sheet calculated again and shown, or with --check compared with the result it holds, a
// line each; answers the exit code: kShown when every sheet gave a volume (with --check, the
// same).
int RunFrom(const Run& run);

} // namespace cli

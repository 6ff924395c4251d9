// --from: saved sheets calculated again, with inputs changed on the line, or with --check
// compared with the result they hold.
#pragma once

#include "cli/run.h"

namespace cli {

// Parts the values of --from into the sheets and the inputs that override theirs: a value
// name=value whose name is an input of a method or a temperature.
void SplitFrom(Settings& settings);

// Each sheet calculated again and shown, or with --check compared with the result it holds, a
// line each; answers the exit code: kShown when every sheet gave a volume (with --check, the
// same).
int RunFrom(const Run& run);

} // namespace cli

// --solve: the value of one input that gives a volume, for a single case and for a batch row.
#pragma once

#include "cli/case_input.h"
#include "cli/failure.h"
#include "cli/run.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace cli {

// What a solve is asked: the input and the volume.
struct SolveFor {
    std::size_t input;
    double volume;
};

// The input named and the volume typed for a solve of the case's method; the failure when
// either is wrong. The input need not be given: it is what is sought.
std::optional<Failure> ReadSolve(const std::string& name, const std::string& volume, Case& c,
                                 Given& given, SolveFor& solve);

// The values of the solved input for a case read; the failure when its range holds none.
std::optional<Failure> Solved(const Case& c, const SolveFor& solve, bool ideal,
                              std::vector<double>& values);

// Solves the input --solve names for --volume, the other inputs as given, and shows its values;
// answers the exit code.
int RunSolve(const Run& run, Case& c, Given& given);

} // namespace cli

// The inverse questions: which value of one input makes a method's volume a given volume, all
// other inputs staying as they are ("I have a 25 L accumulator; how far may p1 drop?").
//
// Platform-free. Values are in their input's unit.
#pragma once

#include "sizing/calculation.h"

#include <cstddef>
#include <vector>

namespace sizing {

// The values an input is searched over: from low to high, low itself only where lowIncluded.
struct SearchRange {
    double low, high;
    bool lowIncluded;
};

// The range of the input's kind of quantity, in the input's unit: pressures above 0 up to
// 100 MPa, volumes up to 10000 L, and so on (kSearchRanges in solver.cpp, shown in the README).
SearchRange RangeOf(const Input& input);

// The volume as the solver sees it: the corrected volume the pick is made for, or with ideal
// the formula's volume alone.
double SolvedVolume(const Method& method, const double* values, const Conditions& conditions,
                    bool ideal);

struct Solution {
    std::vector<double> values; // smallest first
    bool flat;                  // the volume does not change with the input (none found then)
};

// Every value of input index within range for which SolvedVolume equals volume: the range is
// scanned for changes of sign, a turning point between two samples is searched for a pair of close
// values, and each change of sign is narrowed by regula falsi with the Illinois rule (bisecting
// where a step would leave the bracket) to 1e-9 relative. A change of sign at which the volume
// does not come within 1e-6 of the one asked for (a pole, a step of a correction) is no value.
Solution Solve(const Method& method, const double* values, std::size_t index, double volume,
               const Conditions& conditions, bool ideal, const SearchRange& range);

// The value nearest start, searching from start towards bound only, for which the corrected
// volume equals volume; NaN when there is none.
double SolveFrom(const Method& method, const double* values, std::size_t index, double volume,
                 const Conditions& conditions, double start, double bound);

} // namespace sizing

// The inverse questions: which value of one input makes a method's volume a given volume, all
// other inputs staying as they are ("I have a 25 L accumulator; how far may p1 drop?").
//
// Platform-free. Values are in their input's unit.
#pragma once

#include "sizing/calculation.h"

#include <cstddef>
#include <vector>

namespace sizing {

// The values an input is searched over: from low to high, each end only where included.
struct SearchRange {
    double low, high;
    bool lowIncluded;
    bool highIncluded = true;
};

// The range of the input's kind of quantity, in the input's unit: pressures above 0 up to
// 100 MPa, volumes up to 10000 L, and so on (kSearchRanges in solver.cpp, shown in the README).
SearchRange RangeOf(const Input& input);

// The part of range in the method's physical domain (InDomain) for input index, the other
// inputs as in values: above the input the formula needs below it and below the one it needs
// above it, that edge excluded (the formula's pole). Empty where the other inputs lie outside
// the domain.
SearchRange DomainOf(const Method& method, const double* values, std::size_t index,
                     const SearchRange& range);

// Whether range holds x.
bool Holds(const SearchRange& range, double x);

// The volume as the solver sees it: the corrected volume the pick is made for, or with ideal
// the formula's volume alone.
double SolvedVolume(const Method& method, const double* values, const Conditions& conditions,
                    bool ideal);

struct Solution {
    std::vector<double> values; // smallest first
    bool flat;                  // the volume does not change with the input (none found then)
};

// Every value of input index within range and the method's domain (DomainOf) for which
// SolvedVolume equals volume; a volume that is not above zero or not finite is no volume. The
// scan samples the distance to an open end of the domain geometrically, down to a value as
// near that end as a double gets, and never samples the end itself; a turning point between
// two samples is searched for a pair of close values, and each change of sign is narrowed by
// regula falsi with the Illinois rule (bisecting where the bracket spans more than a decade of
// that distance) to 1e-9 of it. A change of sign at which the volume does not come within 1e-6
// of the one asked for (a step of a correction) is no value.
Solution Solve(const Method& method, const double* values, std::size_t index, double volume,
               const Conditions& conditions, bool ideal, const SearchRange& range);

// The value nearest the one in values at index, searching from it towards the end of the
// input's domain above it (where above) or below it, for which the corrected volume equals
// volume; NaN when there is none.
double SolveFrom(const Method& method, const double* values, std::size_t index, double volume,
                 const Conditions& conditions, bool above);

} // namespace sizing

// The catalogue pick: which accumulator of the common bladder series, and of which pressure
// class, holds a computed volume at a method's highest pressure.
//
// Platform-free. Every judgement is made on a computed number as the program shows it, with two
// decimals, so that a volume shown as 32.00 picks 32 L and a pressure shown as 31.50 MPa stays
// in its class.
#pragma once

#include "sizing/methods.h"

#include <optional>
#include <string>
#include <string_view>

namespace sizing {

// The nominal volumes of the common bladder series, in litres, smallest first.
extern const double kNominalLitres[19];
// The common nominal pressures, in MPa, lowest first.
extern const double kNominalMpa[3];

// The smallest volume that the pulsation calculators pick, as their footer advises, in litres.
constexpr double kLeastPulsationLitres = 1.0;

struct Pick {
    double volume;        // the volume the pick is made for, litres, as the caller gave it
    double nominalLitres; // the nominal volume of one unit
    double units;         // how many such units in parallel: 1 up to the largest size; a whole
                          // number, held as a double since typed inputs can ask for any volume
    double highestMpa;    // the method's highest pressure converted to MPa
    std::optional<double> classMpa; // the nominal pressure; none when highestMpa exceeds them
};

// A computed number as the program shows it: fixed-point with two decimals ("31.50"), or with
// as many as asked, locale-free. Not for infinities or NaN.
std::string TwoDecimalText(double value);
std::string FixedText(double value, int decimals);
// value rounded to what FixedText shows; infinities and NaN stay as they are.
double AsShown(double value, int decimals = 2);

// A pressure typed in unit ("MPa", "bar" or "Pa"), in MPa, and back.
double ToMpa(double value, std::string_view unit);
double FromMpa(double mpa, std::string_view unit);

// The method's highest pressure in MPa: p2 or P2 converted from its input's unit (bar in shock
// C, Pa in pulsation A), Pp + deltaP in pulsation D. values are the inputs in binding order.
double HighestPressureMpa(const Method& method, const double* values);

// The pick for volume (litres) under method with these inputs. The nominal volume is the
// smallest size not below the volume; above the largest size, the fewest units of one size in
// parallel, and among those the smallest size. The pulsation methods pick at least
// kLeastPulsationLitres. The class is the smallest nominal pressure not below the highest
// pressure.
Pick PickFor(const Method& method, const double* values, double volume);

} // namespace sizing

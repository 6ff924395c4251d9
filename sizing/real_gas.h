// The real-gas correction of the sizing methods: the factor f = V_real / V_ideal by which the
// volume that a formula gives for an ideal gas grows when its nitrogen is taken as the real gas
// of its reference equation of state, the gas following the same process as in the formula.
//
// Platform-free. The typed pressures are gauge pressures in the unit of the method table; the
// factor is worked out from absolute pressures (+0.101325 MPa) for the ideal and the real gas
// alike.
#pragma once

#include "sizing/methods.h"

#include <cstddef>
#include <optional>

namespace sizing {

// The gas temperature, in °C, that the correction assumes unless told another.
constexpr double kGasTemperature = 20.0;
// 0 °C in K.
constexpr double kZeroCelsius = 273.15;
// One standard atmosphere, MPa: a gauge pressure plus this is the absolute pressure.
constexpr double kAtmosphere = 0.101325;

enum class GasProcess {
    None,         // no correction
    Isothermal,   // n = 1: along the isotherm at the gas temperature
    Adiabatic,    // n = 1.4: along the isentrope through the gas temperature and the pre-charge
    Interpolated, // 1 < n < 1.4: linear in n between the isothermal and the adiabatic factor
};

struct GasCorrection {
    GasProcess process;
    double n;      // the exponent of the method's gas law
    double factor; // V_real / V_ideal: finite and positive; 1 with no correction
};

// The gas law of a method's formula: the gas volume V(p) = V0 (p0/p)^w, from the pre-charge p0
// through the working pressures p1 to p2 (absolute, MPa), with the exponent n that the
// real-gas correction follows (w = 1/n but in shock C, which writes 0.7143).
struct GasLaw {
    double n;
    double w;
    double p0, p1, p2;
};

// The gas law of the method for its inputs (values in binding order); none for the methods
// without one (shock B, pulsation D). Shock A has no p1: its band runs from p0 to p2.
std::optional<GasLaw> GasLawOf(const Method& method, const double* values);

// The volume of the method's formula with every pressure raised by one standard atmosphere in
// its input's unit: the gas law on absolute pressures. The formula's volume as it is for the
// methods without a gas law.
double AbsoluteVolume(const Method& method, const double* values);

// The correction for the method's inputs (values in binding order) at the gas temperature
// (°C). No correction for the methods without a gas law (shock B, pulsation D), for an
// exponent outside [1, 1.4], and wherever a state of the gas leaves the range of nitrogen's
// equation (below its critical temperature, above 1000 K or 2200 MPa) or the factor is no
// finite positive number.
GasCorrection RealGasCorrection(const Method& method, const double* values,
                                double gasTemperature = kGasTemperature);

// The factor of the storage form V0 = dV / ((p0/p1)^w - (p0/p2)^w), with the gas volumes at p1
// and p2 taken from nitrogen's density at constant mass along the isotherm at temperature t
// (K) or along the isentrope through (t, p0). Absolute pressures in MPa; NaN or an infinity
// when a state is out of range.
double StorageFactor(GasProcess process, double w, double p0, double p1, double p2, double t);

// The volumes of a mass of nitrogen at the pressures p[0..count) as multiples of its volume at
// p0, along the isotherm at temperature t (K) or along the isentrope through (t, p0); absolute
// pressures in MPa. NaN where a state is out of range.
void RealGasVolumes(GasProcess process, double p0, double t, const double* p, double* volumes,
                    std::size_t count);

// The factor of the energy form of shock A, V0 = E / (p0 ((p2/p0)^0.286 - 1) / 0.4): the work
// of the adiabatic compression from p0 to p2 taken from nitrogen's internal energy along the
// isentrope through (t, p0). Absolute pressures in MPa.
double ShockEnergyFactor(double p0, double p2, double t);

} // namespace sizing

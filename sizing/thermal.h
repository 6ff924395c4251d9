// The gas of a standby accumulator discharged over a given time: a thermal model of its nitrogen.
// The gas is charged to p2 and rests there at the wall temperature; then the oil leaves at a
// constant flow, the gas expands and cools, and the wall warms it back:
//
//     c_v dT/dt = c_v (T_w - T) / tau - T (dp/dT)_v dv/dt,    tau = m c_v / (h A),
//
// with v the gas's specific volume, on the equation of state of nitrogen.h. A short discharge
// follows the isentrope, a long one the isotherm. The thermal time constant tau is typed, or
// estimated at each instant from natural convection in the gas space: Nu_H = 0.104 Ra_H^0.352
// (Woodfield, Monde and Mitsutake 2007), H the height of the gas space, the properties of
// nitrogen_transport.h at the film temperature; the shell a vertical cylinder four diameters long
// that holds V0, the gas filling it to its own height, warmed by the shell's side along that
// height and by its top.
//
// Platform-free. Temperatures in K, absolute pressures in MPa, volumes in litres, times in s.
// Answers are NaN where the gas leaves the range of nitrogen's equation.
#pragma once

#include <vector>

namespace sizing::thermal {

// The accumulator and its gas, whatever its size.
struct Standby {
    double wall;     // the wall's temperature, at which the charged gas rests
    double density0; // kg/m3: the gas's mass over the volume V0 it fills at the precharge
    double p1, p2;   // the discharge's end and start
    double tau;      // the thermal time constant as typed; 0 for the estimate
};

// A discharge that ends at p1.
struct Discharge {
    double volume;      // V0
    double temperature; // the gas's at the end
    // ln(p2/p1) / ln(V_end/V2): the exponent of the polytrope through its two ends.
    double index;
    // The time constant at the start of the discharge: as typed, or estimated with the gas
    // space at its start and the largest difference from the wall's temperature that the gas
    // reaches in this discharge.
    double tau;
};

// The V0 whose gas ends the discharge of deltaV over the given time exactly at p1. It lies
// between IsothermalVolume (a discharge far longer than tau) and IsentropicVolume (far shorter).
Discharge StandbyVolume(const Standby& standby, double deltaV, double seconds);
double IsothermalVolume(const Standby& standby, double deltaV);
double IsentropicVolume(const Standby& standby, double deltaV);

// The oil that the accumulator of V0 delivers at the flow (litres per second) until its gas is at
// p1.
double DeliveredOil(const Standby& standby, double volume, double flow);

// The discharge of deltaV over the given time from V0 at count + 1 even steps of time: the gas's
// absolute pressure and its volume.
struct PathPoint {
    double pressure, volume;
};
std::vector<PathPoint> DischargePath(const Standby& standby, double volume, double deltaV,
                                     double seconds, int count);

} // namespace sizing::thermal

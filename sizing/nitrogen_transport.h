// The viscosity and thermal conductivity of nitrogen: E. W. Lemmon and R. T. Jacobsen,
// "Viscosity and Thermal Conductivity Equations for Nitrogen, Oxygen, Argon, and Air",
// Int. J. Thermophys. 25(1), 21-69 (2004), on the equation of state of nitrogen.h for the
// derivatives that the conductivity's critical enhancement needs.
//
// Platform-free. Temperatures in K, densities in kg/m3; nothing is checked against the range.
#pragma once

#include "sizing/nitrogen.h"

namespace sizing::nitrogen {

struct Transport {
    double viscosity;    // Pa s
    double conductivity; // W/(m K)
};

// At temperature t and density rho, whose state the equation gives as at.
Transport TransportAt(double t, double rho, const Derivatives& at);
// The same, evaluating the equation at (t, rho) itself.
Transport TransportAt(double t, double rho);

} // namespace sizing::nitrogen

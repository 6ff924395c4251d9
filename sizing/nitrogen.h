// Nitrogen as a real gas: the reference equation of state of R. Span, E. W. Lemmon,
// R. T. Jacobsen, W. Wagner and A. Yokozeki, "A Reference Equation of State for the
// Thermodynamic Properties of Nitrogen for Temperatures from 63.151 to 1000 K and Pressures to
// 2200 MPa", J. Phys. Chem. Ref. Data 29(6), 1361-1433 (2000), a fundamental equation in the
// reduced Helmholtz energy.
//
// Platform-free. Temperatures in K, pressures in MPa (absolute), densities in kg/m3, energies in
// J/kg, entropies in J/(kg K). The solvers answer NaN for a state they do not reach: a
// temperature or pressure outside the range used here, or inputs that are not numbers.
#pragma once

namespace sizing::nitrogen {

// The range used here. Below the critical temperature the gas may condense, and the equation's
// range ends at 1000 K and 2200 MPa.
constexpr double kCriticalTemperature = 126.192; // K
constexpr double kMaxTemperature = 1000.0;       // K
constexpr double kMaxPressure = 2200.0;          // MPa

// Pressure at temperature t and density rho.
double Pressure(double t, double rho);
// Compressibility factor Z = p / (rho R T).
double Compressibility(double t, double rho);
double InternalEnergy(double t, double rho);
double Entropy(double t, double rho);

// Density at temperature t and pressure p, by Newton's method on the pressure, kept inside a
// bracket of the root and bounded in its number of steps.
double Density(double t, double p);

struct State {
    double temperature; // K
    double density;     // kg/m3
};

// The end state at pressure p of the isentrope through temperature t0 and pressure p0.
State IsentropicEnd(double t0, double p0, double p);

// What a gas's energy balance and its heat transfer need of a state, from one evaluation of the
// equation at temperature t and density rho; nothing is checked against the range.
struct Derivatives {
    double pressure;  // MPa
    double cv, cp;    // isochoric and isobaric heat capacity, J/(kg K)
    double dpdt;      // (dp/dT) at constant density, MPa/K
    double dpdrho;    // (dp/drho) at constant temperature, MPa/(kg/m3)
    double expansion; // isobaric expansion coefficient (dv/dT)_p / v, 1/K
};
Derivatives DerivativesAt(double t, double rho);

// The equation's molar mass, kg/mol, and critical density, kg/m3.
constexpr double kMolarMass = 0.02801348;
constexpr double kCriticalDensity = 11183.9 * kMolarMass;

} // namespace sizing::nitrogen

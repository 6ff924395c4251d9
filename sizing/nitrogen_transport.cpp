#include "sizing/nitrogen_transport.h"

#include <cmath>

namespace sizing::nitrogen {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The reducing constants of the transport equations.
constexpr double kPc = 3.3958; // MPa
constexpr double kGramsPerMole = kMolarMass * 1e3;

// The dilute gas's viscosity: Chapman-Enskog with the collision integral of a Lennard-Jones
// fluid, micro-Pa s.
constexpr double kSigma = 0.3656;       // nm
constexpr double kEpsilonOverK = 98.94; // K
constexpr double kOmega[] = {0.431, -0.4623, 0.08406, 0.005341, -0.00331};

// Residual terms N tau^t delta^d exp(-gamma delta^l), gamma = 1 but where l = 0.
struct Term {
    double n, t;
    int d, l;
};
constexpr Term kViscosityTerms[] = {
    {10.72, 0.1, 2, 0},  {0.03989, 0.25, 10, 1}, {0.001208, 3.2, 12, 1},
    {-7.402, 0.9, 2, 2}, {4.62, 0.3, 1, 3},
};
constexpr Term kConductivityTerms[] = {
    {8.862, 0.0, 1, 0}, {31.11, 0.03, 2, 0},  {-73.13, 0.2, 3, 1},
    {20.03, 0.8, 4, 2}, {-0.7096, 0.6, 8, 2}, {0.2672, 1.9, 10, 2},
};
// The dilute gas's conductivity: N1 eta0 + N2 tau^t2 + N3 tau^t3, mW/(m K).
constexpr double kN1 = 1.511, kN2 = 2.117, kT2 = -1.0, kN3 = -3.332, kT3 = -0.7;

// The critical enhancement (Olchowy and Sengers, simplified).
constexpr double kNu = 0.63, kGamma = 1.2415, kR0 = 1.01;
constexpr double kXi0 = 0.17e-9; // m
constexpr double kBigGamma = 0.055;
constexpr double kQdInverse = 0.4e-9;       // m
constexpr double kTref = 252.384;           // K
constexpr double kBoltzmann = 1.380658e-23; // J/K

double Residual(const Term* terms, int count, double tau, double delta) {
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        const Term& k = terms[i];
        const double decay = k.l == 0 ? 1.0 : std::exp(-std::pow(delta, k.l));
        sum += k.n * std::pow(tau, k.t) * std::pow(delta, k.d) * decay;
    }
    return sum;
}

// Viscosity of the dilute gas, micro-Pa s.
double DiluteViscosity(double t) {
    const double lnT = std::log(t / kEpsilonOverK);
    double exponent = 0.0, power = 1.0;
    for (double b : kOmega) {
        exponent += b * power;
        power *= lnT;
    }
    return 0.0266958 * std::sqrt(kGramsPerMole * t) / (kSigma * kSigma * std::exp(exponent));
}

// The reduced susceptibility (pc rho / rhoc^2) (drho/dp)_T.
double Susceptibility(double rho, double dpdrho) {
    return kPc * rho / (kCriticalDensity * kCriticalDensity * dpdrho);
}

// The critical enhancement of the conductivity, W/(m K), with eta the viscosity in Pa s.
double Enhancement(double t, double rho, const Derivatives& at, double eta) {
    const double excess = Susceptibility(rho, at.dpdrho) -
                          Susceptibility(rho, DerivativesAt(kTref, rho).dpdrho) * kTref / t;
    if (!(excess > 0.0)) {
        return 0.0;
    }
    const double xi = kXi0 * std::pow(excess / kBigGamma, kNu / kGamma);
    const double qXi = xi / kQdInverse;
    const double omega =
        2.0 / kPi * ((at.cp - at.cv) / at.cp * std::atan(qXi) + at.cv / at.cp * qXi);
    const double ratio = qXi * kCriticalDensity / rho;
    const double omega0 = 2.0 / kPi * (1.0 - std::exp(-1.0 / (1.0 / qXi + ratio * ratio / 3.0)));
    return rho * at.cp * kR0 * kBoltzmann * t / (6.0 * kPi * xi * eta) * (omega - omega0);
}

} // namespace

Transport TransportAt(double t, double rho, const Derivatives& at) {
    const double tau = kCriticalTemperature / t, delta = rho / kCriticalDensity;
    const double eta0 = DiluteViscosity(t); // micro-Pa s
    const double eta = eta0 + Residual(kViscosityTerms, 5, tau, delta);
    const double lambda = kN1 * eta0 + kN2 * std::pow(tau, kT2) + kN3 * std::pow(tau, kT3) +
                          Residual(kConductivityTerms, 6, tau, delta); // mW/(m K)
    return {eta * 1e-6, lambda * 1e-3 + Enhancement(t, rho, at, eta * 1e-6)};
}

Transport TransportAt(double t, double rho) {
    return TransportAt(t, rho, DerivativesAt(t, rho));
}

} // namespace sizing::nitrogen

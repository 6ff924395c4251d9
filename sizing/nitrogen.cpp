#include "sizing/nitrogen.h"

#include <cmath>
#include <limits>

namespace sizing::nitrogen {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The equation's constants: reducing temperature and density (the critical values), the gas
// constant it was fitted with and the molar mass.
constexpr double kTc = kCriticalTemperature; // K
constexpr double kRhoc = 11183.9;            // mol/m3
constexpr double kR = 8.31451;               // J/(mol K)
constexpr double kM = kMolarMass;            // kg/mol

// Ideal part: alpha0 = ln(delta) + a1 ln(tau) + a2 + a3 tau + a4/tau + a5/tau^2 + a6/tau^3
//                      + a7 ln(1 - exp(-a8 tau)).
constexpr double kA1 = 2.5, kA2 = -12.76952708, kA3 = -0.00784163, kA4 = -0.0001934819,
                 kA5 = -1.247742e-05, kA6 = 6.678326e-08, kA7 = 1.012941, kA8 = 26.65788;

// Residual terms n delta^d tau^t exp(-delta^l); l = 0 stands for no exponential.
struct PowerTerm {
    double n;
    int d;
    double t;
    int l;
};
constexpr PowerTerm kPowerTerms[] = {
    {0.924803575275, 1, 0.25, 0},    {-0.492448489428, 1, 0.875, 0},
    {0.661883336938, 2, 0.5, 0},     {-1.92902649201, 2, 0.875, 0},
    {-0.0622469309629, 3, 0.375, 0}, {0.349943957581, 3, 0.75, 0},
    {0.564857472498, 1, 0.5, 1},     {-1.61720005987, 1, 0.75, 1},
    {-0.481395031883, 1, 2.0, 1},    {0.421150636384, 3, 1.25, 1},
    {-0.0161962230825, 3, 3.5, 1},   {0.172100994165, 4, 1.0, 1},
    {0.00735448924933, 6, 0.5, 1},   {0.0168077305479, 6, 3.0, 1},
    {-0.00107626664179, 7, 0.0, 1},  {-0.0137318088513, 7, 2.75, 1},
    {0.000635466899859, 8, 0.75, 1}, {0.00304432279419, 8, 2.5, 1},
    {-0.0435762336045, 1, 4.0, 2},   {-0.0723174889316, 2, 6.0, 2},
    {0.0389644315272, 3, 6.0, 2},    {-0.021220136391, 4, 3.0, 2},
    {0.00408822981509, 5, 3.0, 2},   {-5.51990017984e-05, 8, 6.0, 2},
    {-0.0462016716479, 4, 16.0, 3},  {-0.00300311716011, 5, 11.0, 3},
    {0.0368825891208, 5, 15.0, 3},   {-0.0025585684622, 8, 12.0, 3},
    {0.00896915264558, 3, 12.0, 4},  {-0.0044151337035, 5, 7.0, 4},
    {0.00133722924858, 6, 4.0, 4},   {0.000264832491957, 9, 16.0, 4},
};

// Residual terms n delta^d tau^t exp(-eta (delta - epsilon)^2 - beta (tau - gamma)^2).
struct GaussTerm {
    double n;
    int d;
    double t;
    double eta, beta, gamma, epsilon;
};
constexpr GaussTerm kGaussTerms[] = {
    {19.6688194015, 1, 0.0, 20.0, 325.0, 1.16, 1.0},
    {-20.911560073, 1, 1.0, 20.0, 325.0, 1.16, 1.0},
    {0.0167788306989, 3, 2.0, 15.0, 300.0, 1.13, 1.0},
    {2627.67566274, 2, 3.0, 25.0, 275.0, 1.25, 1.0},
};

// Beyond five times the critical density (55.9 mol/dm3) lies no state of the range used here:
// at the critical temperature and 2200 MPa nitrogen holds 50.3 mol/dm3.
constexpr double kMaxDensity = 5.0 * kRhoc;
// Steps of the solvers: Newton's method ends in a few, halving the bracket in at most about 60.
constexpr int kMaxSteps = 100;

// A reduced Helmholtz energy alpha and its derivatives, each scaled to be dimensionless:
// d = delta alpha_delta, dd = delta^2 alpha_deltadelta, t = tau alpha_tau,
// tt = tau^2 alpha_tautau, dt = delta tau alpha_deltatau.
struct Helmholtz {
    double a, d, dd, t, tt, dt;
};

Helmholtz Residual(double delta, double tau) {
    const double lnDelta = std::log(delta), lnTau = std::log(tau);
    const double deltaToL[] = {0.0, delta, delta * delta, delta * delta * delta,
                               delta * delta * delta * delta};
    Helmholtz h{};
    for (const PowerTerm& k : kPowerTerms) {
        const double dl = deltaToL[k.l];
        const double a = k.n * std::exp(k.d * lnDelta + k.t * lnTau - dl);
        const double e = k.d - k.l * dl;
        h.a += a;
        h.d += a * e;
        h.dd += a * (e * e - k.d - k.l * (k.l - 1) * dl);
        h.t += a * k.t;
        h.tt += a * k.t * (k.t - 1.0);
        h.dt += a * k.t * e;
    }
    for (const GaussTerm& k : kGaussTerms) {
        const double dd = delta - k.epsilon, td = tau - k.gamma;
        const double a =
            k.n * std::exp(k.d * lnDelta + k.t * lnTau - k.eta * dd * dd - k.beta * td * td);
        const double e = k.d - 2.0 * k.eta * delta * dd;
        const double f = k.t - 2.0 * k.beta * tau * td;
        h.a += a;
        h.d += a * e;
        h.dd += a * (e * e - k.d - 2.0 * k.eta * delta * delta);
        h.t += a * f;
        h.tt += a * (f * f - k.t - 2.0 * k.beta * tau * tau);
        h.dt += a * e * f;
    }
    return h;
}

// The ideal part, without its density derivatives (d = 1, dd = -1, dt = 0).
Helmholtz Ideal(double delta, double tau) {
    const double x = std::exp(kA8 * tau);
    const double planck = kA8 * tau / (x - 1.0);
    Helmholtz h{};
    h.a = std::log(delta) + kA1 * std::log(tau) + kA2 + kA3 * tau + kA4 / tau + kA5 / (tau * tau) +
          kA6 / (tau * tau * tau) + kA7 * std::log1p(-1.0 / x);
    h.t = kA1 + kA3 * tau - kA4 / tau - 2.0 * kA5 / (tau * tau) - 3.0 * kA6 / (tau * tau * tau) +
          kA7 * planck;
    h.tt = -kA1 + 2.0 * kA4 / tau + 6.0 * kA5 / (tau * tau) + 12.0 * kA6 / (tau * tau * tau) -
           kA7 * planck * planck * x;
    return h;
}

// One state, in moles: temperature t (K) and density rho (mol/m3).
struct Point {
    double t, rho;
    Helmholtz r, i;

    Point(double temperature, double density)
        : t(temperature), rho(density), r(Residual(density / kRhoc, kTc / temperature)),
          i(Ideal(density / kRhoc, kTc / temperature)) {}

    double Pressure() const { return rho * kR * t * (1.0 + r.d); } // Pa
    double EntropyR() const { return i.t + r.t - i.a - r.a; }      // s / R
    double IsochoricHeatR() const { return -(i.tt + r.tt); }       // cv / R
    double IsobaricHeatR() const {                                 // cp / R
        const double q = 1.0 + r.d - r.dt;
        return IsochoricHeatR() + q * q / (1.0 + 2.0 * r.d + r.dd);
    }
};

bool InRange(double t, double p) {
    return t >= kTc && t <= kMaxTemperature && p > 0.0 && p <= kMaxPressure;
}

// Density in mol/m3 at temperature t (K) and pressure p (MPa).
double MolarDensity(double t, double p) {
    if (!InRange(t, p)) {
        return kNaN;
    }
    const double target = p * 1e6;
    double lo = 0.0, hi = kMaxDensity;
    double rho = target / (kR * t);
    if (!(rho < hi)) {
        rho = 0.5 * hi;
    }
    for (int step = 0; step < kMaxSteps; ++step) {
        const Helmholtz r = Residual(rho / kRhoc, kTc / t);
        const double excess = rho * kR * t * (1.0 + r.d) - target;
        const double slope = kR * t * (1.0 + 2.0 * r.d + r.dd);
        (excess < 0.0 ? lo : hi) = rho;
        const double change = excess / slope;
        if (slope > 0.0 && std::fabs(change) <= 1e-13 * rho) {
            return rho - change;
        }
        rho -= change;
        if (!(rho > lo && rho < hi)) {
            rho = 0.5 * (lo + hi);
        }
    }
    return kNaN;
}

} // namespace

double Pressure(double t, double rho) {
    return Point(t, rho / kM).Pressure() * 1e-6;
}

double Compressibility(double t, double rho) {
    return 1.0 + Residual(rho / kM / kRhoc, kTc / t).d;
}

double InternalEnergy(double t, double rho) {
    const Point point(t, rho / kM);
    return (point.i.t + point.r.t) * kR * t / kM;
}

double Entropy(double t, double rho) {
    return Point(t, rho / kM).EntropyR() * kR / kM;
}

double Density(double t, double p) {
    return MolarDensity(t, p) * kM;
}

Derivatives DerivativesAt(double t, double rho) {
    const Point point(t, rho / kM);
    const double q = 1.0 + point.r.d - point.r.dt;       // (dp/dT)_rho / (rho R)
    const double s = 1.0 + 2.0 * point.r.d + point.r.dd; // (dp/drho)_T / (R T)
    const double perKg = kR / kM;
    Derivatives d{};
    d.pressure = point.Pressure() * 1e-6;
    d.cv = point.IsochoricHeatR() * perKg;
    d.cp = (point.IsochoricHeatR() + q * q / s) * perKg;
    d.dpdt = rho * perKg * q * 1e-6;
    d.dpdrho = perKg * t * s * 1e-6;
    d.expansion = q / (s * t);
    return d;
}

State IsentropicEnd(double t0, double p0, double p) {
    const State none{kNaN, kNaN};
    const double rho0 = MolarDensity(t0, p0);
    if (!(rho0 > 0.0) || !InRange(t0, p)) {
        return none;
    }
    const double s0 = Point(t0, rho0).EntropyR();
    // Newton's method on the temperature, (ds/dT)_p = cp / T, from the ideal gas's isentrope.
    double lo = kTc, hi = kMaxTemperature;
    double t = t0 * std::pow(p / p0, 2.0 / 7.0);
    if (!(t > lo && t < hi)) {
        // The ideal gas ends beyond the range: so does the real one when the entropy at that
        // end of the range is still on the same side of s0.
        const double end = t >= hi ? hi : lo;
        const double rho = MolarDensity(end, p);
        if (!(rho > 0.0) || (Point(end, rho).EntropyR() < s0) == (end == hi)) {
            return none;
        }
        t = 0.5 * (lo + hi);
    }
    for (int step = 0; step < kMaxSteps; ++step) {
        const double rho = MolarDensity(t, p);
        if (!(rho > 0.0)) {
            return none;
        }
        const Point point(t, rho);
        const double excess = point.EntropyR() - s0;
        (excess < 0.0 ? lo : hi) = t;
        const double change = excess * t / point.IsobaricHeatR();
        if (std::fabs(change) <= 1e-12 * t) {
            return {t, rho * kM};
        }
        t -= change;
        if (!(t > lo && t < hi)) {
            t = 0.5 * (lo + hi);
        }
    }
    return none;
}

} // namespace sizing::nitrogen

// The real-gas factors: against a slow reference (the isentrope by bisection, the compression
// work by integrating v dp), in the limit of low pressure, and growing with the pressure.
#include "sizing/real_gas.h"

#include "sizing/nitrogen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

namespace n2 = sizing::nitrogen;
using sizing::GasProcess;
using sizing::MethodId;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kAtm = 0.101325;
const double kW = 1.0 / 1.4;

// The density at p on the isentrope through (t, p0), by bisection on the temperature.
double SlowIsentropeDensity(double t, double p0, double p) {
    const double s0 = n2::Entropy(t, n2::Density(t, p0));
    double lo = n2::kCriticalTemperature, hi = n2::kMaxTemperature;
    while (hi - lo > 1e-11) {
        const double mid = 0.5 * (lo + hi);
        (n2::Entropy(mid, n2::Density(mid, p)) < s0 ? lo : hi) = mid;
    }
    return n2::Density(0.5 * (lo + hi), p);
}

double SlowStorageFactor(bool adiabatic, double w, double p0, double p1, double p2, double t) {
    const auto rho = [&](double p) {
        return adiabatic ? SlowIsentropeDensity(t, p0, p) : n2::Density(t, p);
    };
    return (std::pow(p0 / p1, w) - std::pow(p0 / p2, w)) / (rho(p0) / rho(p1) - rho(p0) / rho(p2));
}

// The compression work per kg is u2 - u0 = integral of v dp - (p2 v2 - p0 v0) along the
// isentrope (dh = v dp at constant entropy); Simpson's rule over 200 steps.
double SlowShockEnergyFactor(double p0, double p2, double t) {
    const int steps = 200;
    const auto v = [&](double p) { return 1.0 / SlowIsentropeDensity(t, p0, p); };
    double integral = v(p0) + v(p2);
    for (int i = 1; i < steps; ++i) {
        integral += (i % 2 == 1 ? 4.0 : 2.0) * v(p0 + (p2 - p0) * i / steps);
    }
    integral *= (p2 - p0) * 1e6 / steps / 3.0;
    const double work = (integral - (p2 * v(p2) - p0 * v(p0)) * 1e6) / v(p0);
    return p0 * 1e6 * (std::pow(p2 / p0, 0.286) - 1.0) / 0.4 / work;
}

struct MethodCase {
    MethodId id;
    std::vector<double> values; // binding order, gauge pressures in the method's units
    double celsius;
    GasProcess process;
    // Gauge pressures in MPa of the reference: pre-charge, lowest, highest (storage form) or
    // pre-charge and highest (shock A).
    double p0, p1, p2;
};

using P = GasProcess;
const MethodCase kMethodCases[] = {
    {MethodId::Aux, {10, 1, 20, 25, 31.5}, 20, P::Isothermal, 20, 25, 31.5},
    {MethodId::Aux, {10, 1.4, 20, 25, 31.5}, 20, P::Adiabatic, 20, 25, 31.5},
    {MethodId::Aux, {10, 1.2, 20, 25, 31.5}, 20, P::Interpolated, 20, 25, 31.5},
    // A quarter of the way from the isothermal factor to the adiabatic one, not the other way.
    {MethodId::Aux, {10, 1.1, 20, 25, 31.5}, 20, P::Interpolated, 20, 25, 31.5},
    {MethodId::Aux, {10, 1.4, 20, 25, 31.5}, 50, P::Adiabatic, 20, 25, 31.5},
    {MethodId::ShockA, {0.9, 0.01, 200, 4, 20, 31.5}, 20, P::Adiabatic, 20, 0, 31.5},
    {MethodId::ShockC, {300, 150, 20, 250, 315, 200, 0, 0.9}, 20, P::Adiabatic, 20, 25, 31.5},
    {MethodId::PulseA, {0.001, 0.05, 0.6, 25e6, 31.5e6, 20e6}, 20, P::Adiabatic, 20, 25, 31.5},
    {MethodId::PulseB, {0.1, 25, 31.5, 0.6}, 20, P::Adiabatic, 25, 28.25, 31.5},
    {MethodId::PulseC, {0.1, 25, 31.5}, 20, P::Adiabatic, 25, 25, 31.5},
    {MethodId::ShockB, {100, 25, 31.5, 50, 0}, 20, P::None, 0, 0, 0},
    {MethodId::PulseD, {1, 0.05, 31.5, 0.5}, 20, P::None, 0, 0, 0},
    {MethodId::Aux, {10, 0.9, 20, 25, 31.5}, 20, P::None, 0, 0, 0},
    {MethodId::Aux, {10, 1.5, 20, 25, 31.5}, 20, P::None, 0, 0, 0},
    {MethodId::Aux, {10, kNaN, 20, 25, 31.5}, 20, P::None, 0, 0, 0},
};

double ReferenceFactor(const MethodCase& c) {
    const double t = c.celsius + 273.15, p0 = c.p0 + kAtm, p1 = c.p1 + kAtm, p2 = c.p2 + kAtm;
    const double iso = SlowStorageFactor(false, 1.0, p0, p1, p2, t);
    const double adi =
        SlowStorageFactor(true, c.id == MethodId::ShockC ? 0.7143 : kW, p0, p1, p2, t);
    switch (c.process) {
    case GasProcess::None:
        return 1.0;
    case GasProcess::Isothermal:
        return iso;
    case GasProcess::Interpolated:
        return iso + (c.values[1] - 1.0) / 0.4 * (adi - iso);
    default:
        return c.id == MethodId::ShockA ? SlowShockEnergyFactor(p0, p2, t) : adi;
    }
}

// Each case against the slow reference, and its factor growing with the pressure level at
// the same pressure ratios.
TEST(RealGas, SixMethodsAgainstTheSlowReferenceGrowingWithPressure) {
    for (const MethodCase& c : kMethodCases) {
        const sizing::Method& method = sizing::MethodOf(c.id);
        SCOPED_TRACE(testing::Message()
                     << method.name << " n " << c.values[1] << " at " << c.celsius << " °C");
        const sizing::GasCorrection got =
            sizing::RealGasCorrection(method, c.values.data(), c.celsius);
        EXPECT_EQ(got.process, c.process);
        const double f = ReferenceFactor(c);
        EXPECT_NEAR(got.factor, f, f * 1e-8);
        double last = c.process == P::None ? 1.0 : 0.0;
        for (double level : {5.0, 10.0, 20.0, 31.5, 35.0, 50.0}) {
            std::vector<double> values = c.values;
            for (std::size_t i = 0; i < values.size(); ++i) {
                if (method.inputs[i].kind == sizing::Quantity::Pressure) {
                    values[i] *= level / 31.5;
                }
            }
            const double next = sizing::RealGasCorrection(method, values.data(), c.celsius).factor;
            EXPECT_TRUE(c.process == P::None ? next == last : next > last) << level << " MPa";
            last = next;
        }
    }
}

TEST(RealGas, TendsToOneAtLowPressure) {
    // Absolute pressures of a thousandth of a MPa. The ideal adiabatic forms carry the
    // exponent 1.4 (cp0 of nitrogen gives 1.3996 at 20 °C) and shock A the 0.286 of its
    // formula, hence the wider margins.
    EXPECT_NEAR(sizing::StorageFactor(GasProcess::Isothermal, 1.0, 9e-4, 1e-3, 1.5e-3, 293.15), 1.0,
                1e-5);
    EXPECT_NEAR(sizing::StorageFactor(GasProcess::Adiabatic, kW, 9e-4, 1e-3, 1.5e-3, 293.15), 1.0,
                1e-3);
    EXPECT_NEAR(sizing::ShockEnergyFactor(9e-4, 1.5e-3, 293.15), 1.0, 2e-3);
}

} // namespace

#include "sizing/real_gas.h"

#include "sizing/catalogue.h"
#include "sizing/nitrogen.h"

#include <cmath>

namespace sizing {

namespace {

// The exponent of the adiabatic formulas.
constexpr double kAdiabaticIndex = 1.4;

// The mean of inputs a and b of the method as an absolute pressure in MPa.
double AbsolutePressure(const Method& method, const double* values, std::size_t a, std::size_t b) {
    const double pa = PressureToMpa(method, values[a]) + kAtmosphere;
    const double pb = PressureToMpa(method, values[b]) + kAtmosphere;
    return a == b ? pa : 0.5 * (pa + pb);
}

GasCorrection Checked(GasProcess process, double n, double factor) {
    if (std::isfinite(factor) && factor > 0.0) {
        return {process, n, factor};
    }
    return {GasProcess::None, n, 1.0};
}

// The storage form with the exponent n of the formula (w = 1/n), interpolated between the
// isotherm and the isentrope inside (1, 1.4).
GasCorrection Storage(double n, double p0, double p1, double p2, double t) {
    if (!(n >= 1.0 && n <= kAdiabaticIndex)) {
        return {GasProcess::None, n, 1.0};
    }
    const auto factor = [&](GasProcess process) {
        const double w = process == GasProcess::Isothermal ? 1.0 : 1.0 / kAdiabaticIndex;
        return StorageFactor(process, w, p0, p1, p2, t);
    };
    if (n == 1.0 || n == kAdiabaticIndex) {
        const GasProcess process = n == 1.0 ? GasProcess::Isothermal : GasProcess::Adiabatic;
        return Checked(process, n, factor(process));
    }
    const double isothermal = factor(GasProcess::Isothermal);
    const double adiabatic = factor(GasProcess::Adiabatic);
    return Checked(GasProcess::Interpolated, n,
                   isothermal + (n - 1.0) / (kAdiabaticIndex - 1.0) * (adiabatic - isothermal));
}

} // namespace

void RealGasVolumes(GasProcess process, double p0, double t, const double* p, double* volumes,
                    std::size_t count) {
    const double rho0 = nitrogen::Density(t, p0);
    // The gas volume at p as a multiple of the volume at p0: the density falls as it grows.
    for (std::size_t i = 0; i < count; ++i) {
        const double rho = process == GasProcess::Isothermal
                               ? nitrogen::Density(t, p[i])
                               : nitrogen::IsentropicEnd(t, p0, p[i]).density;
        volumes[i] = rho0 / rho;
    }
}

double StorageFactor(GasProcess process, double w, double p0, double p1, double p2, double t) {
    const double p[] = {p1, p2};
    double volumes[2];
    RealGasVolumes(process, p0, t, p, volumes, 2);
    const double ideal = std::pow(p0 / p1, w) - std::pow(p0 / p2, w);
    return ideal / (volumes[0] - volumes[1]);
}

double ShockEnergyFactor(double p0, double p2, double t) {
    const double rho0 = nitrogen::Density(t, p0);
    const nitrogen::State end = nitrogen::IsentropicEnd(t, p0, p2);
    // Work per unit of the gas's first volume, J/m3.
    const double work = rho0 * (nitrogen::InternalEnergy(end.temperature, end.density) -
                                nitrogen::InternalEnergy(t, rho0));
    const double ideal = p0 * 1e6 * (std::pow(p2 / p0, 0.286) - 1.0) / (kAdiabaticIndex - 1.0);
    return ideal / work;
}

std::optional<GasLaw> GasLawOf(const Method& method, const double* values) {
    const GasLawInputs& gas = method.roles.gas;
    if (!HasGasLaw(method)) {
        return std::nullopt;
    }
    const double n = gas.exponent != kNoInput ? values[gas.exponent] : gas.n;
    const double w = gas.exponent != kNoInput ? 1.0 / n : gas.w;
    return GasLaw{n, w, AbsolutePressure(method, values, gas.p0, gas.p0),
                  AbsolutePressure(method, values, gas.p1, gas.p1Mean),
                  AbsolutePressure(method, values, gas.p2, gas.p2)};
}

double AbsoluteVolume(const Method& method, const double* values) {
    if (!HasGasLaw(method)) {
        return method.volume(values);
    }
    // One standard atmosphere in the unit of the method's pressures (1.01325 bar, 101325 Pa).
    const double atmosphere = PressureFromMpa(method, kAtmosphere);
    double absolute[kMaxInputs];
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        absolute[i] =
            method.inputs[i].kind == Quantity::Pressure ? values[i] + atmosphere : values[i];
    }
    return method.volume(absolute);
}

GasCorrection RealGasCorrection(const Method& method, const double* values, double gasTemperature) {
    const double t = gasTemperature + kZeroCelsius;
    const std::optional<GasLaw> law = GasLawOf(method, values);
    if (!law) {
        return {GasProcess::None, 0.0, 1.0};
    }
    switch (method.id) {
    case MethodId::ShockA:
        return Checked(GasProcess::Adiabatic, law->n, ShockEnergyFactor(law->p0, law->p2, t));
    case MethodId::ShockC:
        return Checked(GasProcess::Adiabatic, law->n,
                       StorageFactor(GasProcess::Adiabatic, law->w, law->p0, law->p1, law->p2, t));
    default:
        return Storage(law->n, law->p0, law->p1, law->p2, t);
    }
}

} // namespace sizing

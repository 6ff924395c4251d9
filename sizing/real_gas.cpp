#include "sizing/real_gas.h"

#include "sizing/catalogue.h"
#include "sizing/nitrogen.h"

#include <cmath>
#include <string_view>

namespace sizing {

namespace {

// The exponent of the adiabatic formulas, and the one that shock C writes as 0.7143.
constexpr double kAdiabatic = 1.4;
constexpr double kShockCExponent = 0.7143;

// Input `name` of the method as an absolute pressure in MPa.
double AbsolutePressure(const Method& method, const double* values, const char* name) {
    const std::size_t i = InputIndex(method, name);
    return ToMpa(values[i], method.inputs[i].unit) + kAtmosphere;
}

// One standard atmosphere in a pressure field's unit, exactly as written.
double AtmosphereIn(std::string_view unit) {
    return unit == "bar" ? 1.01325 : unit == "Pa" ? 101325.0 : kAtmosphere;
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
    if (!(n >= 1.0 && n <= kAdiabatic)) {
        return {GasProcess::None, n, 1.0};
    }
    const auto factor = [&](GasProcess process) {
        const double w = process == GasProcess::Isothermal ? 1.0 : 1.0 / kAdiabatic;
        return StorageFactor(process, w, p0, p1, p2, t);
    };
    if (n == 1.0 || n == kAdiabatic) {
        const GasProcess process = n == 1.0 ? GasProcess::Isothermal : GasProcess::Adiabatic;
        return Checked(process, n, factor(process));
    }
    const double isothermal = factor(GasProcess::Isothermal);
    const double adiabatic = factor(GasProcess::Adiabatic);
    return Checked(GasProcess::Interpolated, n,
                   isothermal + (n - 1.0) / (kAdiabatic - 1.0) * (adiabatic - isothermal));
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
    const double ideal = p0 * 1e6 * (std::pow(p2 / p0, 0.286) - 1.0) / (kAdiabatic - 1.0);
    return ideal / work;
}

bool HasGasLaw(const Method& method) {
    return method.id != MethodId::ShockB && method.id != MethodId::PulseD;
}

std::optional<GasLaw> GasLawOf(const Method& method, const double* values) {
    const auto p = [&](const char* name) { return AbsolutePressure(method, values, name); };
    const double w = 1.0 / kAdiabatic;
    switch (method.id) {
    case MethodId::Aux: {
        const double n = values[InputIndex(method, "n")];
        return GasLaw{n, 1.0 / n, p("p0"), p("p1"), p("p2")};
    }
    case MethodId::ShockA:
        return GasLaw{kAdiabatic, w, p("P0"), p("P0"), p("P2")};
    case MethodId::ShockC:
        return GasLaw{kAdiabatic, kShockCExponent, p("P0"), p("P1"), p("P2")};
    case MethodId::PulseA:
        return GasLaw{kAdiabatic, w, p("P0"), p("P1"), p("P2")};
    case MethodId::PulseB:
        // The pre-charge stands at P1 and the working pressures at their mean and at P2.
        return GasLaw{kAdiabatic, w, p("P1"), 0.5 * (p("P1") + p("P2")), p("P2")};
    case MethodId::PulseC:
        return GasLaw{kAdiabatic, w, p("P1"), p("P1"), p("P2")};
    default:
        return std::nullopt;
    }
}

double AbsoluteVolume(const Method& method, const double* values) {
    if (!HasGasLaw(method)) {
        return method.volume(values);
    }
    double absolute[kMaxInputs];
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        const Input& input = method.inputs[i];
        absolute[i] =
            input.kind == Quantity::Pressure ? values[i] + AtmosphereIn(input.unit) : values[i];
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

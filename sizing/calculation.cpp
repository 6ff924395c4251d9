#include "sizing/calculation.h"

#include "sizing/nitrogen.h"
#include "sizing/notes.h"
#include "sizing/solver.h"
#include "sizing/temperatures.h"
#include "sizing/thermal.h"

#include <algorithm>
#include <cmath>

namespace sizing {

namespace {

bool Usable(double factor) {
    return std::isfinite(factor) && factor > 0.0;
}

// The thermal model's accumulator for the case of c, its wall at the temperature (°C).
thermal::Standby StandbyOf(const Calculation& c, double temperature) {
    const GasLaw law = *GasLawOf(*c.method, c.values);
    // The precharge typed is the one at the highest temperature; the gas keeps its density.
    const double density0 = nitrogen::Density(c.conditions.temperatures.max + kZeroCelsius, law.p0);
    return {temperature + kZeroCelsius, density0, law.p1, law.p2, c.conditions.tau};
}

// The thermal model's volume at both ends of the operating range, the larger deciding; none
// where the gas leaves the range of nitrogen's equation.
std::optional<ThermalEffect> ThermalOf(const Calculation& c) {
    const Temperatures& t = c.conditions.temperatures;
    const double ends[] = {t.max, t.min};
    const double deltaV = c.values[c.method->roles.oil];
    std::optional<ThermalEffect> larger;
    for (std::size_t i = 0; i < (t.min != t.max ? 2 : 1); ++i) {
        const thermal::Standby standby = StandbyOf(c, ends[i]);
        const thermal::Discharge d =
            thermal::StandbyVolume(standby, deltaV, c.conditions.discharge);
        if (!(std::isfinite(d.volume) && std::isfinite(d.tau))) {
            return std::nullopt;
        }
        if (!larger || d.volume > larger->volume) {
            larger = ThermalEffect{c.conditions.discharge,
                                   d.tau,
                                   c.conditions.tau <= 0.0,
                                   d.index,
                                   d.volume,
                                   d.temperature - kZeroCelsius,
                                   ends[i],
                                   standby};
        }
    }
    return larger;
}

// The calculation of method's inputs, with volume as the formula's, under conditions, up to
// the volume the pick is made for: the factors of the absolute pressures, the sizing
// temperature and the real gas, or with a discharge time the thermal model's volume.
Calculation Corrected(const Method& method, const double* values, double volume,
                      const Conditions& conditions) {
    Calculation c;
    c.method = &method;
    std::copy(values, values + method.inputCount, c.values);
    c.conditions = conditions;
    c.volume = volume;
    const Temperatures& t = c.conditions.temperatures;
    std::copy(c.values, c.values + method.inputCount, c.atSizing);
    TemperatureEffect& effect = c.temperature;
    effect = TemperatureEffect{};
    effect.sizing = t.max;
    c.meaningful = HasPhysicalMeaning(method, values);
    effect.applies = HasGasLaw(method) && c.meaningful;
    // Nothing to correct where the formula gives no volume, or one without physical meaning.
    if (!effect.applies || !(std::isfinite(c.volume) && c.volume > 0.0)) {
        c.ideal = c.corrected = c.volume;
        return c;
    }
    const double absolute = AbsoluteVolume(method, c.values);
    // A ratio of the formula's own values, as the temperature's factor below: the volume given
    // is the base that every factor multiplies.
    const double absoluteFactor = absolute / method.volume(c.values);
    c.absoluteFactor = Usable(absoluteFactor) ? absoluteFactor : 1.0;

    const std::size_t precharge = method.roles.precharge;
    if (precharge != kNoInput) {
        const double typed = c.values[precharge];
        const char* unit = method.inputs[precharge].unit;
        effect.prechargeAtMin = effect.prechargeAtSizing = effect.fill = typed;
        // Where the precharge leaves the range of nitrogen's equation, it keeps its value.
        const auto at = [&](double temperature) {
            const double p = PrechargeAt(typed, unit, t.max, temperature);
            return std::isfinite(p) ? p : typed;
        };
        if (t.fill != t.max) {
            effect.fill = at(t.fill);
        }
        if (t.min != t.max) {
            effect.prechargeAtMin = at(t.min);
            // The formula on absolute pressures at the cold end, against the one as typed.
            double cold[kMaxInputs];
            std::copy(c.values, c.values + method.inputCount, cold);
            cold[precharge] = effect.prechargeAtMin;
            const double factor = AbsoluteVolume(method, cold) / absolute;
            if (Usable(factor) && factor > 1.0) {
                effect.sizing = t.min;
                effect.factor = factor;
                effect.prechargeAtSizing = effect.prechargeAtMin;
                c.atSizing[precharge] = effect.prechargeAtMin;
            }
        }
        c.gas = RealGasCorrection(method, c.atSizing, effect.sizing);
    } else {
        // No precharge to follow the temperature: the end where the real gas needs more.
        c.gas = RealGasCorrection(method, c.values, t.max);
        if (t.min != t.max) {
            const GasCorrection cold = RealGasCorrection(method, c.values, t.min);
            if (cold.process != GasProcess::None && cold.factor > c.gas.factor) {
                c.gas = cold;
                effect.sizing = t.min;
            }
        }
    }
    c.ideal = c.volume * c.absoluteFactor * effect.factor;
    // Judged on the factor as the line shows it, with three decimals.
    c.gasCounts =
        c.gas.process != GasProcess::None && AsShown(c.gas.factor, 3) >= kNegligibleFactor;
    c.corrected = c.gasCounts ? c.ideal * c.gas.factor : c.ideal;
    if (conditions.discharge > 0.0 && method.roles.oil != kNoInput) {
        c.thermal = ThermalOf(c);
        if (c.thermal) {
            c.corrected = c.thermal->volume;
        }
    }
    return c;
}

// The performance input with the volume picked: on the side of the value typed where the
// larger volume takes it (more oil, a lower pressure), the value typed itself where the pick is
// the corrected volume as shown.
std::optional<Performance> PerformanceOf(const Calculation& c) {
    const Method& method = *c.method;
    const std::size_t index = method.roles.performance;
    const double typed = c.values[index];
    const double picked = c.pick.units * c.pick.nominalLitres;
    if (!(picked > 0.0)) {
        return std::nullopt; // nothing picked
    }
    if (AsShown(picked) == AsShown(c.corrected)) {
        return Performance{index, typed};
    }
    if (c.thermal) {
        // The size picked discharges at the same flow until its gas is at p1.
        const std::size_t oil = method.roles.oil;
        const double delivered =
            thermal::DeliveredOil(c.thermal->standby, picked, c.values[oil] / c.thermal->discharge);
        return std::isnan(delivered) ? std::nullopt : std::optional<Performance>({oil, delivered});
    }
    const double value =
        SolveFrom(method, c.values, index, picked, c.conditions, method.roles.performanceAbove);
    if (std::isnan(value)) {
        return std::nullopt;
    }
    return Performance{index, value};
}

// The case's highest pressure over its precharge at the lowest operating temperature.
double CaseRatio(const Calculation& c) {
    const Method& method = *c.method;
    const std::size_t precharge = method.roles.precharge;
    if (precharge == kNoInput) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const double highest = c.values[method.roles.highest];
    const double lowest =
        c.temperature.applies ? c.temperature.prechargeAtMin : c.values[precharge];
    return lowest > 0.0 && highest > 0.0 ? highest / lowest
                                         : std::numeric_limits<double>::quiet_NaN();
}

} // namespace

double CorrectedVolume(const Method& method, const double* values, const Conditions& conditions) {
    return Corrected(method, values, method.volume(values), conditions).corrected;
}

Calculation Calculate(const Method& method, const double* values, double volume,
                      const Conditions& conditions, const std::string* typed) {
    Calculation c = Corrected(method, values, volume, conditions);
    if (typed != nullptr) {
        std::copy(typed, typed + method.inputCount, c.typed);
    }
    if (!c.meaningful) {
        c.notes = NotesOf(c);
        return c;
    }
    c.ratio = CaseRatio(c);
    const Catalogue* catalogue = conditions.catalogue.get();
    c.pick = InUse(catalogue) ? PickFrom(*catalogue, method, values, c.corrected, c.ratio)
                              : PickFor(method, values, c.corrected);
    c.performance = PerformanceOf(c);
    c.notes = NotesOf(c);
    return c;
}

Calculation Calculate(const Method& method, const double* values, const std::string* typed,
                      const Conditions& conditions) {
    return Calculate(method, values, method.volume(values), conditions, typed);
}

} // namespace sizing

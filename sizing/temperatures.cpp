#include "sizing/temperatures.h"

#include "sizing/catalogue.h"
#include "sizing/nitrogen.h"
#include "sizing/real_gas.h"

namespace sizing {

const char* const kTemperatureNames[3] = {"充气温度", "最低工作温度", "最高工作温度"};
const char* const kTemperatureKeys[3] = {"t_fill", "t_min", "t_max"};
const Input kDischargeInputs[2] = {
    {"t_discharge", "s", Quantity::Duration, "放油时间",
     "充满后静置的蓄能器放出△V所用的时间，s；不填则按指数n计", 0.0},
    {"tau", "s", Quantity::Duration, "热时间常数",
     "气体的热时间常数，s；不填则按气腔内的自然对流估计", 0.0},
};

namespace {

const char* const kOutOfRange = "须在 -100～300 °C 之间。";
const char* const kReversed = "最低工作温度不能高于最高工作温度。";
const char* const kNotPositive = "须大于 0。";

} // namespace

double& TemperatureAt(Temperatures& temperatures, std::size_t index) {
    return index == kFill ? temperatures.fill : index == kMin ? temperatures.min : temperatures.max;
}

std::string TemperatureFault(const Temperatures& temperatures, std::size_t& which) {
    Temperatures t = temperatures;
    for (which = kFill; which <= kMax; ++which) {
        const double value = TemperatureAt(t, which);
        if (!(value >= kLowestTemperature && value <= kHighestTemperature)) {
            return std::string(kTemperatureNames[which]) + kOutOfRange;
        }
    }
    if (t.min > t.max) {
        which = kMin;
        return kReversed;
    }
    return std::string();
}

double& DischargeAt(Conditions& conditions, std::size_t index) {
    return index == kDischargeTime ? conditions.discharge : conditions.tau;
}

std::string DischargeFault(const Conditions& conditions, std::size_t& which) {
    Conditions c = conditions;
    for (which = kDischargeTime; which <= kThermalTau; ++which) {
        if (!c.typedDischarge[which].empty() && !(DischargeAt(c, which) > 0.0)) {
            return std::string(kDischargeInputs[which].label) + kNotPositive;
        }
    }
    return std::string();
}

double PrechargeAt(double precharge, std::string_view unit, double tMax, double t) {
    const double density =
        nitrogen::Density(tMax + kZeroCelsius, ToMpa(precharge, unit) + kAtmosphere);
    return FromMpa(nitrogen::Pressure(t + kZeroCelsius, density) - kAtmosphere, unit);
}

} // namespace sizing

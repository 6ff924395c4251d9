#include "sizing/temperatures.h"

#include "sizing/catalogue.h"
#include "sizing/nitrogen.h"
#include "sizing/real_gas.h"

namespace sizing {

const char* const kTemperatureNames[3] = {"充气温度", "最低工作温度", "最高工作温度"};
const char* const kTemperatureKeys[3] = {"t_fill", "t_min", "t_max"};

namespace {

const char* const kOutOfRange = "须在 -100～300 °C 之间。";
const char* const kReversed = "最低工作温度不能高于最高工作温度。";

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

double PrechargeAt(double precharge, std::string_view unit, double tMax, double t) {
    const double density =
        nitrogen::Density(tMax + kZeroCelsius, ToMpa(precharge, unit) + kAtmosphere);
    return FromMpa(nitrogen::Pressure(t + kZeroCelsius, density) - kAtmosphere, unit);
}

} // namespace sizing

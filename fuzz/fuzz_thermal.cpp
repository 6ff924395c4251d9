// The thermal model of a standby accumulator's nitrogen: whatever the inputs (NaN, infinities,
// zero, negative or huge pressures, times and time constants), it answers NaN or a volume
// between its two limits. For a sound case (the wall at -60 to 150 °C, p2 of 1 to 60 MPa, p1
// and the precharge below it, deltaV 0.01 to 1000 L, 1 ms to 1e8 s, the time constant typed or
// estimated) it answers: the volume between the isotherm's and the isentrope's, falling as the
// discharge takes twice as long, the gas's end temperature between the isentrope's and the wall's.
#include "sizing/nitrogen.h"
#include "sizing/thermal.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

namespace thermal = sizing::thermal;

// A value now and then from the edges, else of a usable size with either sign.
double Input(FuzzedDataProvider& data) {
    switch (data.ConsumeIntegralInRange<int>(0, 7)) {
    case 0:
        return 0.0;
    case 1:
        return std::numeric_limits<double>::quiet_NaN();
    case 2:
        return data.ConsumeBool() ? INFINITY : -INFINITY;
    case 3:
        return data.ConsumeFloatingPoint<double>();
    default: {
        const double magnitude = std::pow(10.0, data.ConsumeFloatingPointInRange(-3.0, 3.0));
        return data.ConsumeBool() ? -magnitude : magnitude;
    }
    }
}

// Within a relative margin of the integration's accuracy.
bool Between(double value, double low, double high) {
    return value >= low * (1 - 1e-6) && value <= high * (1 + 1e-6);
}

void CheckSound(FuzzedDataProvider& data) {
    const double wall = data.ConsumeFloatingPointInRange(213.15, 423.15);
    const double p2 = data.ConsumeFloatingPointInRange(1.0, 60.0);
    const double p1 = p2 * data.ConsumeFloatingPointInRange(0.25, 0.95);
    const double p0 = p1 * data.ConsumeFloatingPointInRange(0.3, 1.0);
    const double deltaV = std::pow(10.0, data.ConsumeFloatingPointInRange(-2.0, 3.0));
    const double seconds = std::pow(10.0, data.ConsumeFloatingPointInRange(-3.0, 8.0));
    const double tau =
        data.ConsumeBool() ? 0.0 : std::pow(10.0, data.ConsumeFloatingPointInRange(0.0, 4.0));
    const thermal::Standby standby{wall, sizing::nitrogen::Density(wall, p0), p1, p2, tau};
    const double isothermal = thermal::IsothermalVolume(standby, deltaV);
    const double isentropic = thermal::IsentropicVolume(standby, deltaV);
    const sizing::nitrogen::State end = sizing::nitrogen::IsentropicEnd(wall, p2, p1);
    if (std::isnan(isentropic)) {
        return; // the isentrope ends below the critical temperature
    }
    const thermal::Discharge once = thermal::StandbyVolume(standby, deltaV, seconds);
    const thermal::Discharge twice = thermal::StandbyVolume(standby, deltaV, 2 * seconds);
    if (!Between(once.volume, isothermal, isentropic) ||
        !Between(twice.volume, isothermal, once.volume * (1 + 1e-5)) ||
        !(once.temperature >= end.temperature - 1e-3 && once.temperature <= wall + 1e-3) ||
        !(once.tau > 0.0)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    double x[7];
    for (double& value : x) {
        value = Input(data);
    }
    const thermal::Standby standby{std::fabs(x[0]) * 100.0, x[1], x[2], x[3], x[4]};
    const thermal::Discharge d = thermal::StandbyVolume(standby, x[5], x[6]);
    if (!std::isnan(d.volume) && !Between(d.volume, thermal::IsothermalVolume(standby, x[5]),
                                          thermal::IsentropicVolume(standby, x[5]))) {
        std::abort();
    }
    CheckSound(data);
    return 0;
}

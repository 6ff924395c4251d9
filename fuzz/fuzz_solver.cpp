// The solver: no undefined behaviour for any inputs; every value it finds lies in the range
// searched and in the method's domain (never on a pole, never where the other inputs leave the
// volume no physical meaning) and brings the volume within a millionth of the one asked for.
#include "sizing/solver.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    const sizing::Method& method =
        sizing::kMethods[data.ConsumeIntegralInRange<std::size_t>(0, sizing::kMethodCount - 1)];
    const std::size_t index = data.ConsumeIntegralInRange<std::size_t>(0, method.inputCount - 1);
    double values[sizing::kMaxInputs];
    for (double& value : values) {
        value = data.ConsumeFloatingPointInRange(-1e3, 1e3);
    }
    // Often the pressure the formula needs above another only a few decades above it, by its
    // pole.
    const sizing::Roles& roles = method.roles;
    if (roles.above != sizing::kNoInput && data.ConsumeBool()) {
        values[roles.above] =
            values[roles.below] * (1.0 + std::pow(10.0, -data.ConsumeIntegralInRange(1, 12)));
    }
    const double volume = data.ConsumeFloatingPointInRange(1e-3, 1e4);
    sizing::Conditions conditions;
    conditions.temperatures = {data.ConsumeFloatingPointInRange(-100.0, 300.0),
                               data.ConsumeFloatingPointInRange(-100.0, 300.0),
                               data.ConsumeFloatingPointInRange(-100.0, 300.0)};
    const bool ideal = data.ConsumeBool();
    const sizing::SearchRange range = sizing::RangeOf(method.inputs[index]);
    const sizing::SearchRange domain = sizing::DomainOf(method, values, index, range);
    const sizing::Solution solution =
        sizing::Solve(method, values, index, volume, conditions, ideal, range);
    for (double x : solution.values) {
        values[index] = x;
        const double v = sizing::SolvedVolume(method, values, conditions, ideal);
        if (!sizing::Holds(range, x) || !sizing::Holds(domain, x) ||
            !sizing::InDomain(method, values) || !(std::fabs(v - volume) <= 1e-6 * volume)) {
            std::abort();
        }
    }
    return 0;
}

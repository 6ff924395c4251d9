// The notes under a shown volume: no undefined behaviour for any inputs, with or without a
// discharge time; the pick's first line comes first, every line is one line of text, and the
// units picked hold the volume; a case without physical meaning has the line that says why
// alone, and nothing picked.
#include "sizing/notes.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void Fail(const char* what, double volume) {
    std::fprintf(stderr, "%s (volume %.17g)\n", what, volume);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    const sizing::Method& method =
        sizing::kMethods[data.ConsumeIntegralInRange<std::size_t>(0, sizing::kMethodCount - 1)];
    double values[sizing::kMaxInputs];
    for (double& value : values) {
        // Typed inputs are finite; any of them may be zero or negative.
        value = data.ConsumeBool() ? data.ConsumeFloatingPointInRange(-1e6, 1e6)
                                   : data.ConsumeFloatingPoint<double>();
    }
    // Only positive finite volumes are shown.
    const double volume = std::fabs(data.ConsumeFloatingPoint<double>());
    if (!(volume > 0.0)) {
        return 0;
    }

    // Now and then a discharge time, with a time constant or its estimate (aux's thermal model).
    sizing::Conditions conditions;
    if (data.ConsumeIntegralInRange<int>(0, 3) == 0) {
        conditions.discharge = std::pow(10.0, data.ConsumeFloatingPointInRange(-3.0, 8.0));
        conditions.tau =
            data.ConsumeBool() ? 0.0 : std::pow(10.0, data.ConsumeFloatingPointInRange(0.0, 4.0));
    }
    const sizing::Calculation c = sizing::Calculate(method, values, volume, conditions);
    if (!sizing::HasPhysicalMeaning(method, values)) {
        if (c.meaningful || c.notes.size() != 1 || c.pick.units != 0.0 || c.performance ||
            (std::strcmp(c.notes[0].code, "negative") != 0 &&
             std::strcmp(c.notes[0].code, "shock-p2") != 0)) {
            Fail("the line that says why alone", volume);
        }
        return 0;
    }
    if (c.notes.size() < 2 || std::strcmp(c.notes[0].code, "pick") != 0) {
        Fail("the pick and at least one check", volume);
    }
    for (const sizing::Note& line : c.notes) {
        if (line.text.empty() || line.text.find('\n') != std::string::npos) {
            Fail("one line of text each", volume);
        }
    }
    const sizing::Pick& pick = c.pick;
    if (!(pick.units >= 1.0) || pick.units != std::floor(pick.units) ||
        !(pick.units * pick.nominalLitres >= sizing::AsShown(c.corrected))) {
        Fail("whole units that hold the corrected volume", volume);
    }
    if (pick.classMpa && !(*pick.classMpa >= sizing::AsShown(pick.highestMpa))) {
        Fail("a class not below the highest pressure", volume);
    }
    return 0;
}

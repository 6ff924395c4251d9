#include "sizing/catalogue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string_view>
#include <tuple>

namespace sizing {

const double kNominalLitres[19] = {0.4, 0.63, 1,  1.6, 2.5, 4,  6.3, 10,  16, 20,
                                   25,  32,   40, 50,  63,  80, 100, 120, 150};
const double kNominalMpa[3] = {10, 20, 31.5};

std::string TwoDecimalText(double value) {
    return FixedText(value, 2);
}

std::string FixedText(double value, int decimals) {
    // Digits before the point of the largest double, the point, the decimals and the sign.
    char text[330];
    const auto written =
        std::to_chars(text, std::end(text), value, std::chars_format::fixed, decimals);
    return std::string(text, written.ptr);
}

double AsShown(double value, int decimals) {
    if (!std::isfinite(value)) {
        return value;
    }
    const std::string text = FixedText(value, decimals);
    double shown = value;
    std::from_chars(text.data(), text.data() + text.size(), shown);
    return shown;
}

double ToMpa(double value, std::string_view unit) {
    if (unit == "bar") {
        return value / 10.0;
    }
    if (unit == "Pa") {
        return value / 1e6;
    }
    return value;
}

double FromMpa(double mpa, std::string_view unit) {
    if (unit == "bar") {
        return mpa * 10.0;
    }
    if (unit == "Pa") {
        return mpa * 1e6;
    }
    return mpa;
}

const char* TypeKey(AccumulatorType type) {
    switch (type) {
    case AccumulatorType::Bladder:
        return "bladder";
    case AccumulatorType::Diaphragm:
        return "diaphragm";
    default:
        return "piston";
    }
}

double DefaultRatioLimit(AccumulatorType type) {
    switch (type) {
    case AccumulatorType::Bladder:
        return 4.0;
    case AccumulatorType::Diaphragm:
        return 8.0;
    default:
        return HUGE_VAL;
    }
}

bool InUse(const Catalogue* catalogue) {
    return catalogue != nullptr && catalogue->fault == FileFault::None;
}

namespace {

// The first nominal volume that units of it in parallel hold litres; the largest when none.
double SmallestSize(double litres, double units) {
    const auto size = std::find_if(std::begin(kNominalLitres), std::end(kNominalLitres),
                                   [&](double nominal) { return units * nominal >= litres; });
    return size != std::end(kNominalLitres) ? *size : *std::rbegin(kNominalLitres);
}

// How many units of size in parallel hold litres: 1 up to size.
double UnitsFor(double litres, double size) {
    if (!(litres > size)) {
        return 1.0;
    }
    double units = std::ceil(litres / size);
    // Far above any real volume the rounded quotient can leave the units just short; there the
    // next whole number is the next double.
    while (units * size < litres) {
        units = std::max(units + 1.0, std::nextafter(units, HUGE_VAL));
    }
    return units;
}

// The pick's volume as shown, at least kLeastPulsationLitres for the pulsation methods.
double LitresToHold(const Method& method, double volume) {
    const double litres = AsShown(volume);
    return IsPulsation(method.id) ? std::max(litres, kLeastPulsationLitres) : litres;
}

// What every pick starts from: the volume it is made for and the highest pressure.
Pick PickOf(const Method& method, const double* values, double volume) {
    Pick pick;
    pick.volume = volume;
    pick.highestMpa = HighestPressureMpa(method, values);
    return pick;
}

} // namespace

double HighestPressureMpa(const Method& method, const double* values) {
    const Roles& roles = method.roles;
    const double highest = values[roles.highest];
    return PressureToMpa(method,
                         roles.ripple != kNoInput ? highest + values[roles.ripple] : highest);
}

Pick PickFor(const Method& method, const double* values, double volume) {
    Pick pick = PickOf(method, values, volume);
    const double litres = LitresToHold(method, volume);
    pick.units = UnitsFor(litres, *std::rbegin(kNominalLitres));
    pick.nominalLitres = SmallestSize(litres, pick.units);

    const double highest = AsShown(pick.highestMpa);
    const auto nominal = std::find_if(std::begin(kNominalMpa), std::end(kNominalMpa),
                                      [&](double mpa) { return mpa >= highest; });
    if (nominal != std::end(kNominalMpa)) {
        pick.classMpa = *nominal;
    }
    return pick;
}

Pick PickFrom(const Catalogue& catalogue, const Method& method, const double* values, double volume,
              double ratio) {
    Pick pick = PickOf(method, values, volume);
    const double litres = LitresToHold(method, volume);
    const double highest = AsShown(pick.highestMpa);
    const double shownRatio = AsShown(ratio);
    bool holdsPressure = false;
    const CatalogueRow* best = nullptr;
    for (const CatalogueRow& row : catalogue.rows) {
        if (!(row.mpa >= highest)) {
            continue;
        }
        holdsPressure = true;
        // Without a ratio (NaN) no limit applies.
        if (row.maxRatio < shownRatio) {
            double& passed = pick.passedOver[static_cast<std::size_t>(row.type)];
            passed = std::max(passed, row.maxRatio);
            continue;
        }
        const double units = UnitsFor(litres, row.litres);
        // The earlier row stays on a tie.
        if (best == nullptr ||
            std::tie(units, row.litres, row.mpa) < std::tie(pick.units, best->litres, best->mpa)) {
            best = &row;
            pick.units = units;
        }
    }
    if (best == nullptr) {
        pick.units = 0.0;
        pick.unmet = holdsPressure ? Unmet::Ratio : Unmet::Pressure;
        return pick;
    }
    pick.row = *best;
    pick.nominalLitres = best->litres;
    pick.classMpa = best->mpa;
    return pick;
}

} // namespace sizing

#include "sizing/catalogue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string_view>

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

namespace {

// The first nominal volume that units of it in parallel hold litres; the largest when none.
double SmallestSize(double litres, double units) {
    const auto size = std::find_if(std::begin(kNominalLitres), std::end(kNominalLitres),
                                   [&](double nominal) { return units * nominal >= litres; });
    return size != std::end(kNominalLitres) ? *size : *std::rbegin(kNominalLitres);
}

} // namespace

double HighestPressureMpa(const Method& method, const double* values) {
    if (method.id == MethodId::PulseD) {
        const std::size_t mean = InputIndex(method, "Pp");
        return ToMpa(values[mean] + values[InputIndex(method, "deltaP")], method.inputs[mean].unit);
    }
    const std::size_t highest = InputIndex(method, method.id == MethodId::Aux ? "p2" : "P2");
    return ToMpa(values[highest], method.inputs[highest].unit);
}

Pick PickFor(const Method& method, const double* values, double volume) {
    Pick pick{volume, 0.0, 1.0, HighestPressureMpa(method, values), std::nullopt};
    double litres = AsShown(volume);
    if (IsPulsation(method.id)) {
        litres = std::max(litres, kLeastPulsationLitres);
    }
    const double largest = *std::rbegin(kNominalLitres);
    if (litres > largest) {
        pick.units = std::ceil(litres / largest);
        // Far above any real volume the rounded quotient can leave the units just short; there
        // the next whole number is the next double.
        while (pick.units * largest < litres) {
            pick.units = std::max(pick.units + 1.0, std::nextafter(pick.units, HUGE_VAL));
        }
    }
    pick.nominalLitres = SmallestSize(litres, pick.units);

    const double highest = AsShown(pick.highestMpa);
    const auto nominal = std::find_if(std::begin(kNominalMpa), std::end(kNominalMpa),
                                      [&](double mpa) { return mpa >= highest; });
    if (nominal != std::end(kNominalMpa)) {
        pick.classMpa = *nominal;
    }
    return pick;
}

} // namespace sizing

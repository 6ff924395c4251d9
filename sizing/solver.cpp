#include "sizing/solver.h"

#include "sizing/units.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace sizing {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The search range of each kind of quantity, as texts read in the input's own unit.
struct KindRange {
    Quantity kind;
    const char* low;
    const char* high;
    bool lowIncluded;
};
const KindRange kSearchRanges[] = {
    {Quantity::Pressure, "0", "100 MPa", false},  {Quantity::Volume, "0", "10000 L", false},
    {Quantity::Flow, "0", "100000 L/min", false}, {Quantity::Length, "0", "10000 m", false},
    {Quantity::Area, "0", "10 m2", false},        {Quantity::Density, "0", "20 kg/L", false},
    {Quantity::Velocity, "0", "100 m/s", false},  {Quantity::Time, "0", "1000", true},
    {Quantity::Exponent, "1", "1.4", true},       {Quantity::Coefficient, "0", "1", false},
};

// Samples of a scan: four to a decade over the six decades under high, or evenly from a low
// above zero; zero itself where it belongs to the range.
constexpr int kSteps = 24;
constexpr double kDecades = 6.0;
// Relative width at which a bracket is narrow enough, and how near the volume a value must
// bring it.
constexpr double kNarrow = 1e-9;
constexpr double kClose = 1e-6;
constexpr double kExact = 1e-14;
constexpr int kMostSteps = 200;
// Steps of the search for a turning point between two samples.
constexpr int kTurningSteps = 40;

// The volume minus the one asked for, as a function of the one input.
class Mismatch {
public:
    Mismatch(const Method& method, const double* values, std::size_t index, double volume,
             const Conditions& conditions, bool ideal)
        : m_method(method), m_index(index), m_volume(volume), m_conditions(conditions),
          m_ideal(ideal) {
        std::copy(values, values + method.inputCount, m_values);
    }

    double operator()(double x) {
        m_values[m_index] = x;
        const double v = SolvedVolume(m_method, m_values, m_conditions, m_ideal);
        return std::isfinite(v) ? v - m_volume : kNaN;
    }
    // Whether a mismatch is small enough for its value to answer.
    bool Close(double mismatch) const { return std::fabs(mismatch) <= kClose * m_volume; }
    // Whether it is as small as the volume's last digits.
    bool Exact(double mismatch) const { return std::fabs(mismatch) <= kExact * m_volume; }

private:
    const Method& m_method;
    double m_values[kMaxInputs];
    std::size_t m_index;
    double m_volume;
    const Conditions& m_conditions;
    bool m_ideal;
};

bool Opposite(double a, double b) {
    return (a < 0.0 && b > 0.0) || (a > 0.0 && b < 0.0);
}

// Narrows the bracket [a, b], over which f changes sign, to the value at its change; NaN when
// that value does not bring the volume close, or when both ends grow beyond twice the larger
// mismatch they started with (they close in on a pole, or on a step). Regula falsi, the end
// that stays put having its mismatch halved (the Illinois rule), until the bracket is narrow or
// the volume is met to its last digits.
double Narrow(Mismatch& f, double a, double fa, double b, double fb) {
    const double pole = 2.0 * std::max(std::fabs(fa), std::fabs(fb));
    double atA = fa; // the mismatch at a as evaluated; fa may be halved
    int kept = 0;    // how many times in a row a has stayed put
    for (int step = 0; step < kMostSteps; ++step) {
        const double width = std::fabs(b - a);
        if (width <= kNarrow * std::max(std::fabs(a), std::fabs(b)) ||
            width <= std::numeric_limits<double>::min()) {
            break;
        }
        double x = b - fb * (b - a) / (fb - fa);
        if (!(x > std::min(a, b) && x < std::max(a, b))) {
            x = 0.5 * (a + b);
        }
        const double fx = f(x);
        if (std::isnan(fx)) {
            return kNaN;
        }
        if (f.Exact(fx)) {
            return x;
        }
        if (Opposite(fx, fb)) {
            a = b;
            fa = atA = fb;
            kept = 0;
        } else if (++kept > 1) {
            fa *= 0.5;
        }
        b = x;
        fb = fx;
        if (std::fabs(atA) > pole && std::fabs(fb) > pole) {
            return kNaN;
        }
    }
    const bool nearerA = std::fabs(atA) <= std::fabs(fb);
    return f.Close(nearerA ? atA : fb) ? (nearerA ? a : b) : kNaN;
}

// Where f, of the sign of fm at a, b and a sample between them where it is nearest zero,
// turns between a and b: a value at which it has the other sign; NaN when it has none there.
double AcrossTurn(Mismatch& f, double a, double b, double fm) {
    const double sign = fm > 0.0 ? 1.0 : -1.0;
    // Golden-section search for the least of sign * f.
    constexpr double kGolden = 0.6180339887498949;
    double lo = a, hi = b;
    double x1 = hi - kGolden * (hi - lo), x2 = lo + kGolden * (hi - lo);
    double f1 = f(x1), f2 = f(x2);
    for (int step = 0; step < kTurningSteps; ++step) {
        for (const auto& [x, fx] : {std::pair{x1, f1}, std::pair{x2, f2}}) {
            if (Opposite(fx, sign)) {
                return x;
            }
        }
        if (std::isnan(f1) || std::isnan(f2)) {
            return kNaN;
        }
        if (sign * f1 < sign * f2) {
            hi = x2;
            x2 = x1;
            f2 = f1;
            x1 = hi - kGolden * (hi - lo);
            f1 = f(x1);
        } else {
            lo = x1;
            x1 = x2;
            f1 = f2;
            x2 = lo + kGolden * (hi - lo);
            f2 = f(x2);
        }
    }
    return kNaN;
}

std::vector<double> Samples(const SearchRange& range) {
    std::vector<double> x;
    if (range.low > 0.0) {
        for (int i = 0; i <= kSteps; ++i) {
            x.push_back(range.low + (range.high - range.low) * i / kSteps);
        }
        return x;
    }
    if (range.lowIncluded) {
        x.push_back(0.0);
    }
    for (int i = 0; i <= kSteps; ++i) {
        x.push_back(range.high * std::pow(10.0, kDecades * (i - kSteps) / kSteps));
    }
    return x;
}

} // namespace

SearchRange RangeOf(const Input& input) {
    const KindRange* kind =
        std::find_if(std::begin(kSearchRanges), std::end(kSearchRanges),
                     [&](const KindRange& range) { return range.kind == input.kind; });
    SearchRange range{0.0, 0.0, false};
    ReadTypedQuantity(kind->low, input, range.low);
    ReadTypedQuantity(kind->high, input, range.high);
    range.lowIncluded = kind->lowIncluded;
    return range;
}

double SolvedVolume(const Method& method, const double* values, const Conditions& conditions,
                    bool ideal) {
    return ideal ? method.volume(values) : CorrectedVolume(method, values, conditions);
}

Solution Solve(const Method& method, const double* values, std::size_t index, double volume,
               const Conditions& conditions, bool ideal, const SearchRange& range) {
    Mismatch f(method, values, index, volume, conditions, ideal);
    const std::vector<double> x = Samples(range);
    std::vector<double> fx(x.size());
    std::transform(x.begin(), x.end(), fx.begin(), [&](double at) { return f(at); });
    // An input that cancels out of the formula (pulsation D's Vp) leaves nothing to solve.
    const auto [least, most] = std::minmax_element(fx.begin(), fx.end());
    if (std::isfinite(*least) && std::isfinite(*most) && *most - *least <= kNarrow * volume) {
        return {{}, true};
    }
    std::vector<double> found;
    const auto add = [&](double value) {
        if (!std::isnan(value)) {
            found.push_back(value);
        }
    };
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (fx[i] == 0.0) {
            found.push_back(x[i]);
        } else if (i + 1 < x.size() && Opposite(fx[i], fx[i + 1])) {
            add(Narrow(f, x[i], fx[i], x[i + 1], fx[i + 1]));
        } else if (i > 0 && i + 1 < x.size() && !Opposite(fx[i - 1], fx[i]) &&
                   !Opposite(fx[i], fx[i + 1]) && fx[i - 1] != 0.0 && fx[i + 1] != 0.0 &&
                   std::fabs(fx[i]) < std::fabs(fx[i - 1]) &&
                   std::fabs(fx[i]) < std::fabs(fx[i + 1])) {
            // Nearest zero between its neighbours: the volume may cross it twice in between.
            const double across = AcrossTurn(f, x[i - 1], x[i + 1], fx[i]);
            if (!std::isnan(across)) {
                const double fa = f(across);
                add(Narrow(f, x[i - 1], fx[i - 1], across, fa));
                add(Narrow(f, across, fa, x[i + 1], fx[i + 1]));
            }
        }
    }
    std::sort(found.begin(), found.end());
    return {found, false};
}

double SolveFrom(const Method& method, const double* values, std::size_t index, double volume,
                 const Conditions& conditions, double start, double bound) {
    Mismatch f(method, values, index, volume, conditions, false);
    const double f0 = f(start);
    if (f0 == 0.0) {
        return start;
    }
    // Ever larger steps towards the bound: the value is usually close to the start. Where a
    // step meets no volume (a pole, the formula's end), the steps close in on that point.
    double a = start, fa = f0;
    double t = 1.0 / 1024;
    double far = kNaN;
    for (int step = 0; step < kMostSteps; ++step) {
        double b = 0.0;
        if (std::isnan(far)) {
            if (t > 1.0) {
                return kNaN;
            }
            b = start + (bound - start) * t;
            t *= 2.0;
        } else {
            if (std::fabs(far - a) <= kNarrow * std::fabs(a)) {
                return kNaN;
            }
            b = 0.5 * (a + far);
        }
        const double fb = f(b);
        if (std::isnan(fb)) {
            far = b;
            continue;
        }
        if (fb == 0.0) {
            return b;
        }
        if (Opposite(fa, fb)) {
            return Narrow(f, a, fa, b, fb);
        }
        a = b;
        fa = fb;
    }
    return kNaN;
}

} // namespace sizing

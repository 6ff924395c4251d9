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

// The scan's samples: four to a decade of the distance to an open end, over six decades from
// the other end of the range or, between two open ends, over five from its middle towards each;
// evenly between two closed ends.
constexpr double kStep = 0.25;
constexpr double kDecades = 6.0;
constexpr double kDecadesEachWay = 5.0;
constexpr int kEvenSteps = 24;
// Beyond the samples, one value as near an open end as a double gets (10^-400 of the range is
// nothing); where that gives no volume, each next try halves the way back to the samples.
constexpr double kAtEnd = 400.0;
constexpr int kEndTries = 12;
// Relative width at which a bracket is narrow enough, and how near the volume a value must
// bring it.
constexpr double kNarrow = 1e-9;
constexpr double kCloseEnough = 1e-6;
constexpr double kExact = 1e-14;
constexpr int kMostSteps = 200;
// Steps of the search for a turning point between two samples, or for the end of the volume.
constexpr int kTurningSteps = 40;

// The volume minus the one asked for, as a function of the one input; NaN where the volume is
// not above zero or not finite.
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
        return std::isfinite(v) && v > 0.0 ? v - m_volume : kNaN;
    }
    // Whether a mismatch is small enough for its value to answer.
    bool Close(double mismatch) const { return std::fabs(mismatch) <= kCloseEnough * m_volume; }
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

// Where a search puts its values, x = X(s). Towards an open end s counts decades of the
// distance to it, so that the values close in on the end geometrically, reach the double next
// to it and never the end itself; between two closed ends x is even in s, from 0 to 1.
class Scale {
public:
    // Evenly from a (s = 0) to b (s = 1).
    static Scale Evenly(double a, double b) { return Scale(Kind::Even, a, b, true); }
    // From far (s = 0) towards end (s to minus infinity).
    static Scale Towards(double end, double far, bool endIncluded) {
        return Scale(Kind::FromEnd, end, far, endIncluded);
    }
    // Over range: from its high end towards an open low end (or a low end of zero), from its
    // low end towards an open high end, from the middle towards two open ends (s from minus to
    // plus infinity), evenly between a low end above zero and the high end.
    static Scale Over(const SearchRange& range) {
        if (!range.highIncluded) {
            return range.lowIncluded ? Towards(range.high, range.low, false)
                                     : Scale(Kind::TwoEnds, range.low, range.high, false);
        }
        return !range.lowIncluded || range.low <= 0.0
                   ? Towards(range.low, range.high, range.lowIncluded)
                   : Evenly(range.low, range.high);
    }

    double X(double s) const {
        const double span = m_b - m_a;
        switch (m_kind) {
        case Kind::Even:
            return s < 1.0 ? m_a + span * s : m_b;
        case Kind::FromEnd:
            return s < 0.0 ? Inside(m_a + span * std::pow(10.0, s), m_a, m_b, m_included) : m_b;
        default:
            return s <= 0.0 ? Inside(m_a + span / (1.0 + std::pow(10.0, -s)), m_a, m_b, false)
                            : Inside(m_b - span / (1.0 + std::pow(10.0, s)), m_b, m_a, false);
        }
    }

    // The samples of a scan in s, in order, with those at an open end first and last.
    std::vector<double> Samples() const {
        std::vector<double> s;
        if (m_kind == Kind::Even) {
            for (int i = 0; i <= kEvenSteps; ++i) {
                s.push_back(static_cast<double>(i) / kEvenSteps);
            }
            return s;
        }
        const bool two = m_kind == Kind::TwoEnds;
        s.push_back(-kAtEnd);
        for (double at = -Reach(); at <= (two ? Reach() : 0.0); at += kStep) {
            s.push_back(at);
        }
        if (two) {
            s.push_back(kAtEnd);
        }
        return s;
    }
    // Whether s lies beyond the samples, towards an end.
    bool AtEnd(double s) const { return m_kind != Kind::Even && std::fabs(s) > Reach(); }

private:
    enum class Kind { Even, FromEnd, TwoEnds };

    Scale(Kind kind, double a, double b, bool included)
        : m_kind(kind), m_a(a), m_b(b), m_included(included) {}

    // How many decades the samples reach towards an end.
    double Reach() const { return m_kind == Kind::TwoEnds ? kDecadesEachWay : kDecades; }

    // x, where rounding puts it on the end or beyond, the end if included, else the double next
    // to it on the side of other.
    static double Inside(double x, double end, double other, bool included) {
        const bool beyond = other > end ? x <= end : x >= end;
        return !beyond ? x : included ? end : std::nextafter(end, other);
    }

    Kind m_kind;
    double m_a, m_b;
    bool m_included;
};

// The mismatch along a scale's variable.
class Along {
public:
    Along(Mismatch& f, const Scale& scale) : m_f(f), m_scale(scale) {}
    double operator()(double s) { return m_f(m_scale.X(s)); }
    double X(double s) const { return m_scale.X(s); }
    Mismatch& Values() const { return m_f; }

private:
    Mismatch& m_f;
    const Scale& m_scale;
};

bool Opposite(double a, double b) {
    return (a < 0.0 && b > 0.0) || (a > 0.0 && b < 0.0);
}

// Narrows the bracket [a, b] of values, over which f changes sign, to the value at its change;
// NaN when that value does not bring the volume close, or when both ends grow beyond twice the
// larger mismatch they started with (they close in on a step of a correction). Regula falsi,
// the end that stays put having its mismatch halved (the Illinois rule), until the bracket is
// narrower than 1e-10 of what it was or the volume is met to its last digits.
double NarrowValues(Mismatch& f, double a, double fa, double b, double fb) {
    const double pole = 2.0 * std::max(std::fabs(fa), std::fabs(fb));
    const double narrow = 0.1 * kNarrow * std::fabs(b - a);
    double atA = fa; // the mismatch at a as evaluated; fa may be halved
    int kept = 0;    // how many times in a row a has stayed put
    for (int step = 0; step < kMostSteps && std::fabs(b - a) > narrow; ++step) {
        double x = b - fb * (b - a) / (fb - fa);
        if (!(x > std::min(a, b) && x < std::max(a, b))) {
            x = 0.5 * (a + b);
            if (x == a || x == b) {
                break;
            }
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

// Narrows the bracket [a, b] of a scale's variable, over which f changes sign, to the value at
// its change: halving it while it spans more than a decade (towards an end, where the volume
// may grow without bound), then as NarrowValues does. NaN where that finds none.
double Narrow(Along& f, double a, double fa, double b, double fb) {
    while (std::fabs(b - a) > 1.0) {
        const double m = 0.5 * (a + b);
        const double fm = f(m);
        if (std::isnan(fm)) {
            return kNaN;
        }
        if (Opposite(fm, fa)) {
            b = m;
            fb = fm;
        } else {
            a = m;
            fa = fm;
        }
    }
    return NarrowValues(f.Values(), f.X(a), fa, f.X(b), fb);
}

// Between a, where the volume is above the one asked for by fa, and b, where there is none, a
// value where the volume falls to the one asked for before it ends (at a zero of the formula):
// the bracket is halved, keeping a value with a volume and one without, until the volume is
// below the one asked for, and that change of sign narrowed. NaN where there is none.
double TowardsNoVolume(Along& f, double a, double fa, double b) {
    if (!(fa > 0.0)) {
        return kNaN;
    }
    for (int step = 0; step < kTurningSteps; ++step) {
        const double m = 0.5 * (a + b);
        const double fm = f(m);
        if (std::isnan(fm)) {
            b = m;
        } else if (Opposite(fm, fa)) {
            return Narrow(f, a, fa, m, fm);
        } else {
            a = m;
            fa = fm;
        }
    }
    return kNaN;
}

// Where f, of the sign of fm at a, b and a sample between them where it is nearest zero,
// turns between a and b: a value at which it has the other sign; NaN when it has none there.
double AcrossTurn(Along& f, double a, double b, double fm) {
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

SearchRange DomainOf(const Method& method, const double* values, std::size_t index,
                     const SearchRange& range) {
    if (!InDomain(method, values, index)) {
        return SearchRange{0.0, 0.0, false, false};
    }
    SearchRange domain = range;
    const Roles& roles = method.roles;
    if (index == roles.above && values[roles.below] >= domain.low) {
        domain.low = values[roles.below];
        domain.lowIncluded = false;
    }
    if (index == roles.below && values[roles.above] <= domain.high) {
        domain.high = values[roles.above];
        domain.highIncluded = false;
    }
    return domain;
}

bool Holds(const SearchRange& range, double x) {
    return (x > range.low || (range.lowIncluded && x == range.low)) &&
           (x < range.high || (range.highIncluded && x == range.high));
}

double SolvedVolume(const Method& method, const double* values, const Conditions& conditions,
                    bool ideal) {
    return ideal ? method.volume(values) : CorrectedVolume(method, values, conditions);
}

Solution Solve(const Method& method, const double* values, std::size_t index, double volume,
               const Conditions& conditions, bool ideal, const SearchRange& range) {
    const SearchRange domain = DomainOf(method, values, index, range);
    if (!(domain.low < domain.high)) {
        return {{}, false};
    }
    Mismatch mismatch(method, values, index, volume, conditions, ideal);
    const Scale scale = Scale::Over(domain);
    Along f(mismatch, scale);
    std::vector<double> s = scale.Samples();
    std::vector<double> fs(s.size());
    std::transform(s.begin(), s.end(), fs.begin(), f);
    // An input that cancels out of the formula (pulsation D's Vp) leaves nothing to solve.
    bool flat = true;
    double least = fs.back(), most = fs.back();
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (!scale.AtEnd(s[i])) {
            flat = flat && !std::isnan(fs[i]);
            least = std::min(least, fs[i]);
            most = std::max(most, fs[i]);
        }
    }
    if (flat && most - least <= kNarrow * volume) {
        return {{}, true};
    }
    // Where a value as near an open end as a double gets gives no volume, the next tries halve
    // the way back to the samples.
    for (std::size_t end : {std::size_t{0}, s.size() - 1}) {
        const std::size_t next = end == 0 ? 1 : end - 1;
        for (int tries = 0; scale.AtEnd(s[end]) && std::isnan(fs[end]) && tries < kEndTries;
             ++tries) {
            s[end] = 0.5 * (s[end] + s[next]);
            fs[end] = f(s[end]);
        }
    }
    std::vector<double> found;
    const auto add = [&](double value) {
        if (!std::isnan(value)) {
            found.push_back(value);
        }
    };
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (fs[i] == 0.0) {
            found.push_back(scale.X(s[i]));
        } else if (i + 1 < s.size() && Opposite(fs[i], fs[i + 1])) {
            add(Narrow(f, s[i], fs[i], s[i + 1], fs[i + 1]));
        } else if (i + 1 < s.size() && std::isnan(fs[i]) != std::isnan(fs[i + 1])) {
            const std::size_t with = std::isnan(fs[i]) ? i + 1 : i;
            add(TowardsNoVolume(f, s[with], fs[with], s[with == i ? i + 1 : i]));
        } else if (i > 0 && i + 1 < s.size() && !Opposite(fs[i - 1], fs[i]) &&
                   !Opposite(fs[i], fs[i + 1]) && fs[i - 1] != 0.0 && fs[i + 1] != 0.0 &&
                   std::fabs(fs[i]) < std::fabs(fs[i - 1]) &&
                   std::fabs(fs[i]) < std::fabs(fs[i + 1])) {
            // Nearest zero between its neighbours: the volume may cross it twice in between.
            const double across = AcrossTurn(f, s[i - 1], s[i + 1], fs[i]);
            if (!std::isnan(across)) {
                const double fa = f(across);
                add(Narrow(f, s[i - 1], fs[i - 1], across, fa));
                add(Narrow(f, across, fa, s[i + 1], fs[i + 1]));
            }
        }
    }
    std::sort(found.begin(), found.end());
    return {found, false};
}

double SolveFrom(const Method& method, const double* values, std::size_t index, double volume,
                 const Conditions& conditions, bool above) {
    const double start = values[index];
    const SearchRange domain = DomainOf(method, values, index, RangeOf(method.inputs[index]));
    const double end = above ? domain.high : domain.low;
    if (!(domain.low < domain.high) || !(above ? start < end : start > end)) {
        return kNaN;
    }
    Mismatch mismatch(method, values, index, volume, conditions, false);
    const Scale scale =
        Scale::Towards(end, start, above ? domain.highIncluded : domain.lowIncluded);
    Along f(mismatch, scale);
    const double f0 = f(0.0);
    if (f0 == 0.0) {
        return start;
    }
    // Ever larger steps towards the end, the value being usually close to the start: a 1024th
    // of the way, doubling to half of it, then ever more decades of the distance left, to the
    // double next to the end. Where a step meets no volume, the steps close in on that point.
    double a = 0.0, fa = f0; // the last step with a volume
    double far = kNaN;       // a step beyond it without one
    double t = 1.0 / 1024;
    for (int step = 0; step < kMostSteps; ++step) {
        double b = 0.0;
        if (std::isnan(far)) {
            if (a <= -kAtEnd) {
                return kNaN;
            }
            b = t <= 0.5 ? std::log10(1.0 - t) : 2.0 * a;
            t *= 2.0;
        } else {
            if (std::fabs(far - a) <= kNarrow) {
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
            return scale.X(b);
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

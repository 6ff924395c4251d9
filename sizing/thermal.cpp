#include "sizing/thermal.h"

#include "sizing/nitrogen.h"
#include "sizing/nitrogen_transport.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace sizing::thermal {

namespace {

namespace n2 = nitrogen;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPi = 3.14159265358979323846;
constexpr double kGravity = 9.80665; // m/s2

// Natural convection in a pressure vessel: Nu_H = 0.104 Ra_H^0.352.
constexpr double kNusseltFactor = 0.104;
constexpr double kNusseltExponent = 0.352;

// The integration runs over the share x of the discharge's time, 0 to 1, by the L-stable,
// stiffly accurate singly diagonally implicit Runge-Kutta method of order 4 with five stages
// and its embedded method of order 3 (Hairer and Wanner, Solving Ordinary Differential
// Equations II, section IV.6): stable and accurate from a discharge far shorter than tau,
// where the gas follows its isentrope, to one far longer, where the relaxation is stiff.
constexpr int kStages = 5;
constexpr double kGamma = 0.25;
constexpr double kA[kStages][kStages] = {
    {0.25},
    {0.5, 0.25},
    {17.0 / 50, -1.0 / 25, 0.25},
    {371.0 / 1360, -137.0 / 2720, 15.0 / 544, 0.25},
    {25.0 / 24, -49.0 / 48, 125.0 / 16, -85.0 / 12, 0.25},
};
constexpr double kC[kStages] = {0.25, 0.75, 11.0 / 20, 0.5, 1.0};
// The method's weights (its last row) less those of the embedded one.
constexpr double kError[kStages] = {-3.0 / 16, -27.0 / 32, 25.0 / 32, 0.0, 0.25};

// What a step may err by in the gas's temperature, relative to the wall's; the stages' equations
// are solved a hundred times closer.
constexpr double kTolerance = 1e-6;
constexpr double kStageTolerance = 1e-2 * kTolerance;
constexpr double kFirstStep = 0.01;
constexpr int kStageIterations = 8;
constexpr int kMostSteps = 10000;

// The root searches: the relative step at which they stop, above the integration's own noise,
// and their most trials.
constexpr double kNarrow = 1e-7;
constexpr int kMostTrials = 30;

// The gas of the accumulator of V0 while deltaV leaves it in the given time.
class Gas {
public:
    Gas(const Standby& standby, double volume, double deltaV, double seconds)
        : m_standby(standby), m_mass(standby.density0 * volume * 1e-3),
          m_start(m_mass / n2::Density(standby.wall, standby.p2)), m_change(deltaV * 1e-3),
          m_seconds(seconds), m_diameter(std::cbrt(volume * 1e-3 / kPi)),
          m_section(0.25 * kPi * m_diameter * m_diameter) {}

    double Wall() const { return m_standby.wall; }
    double Mass() const { return m_mass; }
    // The gas's volume, m3, at the share x of the discharge's time.
    double Volume(double x) const { return m_start + x * m_change; }

    // dT/dx at the share x with the gas at temperature t; NaN out of nitrogen's range.
    double Slope(double x, double t) const {
        if (!(t >= n2::kCriticalTemperature && t <= n2::kMaxTemperature)) {
            return kNaN;
        }
        const double volume = Volume(x);
        const double rho = m_mass / volume;
        const n2::Derivatives d = n2::DerivativesAt(t, rho);
        const double cooling = t * d.dpdt * 1e6 / d.cv * m_change / m_mass;
        const double relaxation = m_standby.tau > 0.0
                                      ? m_seconds / m_standby.tau
                                      : m_seconds * Transfer(volume, rho, t) / (m_mass * d.cv);
        return relaxation * (Wall() - t) - cooling;
    }

    // h A, W/K, of the gas space of this volume (m3) and density with the gas at temperature t.
    double Transfer(double volume, double rho, double t) const {
        const double difference = std::fabs(Wall() - t);
        if (difference == 0.0) {
            return 0.0;
        }
        const double film = 0.5 * (t + Wall());
        const double height = volume / m_section;
        const double area = kPi * m_diameter * height + m_section;
        const n2::Derivatives f = n2::DerivativesAt(film, rho);
        const n2::Transport transport = n2::TransportAt(film, rho, f);
        const double rayleigh = kGravity * f.expansion * rho * rho * height * height * height *
                                difference * f.cp / (transport.viscosity * transport.conductivity);
        return kNusseltFactor * std::pow(rayleigh, kNusseltExponent) * transport.conductivity /
               height * area;
    }

    // The time constant m c_v / (h A) at the start of the discharge, with the gas's difference
    // from the wall that of temperature t.
    double StartTau(double t) const {
        if (m_standby.tau > 0.0) {
            return m_standby.tau;
        }
        const double rho = m_mass / m_start;
        return m_mass * n2::DerivativesAt(Wall(), rho).cv / Transfer(m_start, rho, t);
    }

private:
    const Standby& m_standby;
    double m_mass;                // kg
    double m_start;               // the gas volume charged, m3
    double m_change;              // the oil that leaves, m3
    double m_seconds;             // the discharge's time
    double m_diameter, m_section; // the shell's, m and m2
};

// The gas's temperature along the discharge, from the share x on.
struct Integration {
    double x, temperature;
    double lowest; // the lowest temperature so far
    double step = kFirstStep;
};

// Solves stage equation Y - s - h gamma f(x, Y) = 0 from the guess y, with slope the estimate of
// its derivative in Y (at least 1: f falls as the gas warms). False where it does not converge.
bool SolveStage(const Gas& gas, double x, double s, double hg, double slope, double& y) {
    double previousY = kNaN, previousG = kNaN, previousChange = kNaN;
    for (int iteration = 0; iteration < kStageIterations; ++iteration) {
        const double f = gas.Slope(x, y);
        if (std::isnan(f)) {
            return false;
        }
        const double g = y - s - hg * f;
        // The secant's slope, where it is a sound one.
        if (!std::isnan(previousY) && y != previousY) {
            const double secant = (g - previousG) / (y - previousY);
            if (std::isfinite(secant) && secant >= 1.0) {
                slope = secant;
            }
        }
        const double change = -g / slope;
        previousY = y;
        previousG = g;
        y += change;
        const double size = std::fabs(change);
        const double tolerance = kStageTolerance * gas.Wall();
        if (size <= tolerance) {
            return true;
        }
        if (!std::isnan(previousChange)) {
            const double rate = size / previousChange;
            if (rate >= 1.0) {
                return false;
            }
            if (rate / (1.0 - rate) * size <= tolerance) {
                return true;
            }
        }
        previousChange = size;
    }
    return false;
}

// Advances the integration to the share `to`; false where the gas leaves nitrogen's range.
bool Advance(const Gas& gas, Integration& run, double to) {
    double slopeNow = gas.Slope(run.x, run.temperature);
    for (int step = 0; step < kMostSteps && run.x < to; ++step) {
        if (std::isnan(slopeNow) || !(run.step > 1e-14)) {
            return false;
        }
        const double h = std::min(run.step, to - run.x);
        // The slope's derivative in the temperature, on the cool side of the wall's.
        const double delta = 1e-6 * run.temperature;
        const double jacobian = (slopeNow - gas.Slope(run.x, run.temperature - delta)) / delta;
        const double slope =
            std::max(1.0, 1.0 - h * kGamma * (std::isfinite(jacobian) ? jacobian : 0.0));
        double k[kStages] = {};
        double y = run.temperature;
        bool solved = true;
        for (int i = 0; i < kStages && solved; ++i) {
            double s = run.temperature;
            for (int j = 0; j < i; ++j) {
                s += h * kA[i][j] * k[j];
            }
            y = run.temperature + kC[i] * h * (i == 0 ? slopeNow : k[i - 1]);
            solved = SolveStage(gas, run.x + kC[i] * h, s, h * kGamma, slope, y);
            k[i] = (y - s) / (h * kGamma);
        }
        if (!solved) {
            run.step = 0.25 * h;
            continue;
        }
        double error = 0.0;
        for (int i = 0; i < kStages; ++i) {
            error += h * kError[i] * k[i];
        }
        // Filtered as the stiff part damps it.
        const double ratio = std::fabs(error / slope) / (kTolerance * gas.Wall());
        if (ratio <= 1.0) {
            run.x = h == to - run.x ? to : run.x + h;
            run.temperature = y;
            run.lowest = std::min(run.lowest, y);
            slopeNow = k[kStages - 1];
        }
        run.step = h * std::clamp(0.9 * std::pow(ratio, -0.25), 0.2, 5.0);
    }
    return run.x >= to;
}

// The gas at the end of the discharge of deltaV over the given time from V0; no numbers where
// it leaves nitrogen's range.
struct End {
    double temperature = kNaN, lowest = kNaN, pressure = kNaN;
};

End Discharged(const Standby& standby, double volume, double deltaV, double seconds) {
    const Gas gas(standby, volume, deltaV, seconds);
    Integration run{0.0, standby.wall, standby.wall};
    if (!Advance(gas, run, 1.0)) {
        return End{};
    }
    return {run.temperature, run.lowest,
            n2::Pressure(run.temperature, gas.Mass() / gas.Volume(1.0))};
}

// The gas's densities, kg/m3, charged at the wall's temperature and at p1 on the isotherm and
// on the isentrope from the charged state.
struct Densities {
    double charged, isothermal, isentropic;
};
Densities DensitiesOf(const Standby& standby) {
    return {n2::Density(standby.wall, standby.p2), n2::Density(standby.wall, standby.p1),
            n2::IsentropicEnd(standby.wall, standby.p2, standby.p1).density};
}

// The expansions of the isentrope and the isotherm from the charged gas to p1; none where the
// accumulator is no sound one (a density or a time constant not above zero, p1 not below p2, a
// state out of nitrogen's range).
struct Expansions {
    double isentropic, isothermal;
};
std::optional<Expansions> ExpansionsOf(const Standby& standby, const Densities& d) {
    const double ws = std::log(d.charged / d.isentropic), wi = std::log(d.charged / d.isothermal);
    if (!(ws > 0.0 && wi >= ws && standby.density0 > 0.0 && std::isfinite(standby.density0) &&
          standby.tau >= 0.0)) {
        return std::nullopt;
    }
    return Expansions{ws, wi};
}

// A discharge by its expansion w = ln(V_end/V2), and its end's excess ln(p_end/p1), which falls
// with w nearly as a polytrope's does: linearly from ln(p2/p1) at w = 0.
struct Trial {
    double w = 0.0, excess = kNaN;
    End end;
};

// The discharge among discharged(w) that ends at p1, its expansion between the isentrope's ws
// and the isotherm's wi: secant steps through the two latest trials (the first through w = 0),
// kept inside the bracket that the trials have found, to a relative step of kNarrow; at a limit
// to within the integration's accuracy, that limit. A trial without an end where the gas leaves
// nitrogen's range.
template <typename Discharged>
Trial Crossing(Discharged discharged, double p1, double p2, double ws, double wi) {
    const auto trial = [&](double w) {
        Trial t;
        t.w = w;
        t.end = discharged(w);
        t.excess = std::log(t.end.pressure / p1);
        return t;
    };
    Trial previous;
    previous.excess = std::log(p2 / p1);
    Trial current = trial(ws);
    // The excess is positive up to low, negative from high on; high is a trial's once one fell.
    double low = 0.0, high = wi;
    bool fell = false;
    for (int i = 0; i < kMostTrials; ++i) {
        if (std::isnan(current.excess) || current.excess == 0.0 ||
            (current.excess > 0.0 && current.w >= wi) ||
            (current.excess < 0.0 && current.w <= ws)) {
            return current;
        }
        (current.excess > 0.0 ? low : high) = current.w;
        fell = fell || current.excess < 0.0;
        double next = current.w - current.excess * (current.w - previous.w) /
                                      (current.excess - previous.excess);
        if (!(next > low && next < high)) {
            next = fell || next <= low ? 0.5 * (low + high) : high;
        }
        if (std::fabs(next - current.w) <= kNarrow * current.w) {
            return current;
        }
        previous = current;
        current = trial(next);
    }
    return current;
}

} // namespace

double IsothermalVolume(const Standby& standby, double deltaV) {
    const Densities d = DensitiesOf(standby);
    return deltaV / (standby.density0 / d.isothermal - standby.density0 / d.charged);
}

double IsentropicVolume(const Standby& standby, double deltaV) {
    const Densities d = DensitiesOf(standby);
    return deltaV / (standby.density0 / d.isentropic - standby.density0 / d.charged);
}

Discharge StandbyVolume(const Standby& standby, double deltaV, double seconds) {
    const Discharge none{kNaN, kNaN, kNaN, kNaN};
    const Densities d = DensitiesOf(standby);
    // V0 of an expansion w: the oil is V2 (e^w - 1), and V2 = V0 density0 / charged.
    const auto volumeOf = [&](double w) {
        return deltaV * d.charged / (standby.density0 * std::expm1(w));
    };
    const std::optional<Expansions> limits = ExpansionsOf(standby, d);
    if (!limits || !(deltaV > 0.0 && seconds > 0.0)) {
        return none;
    }
    const Trial found =
        Crossing([&](double w) { return Discharged(standby, volumeOf(w), deltaV, seconds); },
                 standby.p1, standby.p2, limits->isentropic, limits->isothermal);
    if (std::isnan(found.excess)) {
        return none;
    }
    const double volume = volumeOf(found.w);
    const Gas gas(standby, volume, deltaV, seconds);
    return {volume, found.end.temperature, std::log(standby.p2 / standby.p1) / found.w,
            gas.StartTau(found.end.lowest)};
}

double DeliveredOil(const Standby& standby, double volume, double flow) {
    const Densities d = DensitiesOf(standby);
    const std::optional<Expansions> limits = ExpansionsOf(standby, d);
    if (!limits || !(volume > 0.0 && flow > 0.0)) {
        return kNaN;
    }
    // The oil of an expansion w from the charged gas volume V2, litres.
    const double charged = standby.density0 * volume / d.charged;
    const auto oilOf = [&](double w) { return charged * std::expm1(w); };
    const Trial found =
        Crossing([&](double w) { return Discharged(standby, volume, oilOf(w), oilOf(w) / flow); },
                 standby.p1, standby.p2, limits->isentropic, limits->isothermal);
    return std::isnan(found.excess) ? kNaN : oilOf(found.w);
}

std::vector<PathPoint> DischargePath(const Standby& standby, double volume, double deltaV,
                                     double seconds, int count) {
    const Gas gas(standby, volume, deltaV, seconds);
    Integration run{0.0, standby.wall, standby.wall};
    std::vector<PathPoint> path;
    for (int i = 0; i <= count; ++i) {
        const double x = static_cast<double>(i) / count;
        if (!Advance(gas, run, x)) {
            return {};
        }
        path.push_back(
            {n2::Pressure(run.temperature, gas.Mass() / gas.Volume(x)), gas.Volume(x) * 1e3});
    }
    return path;
}

} // namespace sizing::thermal

// The eight sizing formulas: no undefined behaviour for any inputs, and wherever a result and
// its closed form are finite they agree within 1e-12 relative, the tolerance widened by the
// cancellation the inputs cause in the differences of the formula.
#include "sizing/formulas.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// How much a difference a - b magnifies the rounding errors of its operands.
double Cancellation(double a, double b) {
    const double d = std::fabs(a - b);
    return d == 0.0 ? INFINITY : (std::fabs(a) + std::fabs(b)) / d;
}

// Whether the comparison holds: with every input zero or between 1e-6 and 1e6 in size and the
// exponent n between 0.5 and 5, no intermediate result of any formula comes near the ends of
// the double range, where digits are lost.
bool g_comparable = false;

void Expect(const char* name, double steps, double closed, double cancellation) {
    if (!g_comparable || !std::isfinite(steps) || !std::isfinite(closed) ||
        !std::isfinite(cancellation)) {
        return;
    }
    const double scale = std::fmax(std::fabs(steps), std::fabs(closed));
    const double tolerance = 1e-12 * (1.0 + cancellation) * scale;
    if (std::fabs(steps - closed) > tolerance) {
        std::fprintf(stderr, "%s: %.17g against the closed form %.17g\n", name, steps, closed);
        std::abort();
    }
}

// Inputs of a usable size with either sign, now and then zero or a value from the edges.
double Input(FuzzedDataProvider& data) {
    switch (data.ConsumeIntegralInRange<int>(0, 7)) {
    case 0:
        return 0.0;
    case 1:
        return data.ConsumeFloatingPoint<double>();
    default: {
        const double magnitude = std::pow(10.0, data.ConsumeFloatingPointInRange(-6.0, 6.0));
        return data.ConsumeBool() ? -magnitude : magnitude;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    double x[8];
    for (double& value : x) {
        value = Input(data);
    }
    const double n = data.ConsumeBool() ? 1.4 : std::fabs(x[7]);
    g_comparable = true;
    for (double value : x) {
        const double size = std::fabs(value);
        if (value != 0.0 && !(size >= 1e-6 && size <= 1e6)) {
            g_comparable = false;
        }
    }
    if (!(n >= 0.5 && n <= 5.0)) {
        g_comparable = false;
    }

    {
        const double w = 1.0 / n;
        const double t1 = std::pow(x[2] / x[3], w), t2 = std::pow(x[2] / x[4], w);
        Expect("AuxPowerVolume", AuxPowerVolume(x[0], n, x[2], x[3], x[4]), x[0] / (t1 - t2),
               Cancellation(t1, t2));
    }
    {
        const double rho = x[0], A = x[1], l = x[2], v = x[3], P0 = x[4], P2 = x[5];
        const double e = std::pow(P2 / P0, 0.286);
        Expect("ShockAVolume", ShockAVolume(rho, A, l, v, P0, P2),
               0.2 * rho * A * l * v * v / P0 / (e - 1.0), Cancellation(e, 1.0));
    }
    {
        const double Q = x[0], P1 = x[1], P2 = x[2], L = x[3], t = x[4];
        Expect("ShockBVolume", ShockBVolume(Q, P1, P2, L, t),
               (0.0164 * L - t) * 0.004 * Q * P2 / (P2 - P1),
               Cancellation(0.0164 * L, t) + Cancellation(P2, P1));
    }
    {
        const double Q = x[0], L = x[1], d = x[2], P1 = x[3], P2 = x[4], P0 = x[5], t = x[6],
                     rho = x[7];
        const double u = 1000.0 * Q / (0.785 * d * d * 3.6);
        const double s = 2.0 * rho * L * u / (100000.0 * (P2 - P1));
        const double a1 = std::pow(P0 / P1, 0.7143), a2 = std::pow(P0 / P2, 0.7143);
        Expect("ShockCVolume", ShockCVolume(Q, L, d, P1, P2, P0, t, rho),
               Q * 0.1388888888888889 * (s - t) / (a1 - a2),
               Cancellation(P2, P1) + Cancellation(s, t) + Cancellation(a1, a2));
    }
    {
        const double w = 1.0 / n;
        const double A = x[0], L = x[1], k = x[2], P1 = x[3], P2 = x[4], P0 = x[5];
        const double r = std::pow(P1 / P2, w);
        Expect("PulseAVolume", PulseAVolume(n, A, L, k, P1, P2, P0),
               1000.0 * A * L * k * std::pow(P1 / P0, w) / (1.0 - r), Cancellation(1.0, r));
    }
    {
        const double w = 1.0 / n;
        const double Vp = x[0], P1 = x[1], P2 = x[2], k = x[3];
        const double pm = (P1 + P2) / 2.0;
        const double r = std::pow(pm / P2, w);
        Expect("PulseBVolume", PulseBVolume(n, Vp, P1, P2, k),
               k * Vp * std::pow(pm / P1, w) / (1.0 - r),
               Cancellation(P1, -P2) + Cancellation(1.0, r));
    }
    {
        const double r = std::pow(x[1] / x[2], 1.0 / n);
        Expect("PulseCVolume", PulseCVolume(n, x[0], x[1], x[2]), x[0] / (1.0 - r),
               Cancellation(1.0, r));
    }
    {
        const double Vp = x[0], deltaV = x[1], Pp = x[2], deltaP = x[3];
        Expect("PulseDVolume", PulseDVolume(Vp, deltaV, Pp, deltaP), deltaV / (0.6 * deltaP / Pp),
               0.0);
    }
    return 0;
}

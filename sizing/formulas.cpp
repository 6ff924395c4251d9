#include "sizing/formulas.h"

#include <cmath>

double AuxPowerVolume(double deltaV, double n, double p0, double p1, double p2) {
    const double w = 1.0 / n;
    const double a = std::pow(1.0 / p1, w);
    const double b = std::pow(1.0 / p2, w);
    const double d = a - b;
    const double g = std::pow(p0, w);
    return deltaV / (d * g);
}

double ShockAVolume(double rho, double A, double l, double v, double P0, double P2) {
    const double r = P2 / P0;
    double e = std::pow(r, 0.286);
    e = e - 1.0;
    const double k = 1.0 / e;
    double m = l * A;
    m = m * rho;
    m = m * v;
    m = m * v;
    m = m * 0.2;
    m = m / P0;
    return k * m;
}

double ShockBVolume(double Q, double P1, double P2, double L, double t) {
    double a = L * 0.0164;
    a = a - t;
    double b = Q * P2;
    b = b * 0.004;
    const double n = a * b;
    return n / (P2 - P1);
}

double ShockCVolume(double Q, double L, double d, double P1, double P2, double P0, double t,
                    double rho) {
    const double D = P2 - P1;
    double g = d * d;
    g = g * 0.785;
    g = g * 3.6;
    const double u = (Q * 1000) / g;
    double w = rho * L;
    w = w * u;
    w = w + w;
    w = w / (D * 100000);
    w = w - t;
    // Q / 7.2, as a product with the double nearest to 5/36.
    const double N = w * (Q * 0.1388888888888889);
    const double a1 = std::pow(P0 / P1, 0.7143);
    const double a2 = std::pow(P0 / P2, 0.7143);
    const double S = a1 - a2;
    return N / S;
}

double PulseAVolume(double n, double A, double L, double k, double P1, double P2, double P0) {
    const double w = 1.0 / n;
    const double q = std::pow(P1 / P0, w);
    double m = q * k;
    m = m * L;
    m = m * A;
    m = m * 1000.0; // m³ to litres
    const double d = 1.0 - std::pow(P1 / P2, w);
    return m / d;
}

double PulseBVolume(double n, double Vp, double P1, double P2, double k) {
    const double pm = (P1 + P2) * 0.5;
    const double w = 1.0 / n;
    double m = std::pow(pm / P1, w);
    m = m * k;
    m = m * Vp;
    const double d = 1.0 - std::pow(pm / P2, w);
    return m / d;
}

double PulseCVolume(double n, double deltaV, double P1, double P2) {
    const double r = P1 / P2;
    const double w = 1.0 / n;
    const double d = 1.0 - std::pow(r, w);
    return deltaV / d;
}

double PulseDVolume(double Vp, double deltaV, double Pp, double deltaP) {
    // V = Vp · i / (0.6 · δ): i = deltaV / Vp is the share of the displacement above the mean,
    // δ = deltaP / Pp the permitted pulsation of the pressure.
    const double e = deltaV / Vp;
    const double s = deltaP / Pp;
    const double q = Vp * e;
    return q / (s * 0.6);
}

#include "calc/formulas.h"

#include <cmath>

double AuxPowerVolume(double deltaV, double n, double p0, double p1, double p2) {
    const double w = 1.0 / n;
    const double a = std::pow(1.0 / p1, w);
    const double b = std::pow(1.0 / p2, w);
    const double d = a - b;
    const double g = std::pow(p0, w);
    return deltaV / (d * g);
}

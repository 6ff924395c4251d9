#include "sizing/formulas.h"
#include "volume_expect.h"

#include <gtest/gtest.h>

namespace {

struct ShockACase {
    const char* what;
    double rho, A, l, v, P0, P2;
};

struct ShockBCase {
    const char* what;
    double Q, P1, P2, L, t;
};

struct ShockCCase {
    const char* what;
    double Q, L, d, P1, P2, P0, t, rho;
};

double Evaluate(const ShockACase& c) {
    return ShockAVolume(c.rho, c.A, c.l, c.v, c.P0, c.P2);
}
double Evaluate(const ShockBCase& c) {
    return ShockBVolume(c.Q, c.P1, c.P2, c.L, c.t);
}
double Evaluate(const ShockCCase& c) {
    return ShockCVolume(c.Q, c.L, c.d, c.P1, c.P2, c.P0, c.t, c.rho);
}

TEST(ShockAVolume, WorkedExamples) {
    const Worked<ShockACase> table[] = {
        {{"base", 0.9, 0.01, 200, 4, 9, 12}, 7.4629822936491522, 0x1.dda1807c7669dp+2, "7.46"},
        {{"v enters squared", 0.9, 0.01, 200, -4, 9, 12},
         7.4629822936491522,
         0x1.dda1807c7669dp+2,
         "7.46"},
        {{"P2 below P0", 0.9, 0.01, 200, 4, 12, 9},
         -6.0772367202368642,
         -0x1.84f17248dded8p+2,
         nullptr},
        {{"below 0.005", 0.9, 0.0001, 10, 1, 9, 12},
         2.3321819667653601e-4,
         0x1.e91810e1c0ef7p-13,
         "0.00"},
    };
    CheckWorked(table);
}

TEST(ShockAVolume, InputsWithoutAVolume) {
    const Edge<ShockACase> table[] = {
        {{"fresh dialog", 0, 0, 0, 0, 0, 0}, Rejected::NaN},
        {{"P2 equal to P0", 0.9, 0.01, 200, 4, 9, 9}, Rejected::PlusInfinity},
        {{"no density", 0, 0.01, 200, 4, 9, 12}, Rejected::Zero},
        {{"oil at rest", 0.9, 0.01, 200, 0, 9, 12}, Rejected::Zero},
        {{"no pre-charge", 0.9, 0.01, 200, 4, 0, 12}, Rejected::NaN},
        {{"pressures of opposite signs", 0.9, 0.01, 200, 4, -9, 12}, Rejected::NaN},
    };
    CheckEdges(table);
}

TEST(ShockBVolume, WorkedExamples) {
    const Worked<ShockBCase> table[] = {
        {{"sudden closure", 100, 10, 14, 50, 0}, 1.148, 0x1.25e353f7ced92p+0, "1.15"},
        {{"closing in 0.5", 100, 10, 14, 50, 0.5}, 0.448, 0x1.cac083126e97bp-2, "0.45"},
        {{"closing in 1", 100, 10, 14, 50, 1}, -0.252, -0x1.020c49ba5e353p-2, nullptr},
        {{"P2 below P1, slow closure", 100, 14, 10, 50, 1}, 0.18, 0x1.70a3d70a3d708p-3, "0.18"},
    };
    CheckWorked(table);
}

TEST(ShockBVolume, InputsWithoutAVolume) {
    const Edge<ShockBCase> table[] = {
        {{"fresh dialog", 0, 0, 0, 0, 0}, Rejected::NaN},
        {{"P2 equal to P1", 100, 10, 10, 50, 0}, Rejected::PlusInfinity},
        {{"P2 equal to P1, slow closure", 100, 10, 10, 50, 1}, Rejected::MinusInfinity},
        {{"P2 equal to P1, no flow", 0, 10, 10, 50, 0}, Rejected::NaN},
        {{"no flow", 0, 10, 14, 50, 0}, Rejected::Zero},
        {{"P2 zero", 100, 10, 0, 50, 0}, Rejected::Zero},
        {{"P2 above P1, closure slower than the line", 100, 10, 14, 50, 2}, Rejected::Negative},
        {{"P2 below P1, sudden closure", 100, 14, 10, 50, 0}, Rejected::Negative},
    };
    CheckEdges(table);
}

TEST(ShockCVolume, WorkedExamples) {
    const Worked<ShockCCase> table[] = {
        {{"sudden closure", 300, 150, 20, 100, 140, 80, 0, 0.9},
         4.0975043593922985,
         0x1.063d82ecb3ab8p+2,
         "4.10"},
        {{"closing in 0.02", 300, 150, 20, 100, 140, 80, 0.02, 0.9},
         -0.47713161873812541,
         -0x1.e89530e9789ddp-2,
         nullptr},
        // Numerator and divisor both change sign, exactly.
        {{"P1 and P2 exchanged", 300, 150, 20, 140, 100, 80, 0, 0.9},
         4.0975043593922985,
         0x1.063d82ecb3ab8p+2,
         "4.10"},
    };
    CheckWorked(table);
}

TEST(ShockCVolume, InputsWithoutAVolume) {
    const Edge<ShockCCase> table[] = {
        {{"fresh dialog", 0, 0, 0, 0, 0, 0, 0, 0}, Rejected::NaN},
        {{"P2 equal to P1", 300, 150, 20, 100, 100, 80, 0, 0.9}, Rejected::PlusInfinity},
        {{"no bore", 300, 150, 0, 100, 140, 80, 0, 0.9}, Rejected::PlusInfinity},
        {{"no pre-charge", 300, 150, 20, 100, 140, 0, 0, 0.9}, Rejected::PlusInfinity},
        {{"no pre-charge, slow closure", 300, 150, 20, 100, 140, 0, 0.02, 0.9},
         Rejected::MinusInfinity},
        {{"no flow", 0, 150, 20, 100, 140, 80, 0, 0.9}, Rejected::Zero},
        {{"P1 zero", 300, 150, 20, 0, 140, 80, 0, 0.9}, Rejected::Zero},
        {{"negative pre-charge", 300, 150, 20, 100, 140, -80, 0, 0.9}, Rejected::NaN},
    };
    CheckEdges(table);
}

} // namespace

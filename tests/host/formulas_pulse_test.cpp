#include "sizing/formulas.h"
#include "volume_expect.h"

#include <gtest/gtest.h>

namespace {

// The exponent that the plunger and non-plunger calculators pass.
const double kExponent = 1.4;

struct PulseACase {
    const char* what;
    double A, L, k, P1, P2, P0;
};

struct PulseBCase {
    const char* what;
    double Vp, P1, P2, k;
};

struct PulseCCase {
    const char* what;
    double deltaV, P1, P2;
};

struct PulseDCase {
    const char* what;
    double Vp, deltaV, Pp, deltaP;
};

double Evaluate(const PulseACase& c) {
    return PulseAVolume(kExponent, c.A, c.L, c.k, c.P1, c.P2, c.P0);
}
double Evaluate(const PulseBCase& c) {
    return PulseBVolume(kExponent, c.Vp, c.P1, c.P2, c.k);
}
double Evaluate(const PulseCCase& c) {
    return PulseCVolume(kExponent, c.deltaV, c.P1, c.P2);
}
double Evaluate(const PulseDCase& c) {
    return PulseDVolume(c.Vp, c.deltaV, c.Pp, c.deltaP);
}

TEST(PulseAVolume, WorkedExamples) {
    const Worked<PulseACase> table[] = {
        {{"single plunger", 0.001, 0.05, 0.6, 10, 12, 8},
         0.28814087474437494,
         0x1.270e66c6abf3fp-2,
         "0.29"},
        {{"double plunger", 0.002, 0.1, 0.25, 8, 10, 6},
         0.41677989273874426,
         0x1.aac85923c5ef1p-2,
         "0.42"},
        {{"P1 above P2", 0.001, 0.05, 0.6, 12, 10, 8},
         -0.28814087474437494,
         -0x1.270e66c6abf41p-2,
         nullptr},
    };
    CheckWorked(table);
}

TEST(PulseAVolume, InputsWithoutAVolume) {
    const Edge<PulseACase> table[] = {
        {{"fresh dialog", 0, 0, 0, 0, 0, 0}, Rejected::NaN},
        {{"P1 equal to P2", 0.001, 0.05, 0.6, 10, 10, 8}, Rejected::PlusInfinity},
        {{"no coefficient", 0.001, 0.05, 0, 10, 12, 8}, Rejected::Zero},
    };
    CheckEdges(table);
}

TEST(PulseBVolume, WorkedExamples) {
    const Worked<PulseBCase> table[] = {
        {{"0.1 L per cylinder", 0.1, 10, 12, 0.6},
         1.0658484704744550,
         0x1.10db72032ded4p+0,
         "1.07"},
        {{"below 0.005", 0.0001, 10, 12, 0.6},
         0.0010658484704744550,
         0x1.1767e14aef8a8p-10,
         "0.00"},
        {{"P1 above P2", 0.1, 12, 10, 0.6}, -0.80035230776222812, -0x1.99c7c7163bd99p-1, nullptr},
    };
    CheckWorked(table);
}

TEST(PulseBVolume, InputsWithoutAVolume) {
    const Edge<PulseBCase> table[] = {
        {{"fresh dialog", 0, 0, 0, 0}, Rejected::NaN},
        {{"no coefficient", 0.1, 10, 12, 0}, Rejected::Zero},
        {{"P1 equal to P2", 0.1, 10, 10, 0.6}, Rejected::PlusInfinity},
    };
    CheckEdges(table);
}

TEST(PulseCVolume, WorkedExamples) {
    const Worked<PulseCCase> table[] = {
        {{"0.1 L per cycle", 0.1, 10, 12}, 0.81895903341117548, 0x1.a34e993287900p-1, "0.82"},
        {{"1 L per cycle", 1, 8, 10}, 6.7872648985740042, 0x1.b2628c502a80ep+2, "6.79"},
        {{"P1 above P2", 0.1, 12, 10}, -0.71895903341117547, -0x1.701b65ff545cfp-1, nullptr},
    };
    CheckWorked(table);
}

TEST(PulseCVolume, InputsWithoutAVolume) {
    const Edge<PulseCCase> table[] = {
        {{"fresh dialog", 0, 0, 0}, Rejected::NaN},
        {{"no excess discharge", 0, 10, 12}, Rejected::Zero},
        {{"P1 equal to P2", 0.1, 10, 10}, Rejected::PlusInfinity},
    };
    CheckEdges(table);
}

// V = Vp · (deltaV / Vp) / (0.6 · deltaP / Pp): the volume grows with the excess discharge
// and does not depend on the displacement beyond it.
TEST(PulseDVolume, WorkedExamples) {
    const Worked<PulseDCase> table[] = {
        {{"1 L/r", 1, 0.05, 10, 0.5}, 1.6666666666666667, 0x1.aaaaaaaaaaaabp+0, "1.67"},
        {{"ten times the excess", 1, 0.5, 10, 0.5},
         16.666666666666667,
         0x1.0aaaaaaaaaaabp+4,
         "16.67"},
        {{"2 L/r", 2, 0.05, 10, 0.5}, 1.6666666666666667, 0x1.aaaaaaaaaaaabp+0, "1.67"},
        {{"0.5 L/r", 0.5, 0.05, 10, 0.5}, 1.6666666666666667, 0x1.aaaaaaaaaaaabp+0, "1.67"},
        {{"negative amplitude", 1, 0.05, 10, -0.5},
         -1.6666666666666667,
         -0x1.aaaaaaaaaaaabp+0,
         nullptr},
    };
    CheckWorked(table);
}

TEST(PulseDVolume, InputsWithoutAVolume) {
    const Edge<PulseDCase> table[] = {
        {{"fresh dialog", 0, 0, 0, 0}, Rejected::NaN},
        {{"no amplitude", 1, 0.05, 10, 0}, Rejected::PlusInfinity},
        {{"no displacement", 0, 0.05, 10, 0.5}, Rejected::NaN},
        {{"no excess discharge", 1, 0, 10, 0.5}, Rejected::Zero},
    };
    CheckEdges(table);
}

} // namespace

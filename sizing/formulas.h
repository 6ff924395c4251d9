// The sizing formulas of the eight calculators: pure functions of the values typed, each
// evaluated in a fixed order of IEEE double operations. A result may be negative, zero,
// infinite or NaN; judging it is the dialog's task.
#pragma once

// Auxiliary or emergency power source: the nominal volume in litres that delivers deltaV
// litres between the pressures p1 and p2 (any one unit) with pre-charge p0 and exponent n.
double AuxPowerVolume(double deltaV, double n, double p0, double p1, double p2);

// Shock absorption, method A (MPa): oil of density rho (kg/L) flowing at v (m/s) through a
// pipe of cross-section A (m²) and length l (m), pre-charge P0, highest shock pressure P2.
double ShockAVolume(double rho, double A, double l, double v, double P0, double P2);
// Shock absorption, method B (MPa): flow Q (L/min) before the valve closes, mean pressure P1,
// permissible shock pressure P2, pipe length L (m), closing time t (0 for a sudden closure).
double ShockBVolume(double Q, double P1, double P2, double L, double t);
// Shock absorption, method C (bar): flow Q (L/min), total line length L (m), bore d (mm),
// mean pressure P1, permissible shock P2, pre-charge P0, deceleration or closing time t and
// oil density rho (kg/L).
double ShockCVolume(double Q, double L, double d, double P1, double P2, double P0, double t,
                    double rho);

// Pulsation of a plunger pump, from the plunger area A (m²) and stroke L (m), the pump type
// coefficient k, the working pressures P1 and P2 and the pre-charge P0; exponent n.
double PulseAVolume(double n, double A, double L, double k, double P1, double P2, double P0);
// Pulsation of a plunger pump, from the displacement Vp of one cylinder (the volume comes out
// in Vp's unit), the working pressures P1 and P2 and the pump type coefficient k; exponent n.
double PulseBVolume(double n, double Vp, double P1, double P2, double k);
// Pulsation of a non-plunger pump, from the excess discharge deltaV (L) per cycle and the
// working pressures P1 and P2; exponent n.
double PulseCVolume(double n, double deltaV, double P1, double P2);
// Pulsation of a non-plunger pump, from its displacement Vp (L/r), the excess discharge deltaV
// (L) within one displacement, its mean output pressure Pp and the one-sided amplitude deltaP
// of the pressure pulsation.
double PulseDVolume(double Vp, double deltaV, double Pp, double deltaP);

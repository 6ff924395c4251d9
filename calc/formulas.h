// The sizing formulas of the eight calculators: pure functions of the values typed, each
// evaluated in a fixed order of IEEE double operations. A result may be negative, zero,
// infinite or NaN; judging it is the dialog's task.
#pragma once

// Auxiliary or emergency power source: the nominal volume in litres that delivers deltaV
// litres between the pressures p1 and p2 (any one unit) with pre-charge p0 and exponent n.
double AuxPowerVolume(double deltaV, double n, double p0, double p1, double p2);

// The engineering notes under a shown volume: the catalogue pick on the first line, then one
// short line for each check that applies. The checks rest on the calculators' own hints and on
// common practice; they never block anything.
//
// Platform-free. Texts are UTF-8 in both builds, so that what comes from outside (a model's name,
// a file's path, a cell of a catalogue) keeps every character, also one that GBK lacks; the
// labels and units of the method table are taken from the program's narrow encoding. Every text
// of the notes is held in notes.cpp.
#pragma once

#include "sizing/calculation.h"

#include <string>
#include <string_view>
#include <vector>

namespace sizing {

// The lines of the notes, each with an ASCII code:
//   "pick"      the catalogue pick, always the first line
//   "performance" what the size picked does: the oil it delivers, the pressure it lets rise
//   "catalogue-ratio" the types of a catalogue file passed over for the case's ratio
//   "absolute"  the step from gauge to absolute pressures, where it shows
//   "temperature" the operating temperature range and the sizing temperature
//   "thermal"   with a discharge time (aux): the thermal model of the gas, or that it gives none
//   "thermal-n" the formula's n, which the pick with a discharge time does not follow
//   "real-gas"  the real-gas correction of the methods with a gas law
//   "fill"      the pressure to fill at, at the filling temperature
//   "negative"  a pressure below zero
//   "shock-p2"  shock B or C with P2 not above P1
//   "excess"    pulsation D with deltaV above Vp
//   "pa-units"  pulsation A with a highest pressure below 1000 Pa
//   "precharge" the precharge against its hint (aux, shock C, pulsation A)
//   "ratio"     a compression ratio above 4
//   "gas-cold"  the gas's end temperature of the thermal model below the lowest operating one
//   "exponent"  aux's n neither 1 nor 1.4
//   "pump-k"    a pump-type coefficient outside the hint's table
//   "in-range"  none of the checks applies
//   "catalogue" the catalogue file the pick came from, or why it was not used (only with a file)
//   "catalogue-bytes" the cells of a UTF-8 catalogue file that are not UTF-8, read as GBK: the
//               first one's row and column
//   "catalogue-rows" the rows of the catalogue file skipped: the first one's number and reason

// Whether the notes give a case of method over values (binding order) a physical meaning: no
// pressure below zero ("negative"), and in shock B and C P2 above P1 ("shock-p2").
bool HasPhysicalMeaning(const Method& method, const double* values);

// The checks that apply to a calculation's inputs, in the order of the codes above, from
// "negative" to "pump-k"; "in-range" alone when none does. Each of them warns (Note::warns) but
// "in-range" and aux's "precharge" where p0/p1 fits a kind of accumulator.
std::vector<Note> Checks(const Calculation& calculation);

// The notes of a calculation: where it has no physical meaning, the one line that says why (the
// first of "negative" and "shock-p2"). Otherwise the pick, e.g. "选型：公称容积 32 L，公称压力 20
// MPa", or for a pick made for a corrected volume "选型（按实际气体 31.79 升）：公称容积 32
// L，...", or from a catalogue file "选型：B-32/20（皮囊式，32 L，20 MPa）"; then the corrections,
// then the checks, then the catalogue file's lines.
std::vector<Note> NotesOf(const Calculation& calculation);

// The lines' texts, each but the last followed by lineBreak (an edit control wants "\r\n").
std::string JoinNotes(const std::vector<Note>& lines, std::string_view lineBreak);

} // namespace sizing

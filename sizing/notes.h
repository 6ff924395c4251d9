// The engineering notes under a shown volume: the catalogue pick on the first line, then one
// short line for each check that applies. The checks rest on the calculators' own hints and on
// common practice; they never block anything.
//
// Platform-free. Texts are byte strings in the program's narrow encoding: GBK in the Windows
// build, UTF-8 in the native one. Every text of the notes is held in notes.cpp.
#pragma once

#include "sizing/catalogue.h"
#include "sizing/methods.h"
#include "sizing/real_gas.h"

#include <string>
#include <string_view>
#include <vector>

namespace sizing {

struct Note {
    // ASCII identifier of the line:
    //   "pick"      the catalogue pick, always the first line
    //   "real-gas"  the real-gas correction of the methods with a gas law
    //   "negative"  a pressure below zero
    //   "shock-p2"  shock B or C with P2 not above P1
    //   "excess"    pulsation D with deltaV above Vp
    //   "pa-units"  pulsation A with a highest pressure below 1000 Pa
    //   "precharge" the precharge against its hint (aux, shock C, pulsation A)
    //   "ratio"     a compression ratio above 4
    //   "exponent"  aux's n neither 1 nor 1.4
    //   "pump-k"    a pump-type coefficient outside the hint's table
    //   "in-range"  none of the checks applies
    const char* code;
    std::string text; // one line, without a line break
};

struct Notes {
    Pick pick;               // for the corrected volume where the correction counts
    std::vector<Note> lines; // the pick's line first, then the checks in the order above
    GasCorrection gas;
};

// Below this factor the real-gas correction is reported as negligible and the pick stays with
// the volume shown.
constexpr double kNegligibleFactor = 1.005;

// The checks that apply to these inputs (values in binding order), in the order of the codes
// above; "in-range" alone when none does.
std::vector<Note> Checks(const Method& method, const double* values);

// The first line of the notes, e.g. "选型：公称容积 32 L，公称压力 20 MPa", or, for a pick made
// for the volume the real gas needs, "选型（按实际气体 31.64 升）：公称容积 32 L，...".
std::string PickLine(const Pick& pick, bool realGas = false);

// The notes under volume (litres), shown by method for values in binding order, with the gas
// at gasTemperature (°C): the pick, for the volume corrected for the real gas where that
// correction is not negligible, then the correction, then the checks.
Notes MakeNotes(const Method& method, const double* values, double volume,
                double gasTemperature = kGasTemperature);

// The lines' texts, each but the last followed by lineBreak (an edit control wants "\r\n").
std::string JoinNotes(const std::vector<Note>& lines, std::string_view lineBreak);

} // namespace sizing

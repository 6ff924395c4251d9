// One calculation: from a method, its inputs and the conditions it is made under, everything
// the program says about it: the formula's volume, the corrections, the volume the pick is made
// for, the pick and the notes. The dialogs, the sheet and the command line render or store a
// Calculation and compute nothing of their own.
//
// Platform-free. Texts are byte strings in the program's narrow encoding (GBK in the Windows
// build, UTF-8 in the native one), but the typed texts, which are UTF-8.
#pragma once

#include "sizing/catalogue.h"
#include "sizing/methods.h"
#include "sizing/real_gas.h"
#include "sizing/thermal.h"

#include <array>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sizing {

// The temperatures of the gas, in °C: filled in the workshop at fill, working between min and
// max. The precharge typed is the one at max.
struct Temperatures {
    double fill = kGasTemperature;
    double min = kGasTemperature;
    double max = kGasTemperature;
};

// What a calculation is made under, beside the method's inputs.
struct Conditions {
    Temperatures temperatures;
    // The temperatures as typed (UTF-8), filling, lowest, highest; empty where none was.
    std::string typedTemperatures[3];
    // Where the method delivers oil when called (aux): the time the oil takes to leave the
    // charged accumulator, and the gas's thermal time constant, in s; 0 where none is given. With
    // a discharge time the thermal model of the gas gives the volume; without a time constant it
    // estimates one.
    double discharge = 0.0, tau = 0.0;
    // The two as typed (UTF-8), in that order; empty where none was.
    std::array<std::string, 2> typedDischarge = {};
    // The user's catalogue file as read; null for the built-in series.
    std::shared_ptr<const Catalogue> catalogue = nullptr;
};

// Below this factor, judged with three decimals, the real-gas correction is negligible and the
// pick stays with the volume shown.
constexpr double kNegligibleFactor = 1.005;

// One line of the notes.
struct Note {
    // ASCII identifier of the line (notes.h lists them).
    const char* code;
    std::string text; // one line, without a line break, UTF-8
    // A check that warns: the case is outside what the check allows. Not the pick, the
    // performance, the corrections, the catalogue's lines, "in-range", nor aux's precharge line
    // where p0/p1 fits a kind.
    bool warns = false;
};

// What the operating temperatures do to the volume.
struct TemperatureEffect {
    // The method's gas law takes temperatures (not shock B, pulsation D), in a case with a
    // physical meaning.
    bool applies = false;
    double sizing = kGasTemperature; // °C: the end of the range that needs the larger volume
    double factor = 1.0;             // the volume there over the volume as typed
    // The precharge, in its input's unit, at the lowest operating temperature, at the sizing
    // temperature and at filling; 0 for the methods without one.
    double prechargeAtMin = 0.0, prechargeAtSizing = 0.0, fill = 0.0;
};

// What the thermal model of the gas says where a discharge time is given.
struct ThermalEffect {
    double discharge;         // s
    double tau;               // s, at the start of the discharge (thermal.h)
    bool tauEstimated;        // no time constant was given
    double index;             // the discharge's polytropic index, ln(p2/p1) / ln(V_end/V2)
    double volume;            // litres: the volume the pick is made for
    double gasEnd;            // °C: the gas's temperature at the end of the discharge
    double sizing;            // °C: the wall's, the end of the range that needs the larger volume
    thermal::Standby standby; // the model's accumulator there
};

// What the chosen size does: the method's performance input (aux's deltaV, the oil delivered;
// pulsation D's deltaP; P2, the highest pressure, elsewhere) solved for the volume picked.
struct Performance {
    std::size_t input; // its position in binding order
    double value;      // with the volume picked, in the input's unit
};

struct Calculation {
    const Method* method = nullptr;
    double values[kMaxInputs] = {}; // in binding order, each in its input's unit
    std::string typed[kMaxInputs];  // the inputs as typed, UTF-8
    Conditions conditions;
    double volume = 0.0; // the formula's volume, litres: the result sentence
    // Whether the notes give the case a physical meaning (HasPhysicalMeaning). Where they do not,
    // nothing is corrected (the corrected volume is the formula's), nothing picked and nothing
    // performed, and the notes say why in one line.
    bool meaningful = true;
    // The formula on absolute pressures over the formula as typed; 1 without a gas law.
    double absoluteFactor = 1.0;
    TemperatureEffect temperature;
    double atSizing[kMaxInputs] = {}; // the inputs with the precharge at the sizing temperature
    double ideal = 0.0; // volume x absoluteFactor x temperature factor: the ideal gas's volume
    GasCorrection gas{GasProcess::None, 0.0, 1.0}; // at the sizing temperature
    bool gasCounts = false;                        // the real-gas factor is not negligible
    double corrected = 0.0;                        // the volume the pick is made for, litres
    // With a discharge time, the thermal model's volume, which the pick is made for; none without
    // one, or where the gas leaves the range of nitrogen's equation.
    std::optional<ThermalEffect> thermal;
    // The highest pressure over the precharge at the lowest operating temperature, where the
    // method has a precharge and both are above zero; NaN otherwise.
    double ratio = std::numeric_limits<double>::quiet_NaN();
    Pick pick{};
    std::optional<Performance> performance; // none where no value of the input fits the pick
    std::vector<Note> notes;                // the pick's line first
};

// The volume a pick is made for, of method over values (binding order) under conditions: the
// formula's volume corrected to absolute pressures, to the sizing temperature and, where that
// counts, to the real gas; with a discharge time, the thermal model's volume. NaN where the
// formula gives no volume.
double CorrectedVolume(const Method& method, const double* values, const Conditions& conditions);

// The calculation of method over values (binding order) whose formula gave volume: the volume
// shown, and the base of the corrected volume and the pick, whose factors (absolute pressures,
// temperature, real gas) are ratios that do not depend on it. typed holds the inputs as typed
// (UTF-8), where given.
Calculation Calculate(const Method& method, const double* values, double volume,
                      const Conditions& conditions = {}, const std::string* typed = nullptr);

// The same with the volume of the method's formula.
Calculation Calculate(const Method& method, const double* values, const std::string* typed,
                      const Conditions& conditions = {});

} // namespace sizing

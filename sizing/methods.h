// The one description of the eight sizing methods: each method's inputs in the order its
// dialog exchanges them, with unit, kind of quantity, label and hint, and its formula. The
// notes, the calculation sheet and the command line read this table; nothing else lists a
// method's inputs.
//
// Platform-free. Texts are byte strings in the program's narrow encoding: GBK in the Windows
// build, UTF-8 in the native one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sizing {

enum class Quantity {
    Pressure,
    Volume,
    Flow,
    Length,
    Area,
    Density,
    Velocity,
    Time,
    Duration, // a time that takes its unit with the number: s, min, h
    Exponent,
    Coefficient,
};

struct Input {
    const char* name; // ASCII: the dialog member's name without "m_"
    const char* unit; // ASCII unit that the hint names ("MPa", "bar", "Pa", "L", "L/r",
                      // "L/min", "m", "mm", "m2", "m/s", "kg/L"); "" when it names none
    Quantity kind;
    const char* label; // the static beside the edit
    const char* hint;  // the hint beside the edit
    double initial;    // the dialog's initial value
};

enum class MethodId { Aux, ShockA, ShockB, ShockC, PulseA, PulseB, PulseC, PulseD };

constexpr std::size_t kMethodCount = 8;
constexpr std::size_t kMaxInputs = 8;
// The position of an input that a method does not have.
constexpr std::size_t kNoInput = kMaxInputs;

// The gas law of a method's formula, V(p) = V0 (p0/p)^w from the precharge p0 through the
// working pressures p1 to p2: which inputs hold its pressures and its exponent.
struct GasLawInputs {
    // p1 is the mean of p1 and p1Mean (the same input but in pulsation B, whose gas works at the
    // mean of P1 and P2). All kNoInput where the formula holds no gas law.
    std::size_t p0 = kNoInput, p1 = kNoInput, p1Mean = kNoInput, p2 = kNoInput;
    // The input that holds the exponent n (aux's n, with w = 1/n); where none does, the formula's
    // own n and w (w = 1/n but in shock C, which writes 0.7143).
    std::size_t exponent = kNoInput;
    double n = 1.4, w = 1.0 / 1.4;
};

// What a method's inputs are to everything around its formula (the pick, the checks, the
// corrections, the solver), as positions in binding order; kNoInput where the method has none.
// Built in the table with the setters below, each named for its role.
struct Roles {
    // The highest pressure, by which the pressure class is picked; pulsation D adds its ripple.
    std::size_t highest = kNoInput, ripple = kNoInput;
    // The lowest working pressure (the mean pressure before the valve closes, in shock B and C).
    std::size_t lowest = kNoInput;
    // The gas precharge, which follows the operating temperature.
    std::size_t precharge = kNoInput;
    // What the chosen size does: the input solved for the volume picked, and the side where
    // the larger volume takes it (more oil above the value typed, a lower pressure below).
    std::size_t performance = kNoInput;
    bool performanceAbove = false;
    // The physical domain beyond each input's kind of quantity (pressures are never below
    // zero): where the formula needs one input above another, having a pole where they meet
    // (P2 above P1, shock A's P2 above P0). kNoInput where it needs none.
    std::size_t above = kNoInput, below = kNoInput;
    // The oil, in litres, that the charged accumulator delivers when called: a discharge time
    // applies to it (the thermal model of the gas).
    std::size_t oil = kNoInput;
    // The pump-type coefficient k; the pump's displacement and the excess discharge over it.
    std::size_t coefficient = kNoInput, displacement = kNoInput, excess = kNoInput;
    GasLawInputs gas;
    // How many of the unit of the method's pressures make one MPa: 1 (MPa), 10 (bar), 1e6 (Pa).
    double unitsPerMpa = 1.0;

    constexpr Roles Highest(std::size_t i, std::size_t plus = kNoInput) const {
        Roles r = *this;
        r.highest = i;
        r.ripple = plus;
        return r;
    }
    constexpr Roles Lowest(std::size_t i) const {
        Roles r = *this;
        r.lowest = i;
        return r;
    }
    constexpr Roles Precharge(std::size_t i) const {
        Roles r = *this;
        r.precharge = i;
        return r;
    }
    constexpr Roles Performance(std::size_t i, bool moreAbove = false) const {
        Roles r = *this;
        r.performance = i;
        r.performanceAbove = moreAbove;
        return r;
    }
    // The formula needs input upper above input lower.
    constexpr Roles Exceeds(std::size_t upper, std::size_t lower) const {
        Roles r = *this;
        r.above = upper;
        r.below = lower;
        return r;
    }
    constexpr Roles Oil(std::size_t i) const {
        Roles r = *this;
        r.oil = i;
        return r;
    }
    constexpr Roles Coefficient(std::size_t k) const {
        Roles r = *this;
        r.coefficient = k;
        return r;
    }
    constexpr Roles Displacement(std::size_t vp, std::size_t excessOverVp = kNoInput) const {
        Roles r = *this;
        r.displacement = vp;
        r.excess = excessOverVp;
        return r;
    }
    // The gas law through the pressures p0, p1 (the mean of p1 and p1Mean where that is given)
    // and p2.
    constexpr Roles GasLaw(std::size_t p0, std::size_t p1, std::size_t p2,
                           std::size_t p1Mean = kNoInput) const {
        Roles r = *this;
        r.gas.p0 = p0;
        r.gas.p1 = p1;
        r.gas.p1Mean = p1Mean == kNoInput ? p1 : p1Mean;
        r.gas.p2 = p2;
        return r;
    }
    constexpr Roles Exponent(std::size_t i) const {
        Roles r = *this;
        r.gas.exponent = i;
        return r;
    }
    constexpr Roles FixedExponent(double n, double w) const {
        Roles r = *this;
        r.gas.n = n;
        r.gas.w = w;
        return r;
    }
    constexpr Roles PressuresPerMpa(double units) const {
        Roles r = *this;
        r.unitsPerMpa = units;
        return r;
    }
};

struct Method {
    MethodId id;
    const char* name;    // ASCII: "aux", "shock-a", ... "pulse-d"
    const char* title;   // the launcher button's text
    const char* caption; // the dialog's caption: what the accumulator is for
    std::size_t inputCount;
    Input inputs[kMaxInputs];
    // The closed form for reading, with "{name}" where an input's value goes.
    const char* formula;
    // The dialog's formula over the inputs' values in binding order.
    double (*volume)(const double* values);
    Roles roles;
};

// The eight methods in the launcher's order: aux, shock A, B, C, pulsation A, B, C, D.
extern const Method kMethods[kMethodCount];

const Method& MethodOf(MethodId id);
// The method with this ASCII name; null when there is none.
const Method* FindMethod(std::string_view name);
// Position of the input with this ASCII name in binding order; inputCount when there is none.
std::size_t InputIndex(const Method& method, std::string_view name);

// The pulsation methods: their footers advise at least one litre.
bool IsPulsation(MethodId id);

// Whether the method's formula holds a gas law: all but shock B and pulsation D. Only those take
// temperatures, absolute pressures and the real gas.
bool HasGasLaw(const Method& method);

// Whether values (binding order) lie in the method's physical domain: no pressure below zero,
// and the input the formula needs above another above it. The input at except (the one being
// solved for) is not judged.
bool InDomain(const Method& method, const double* values, std::size_t except = kNoInput);

// A pressure of the method, in its pressure inputs' unit, in MPa, and back.
double PressureToMpa(const Method& method, double value);
double PressureFromMpa(const Method& method, double mpa);

// The names of the eight methods in the launcher's order, a blank between: "aux shock-a ...".
std::string MethodNames();

} // namespace sizing

// The one description of the eight sizing methods: each method's inputs in the order its
// dialog exchanges them, with unit, kind of quantity, label and hint, and its formula. The
// notes, the calculation sheet and the command line read this table; nothing else lists a
// method's inputs.
//
// Platform-free. Texts are byte strings in the program's narrow encoding: GBK in the Windows
// build, UTF-8 in the native one.
#pragma once

#include <cstddef>
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

} // namespace sizing

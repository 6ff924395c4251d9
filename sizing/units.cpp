#include "sizing/units.h"

#include "base/number_text.h"

#include <cmath>
#include <string>

namespace sizing {

namespace {

struct Unit {
    const char* symbol; // ASCII, matched without regard to case
    Quantity kind;
    double factor; // the unit's size in the reference unit of its kind
};

// Every factor is the unit's defined size, exactly: the reference units (Pa, mL, L/h, mm, mm²,
// kg/m³, m/h, s) are chosen so that none is a rounded quotient.
const Unit kUnits[] = {
    {"MPa", Quantity::Pressure, 1e6},
    {"bar", Quantity::Pressure, 1e5},
    {"kPa", Quantity::Pressure, 1e3},
    {"Pa", Quantity::Pressure, 1.0},
    {"psi", Quantity::Pressure, 6894.757293168},
    {"L", Quantity::Volume, 1000.0},
    {"mL", Quantity::Volume, 1.0},
    {"cm3", Quantity::Volume, 1.0},
    {"m3", Quantity::Volume, 1e6},
    {"in3", Quantity::Volume, 16.387064},
    {"gal", Quantity::Volume, 3785.411784}, // US gallon
    {"L/min", Quantity::Flow, 60.0},
    {"L/s", Quantity::Flow, 3600.0},
    {"m3/h", Quantity::Flow, 1000.0},
    {"gpm", Quantity::Flow, 227.12470704}, // US gallons per minute
    {"m", Quantity::Length, 1000.0},
    {"mm", Quantity::Length, 1.0},
    {"cm", Quantity::Length, 10.0},
    {"in", Quantity::Length, 25.4},
    {"ft", Quantity::Length, 304.8},
    {"m2", Quantity::Area, 1e6},
    {"cm2", Quantity::Area, 100.0},
    {"mm2", Quantity::Area, 1.0},
    {"in2", Quantity::Area, 645.16},
    {"kg/L", Quantity::Density, 1000.0},
    {"kg/m3", Quantity::Density, 1.0},
    {"g/cm3", Quantity::Density, 1000.0},
    {"m/s", Quantity::Velocity, 3600.0},
    {"km/h", Quantity::Velocity, 1000.0},
    {"ft/s", Quantity::Velocity, 1097.28},
    {"m/min", Quantity::Velocity, 60.0},
    {"s", Quantity::Duration, 1.0},
    {"min", Quantity::Duration, 60.0},
    {"h", Quantity::Duration, 3600.0},
};

// The GBK lead byte of the full-width forms, and the ideographic blank.
constexpr unsigned char kFullWidthLead = 0xA3;
constexpr std::string_view kIdeographicBlank = "\xA1\xA1";

// The suffix of a volume held per revolution.
constexpr std::string_view kPerRevolution = "/r";

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && SameLetters(text.substr(text.size() - end.size()), end);
}

const Unit* FindUnit(std::string_view symbol, Quantity kind) {
    for (const Unit& unit : kUnits) {
        if (unit.kind == kind && SameLetters(symbol, unit.symbol)) {
            return &unit;
        }
    }
    return nullptr;
}

bool PerRevolution(const Input& field) {
    return EndsWith(field.unit, kPerRevolution);
}

const Unit* FieldUnit(const Input& field) {
    std::string_view symbol = field.unit;
    if (PerRevolution(field)) {
        symbol.remove_suffix(kPerRevolution.size());
    }
    return FindUnit(symbol, field.kind);
}

// Decodes one UTF-8 character at text[i], advancing i; answers false for a malformed or
// overlong sequence or a surrogate.
bool NextCodePoint(std::string_view text, size_t& i, char32_t& cp) {
    const auto lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) {
        cp = lead;
        return true;
    }
    size_t more = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1;
        least = 0x80;
        cp = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2;
        least = 0x800;
        cp = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3;
        least = 0x10000;
        cp = lead & 0x07u;
    } else {
        return false;
    }
    for (; more > 0; --more, ++i) {
        if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0u) != 0x80u) {
            return false;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3Fu);
    }
    return cp >= least && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

// The squared-unit signs that Chinese input methods offer, as the units they stand for; null
// for any other character.
const char* SquaredSign(char32_t cp) {
    struct Sign {
        char32_t cp;
        const char* unit;
    };
    static const Sign kSigns[] = {
        {0x3396, "mL"},  {0x339C, "mm"},  {0x339D, "cm"},  {0x339F, "mm2"},
        {0x33A0, "cm2"}, {0x33A1, "m2"},  {0x33A4, "cm3"}, {0x33A5, "m3"},
        {0x33A9, "Pa"},  {0x33AA, "kPa"}, {0x33AB, "MPa"}, {0x338F, "kg"},
    };
    for (const Sign& sign : kSigns) {
        if (sign.cp == cp) {
            return sign.unit;
        }
    }
    return nullptr;
}

// A Latin letter, in ASCII or full width.
bool IsLetter(char32_t cp) {
    if (cp >= 0xFF21 && cp <= 0xFF5A) {
        cp -= 0xFF21 - 'A';
    }
    return (cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z');
}

// value, in from, expressed in to.
double Convert(double value, const Unit& from, const Unit& to) {
    return &from == &to ? value : value * from.factor / to.factor;
}

} // namespace

bool ReadQuantity(std::string_view text, const Input& field, double& value) {
    std::string ascii;
    if (!NumberTextToAscii(text, ascii)) {
        return false;
    }
    const size_t last = ascii.find_last_not_of(" \t");
    const std::string_view trimmed(ascii.data(), last == std::string::npos ? 0 : last + 1);
    double number = 0.0;
    if (ParseNumberText(trimmed, number)) {
        value = number;
        return true;
    }
    const Unit* const fieldUnit = FieldUnit(field);
    if (fieldUnit == nullptr) {
        return false;
    }
    const std::string_view bare = PerRevolution(field) && EndsWith(trimmed, kPerRevolution)
                                      ? trimmed.substr(0, trimmed.size() - kPerRevolution.size())
                                      : trimmed;
    for (const Unit& unit : kUnits) {
        const std::string_view symbol = unit.symbol;
        if (unit.kind != field.kind || !EndsWith(bare, symbol) ||
            !ParseNumberText(bare.substr(0, bare.size() - symbol.size()), number)) {
            continue;
        }
        const double converted = Convert(number, unit, *fieldUnit);
        if (!std::isfinite(converted)) {
            return false;
        }
        value = converted;
        return true;
    }
    return false;
}

bool NumberTextFromUtf8(std::string_view typed, std::string& text) {
    text.clear();
    text.reserve(typed.size());
    char32_t previous = 0;
    char32_t cp = 0;
    for (size_t i = 0; i < typed.size(); previous = cp) {
        if (!NextCodePoint(typed, i, cp)) {
            return false;
        }
        if (cp < 0x80) {
            text.push_back(static_cast<char>(cp));
        } else if (cp >= 0xFF01 && cp <= 0xFF5E) {
            // The full-width forms of ASCII: code page 936 writes U+FF01 as A3 A1, and so on.
            text.push_back(static_cast<char>(kFullWidthLead));
            text.push_back(static_cast<char>(cp - 0xFF01 + 0xA1));
        } else if (cp == 0x3000) {
            text += kIdeographicBlank;
        } else if ((cp == 0xB2 || cp == 0xB3) && IsLetter(previous)) {
            text.push_back(cp == 0xB2 ? '2' : '3');
        } else if (const char* unit = SquaredSign(cp)) {
            text += unit;
        } else {
            return false;
        }
    }
    return true;
}

std::string UnitSymbols(Quantity kind) {
    std::string symbols;
    for (const Unit& unit : kUnits) {
        if (unit.kind == kind) {
            symbols += symbols.empty() ? "" : " ";
            symbols += unit.symbol;
        }
    }
    return symbols;
}

bool ReadTypedQuantity(std::string_view typed, const Input& field, double& value) {
    std::string text;
    return NumberTextFromUtf8(typed, text) && ReadQuantity(text, field, value);
}

bool ReadTypedTemperature(std::string_view typed, double& celsius) {
    // The degree signs in ASCII, so that the number text can hold them.
    struct Sign {
        std::string_view sign, ascii;
    };
    static const Sign kSigns[] = {{u8"℃", "degC"}, {u8"℉", "degF"}, {u8"°", "deg"}};
    std::string replaced(typed);
    for (const Sign& sign : kSigns) {
        for (size_t at = replaced.find(sign.sign); at != std::string::npos;
             at = replaced.find(sign.sign, at + sign.ascii.size())) {
            replaced.replace(at, sign.sign.size(), sign.ascii);
        }
    }
    std::string text, ascii;
    if (!NumberTextFromUtf8(replaced, text) || !NumberTextToAscii(text, ascii)) {
        return false;
    }
    // A unit's symbol, and the temperature in °C of a number of it.
    struct Scale {
        std::string_view symbol;
        double (*celsius)(double);
    };
    static const Scale kScales[] = {
        {"", [](double c) { return c; }},
        {"degC", [](double c) { return c; }},
        {"K", [](double k) { return k - 273.15; }},
        {"degF", [](double f) { return (f - 32.0) * 5.0 / 9.0; }},
    };
    const size_t last = ascii.find_last_not_of(" \t");
    const std::string_view trimmed(ascii.data(), last == std::string::npos ? 0 : last + 1);
    for (const Scale& scale : kScales) {
        double number = 0.0;
        if (EndsWith(trimmed, scale.symbol) &&
            ParseNumberText(trimmed.substr(0, trimmed.size() - scale.symbol.size()), number)) {
            const double converted = scale.celsius(number);
            if (!std::isfinite(converted)) {
                return false;
            }
            celsius = converted;
            return true;
        }
    }
    return false;
}

} // namespace sizing

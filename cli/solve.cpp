#include "cli/solve.h"

#include "cli/json_output.h"
#include "sizing/catalogue.h"
#include "sizing/solver.h"
#include "sizing/units.h"
#include "base/number_text.h"

#include <algorithm>
#include <cmath>

namespace cli {

using sizing::Input;
using sizing::Method;

namespace {

// The field a volume to solve for is read as: litres, or a number with a volume unit.
const Input kVolumeField{"volume", "L", sizing::Quantity::Volume, "V", "", 0.0};

// A solved value as text: two decimals, or three significant digits where that is more.
std::string SolvedText(double value) {
    const double magnitude = std::fabs(value);
    const int decimals =
        magnitude > 0.0 ? std::max(2, 2 - static_cast<int>(std::floor(std::log10(magnitude)))) : 2;
    return sizing::FixedText(value, decimals);
}

// "0～100 MPa": the range of input's kind, in plain decimals ("0～100000000 Pa").
std::string RangeText(const Input& input, const sizing::SearchRange& range) {
    return PlainNumberText(range.low) + u8"～" + PlainNumberText(range.high) +
           (*input.unit != '\0' ? " " + std::string(input.unit) : "");
}

} // namespace

std::optional<Failure> ReadSolve(const std::string& name, const std::string& volume, Case& c,
                                 Given& given, SolveFor& solve) {
    const Method& method = *c.method;
    solve.input = sizing::InputIndex(method, name);
    if (solve.input == method.inputCount) {
        return Failure{"input", name,
                       u8"方法 " + std::string(method.name) + u8" 没有可解的输入“" + name +
                           u8"”；它的输入是：" + InputNames(method) + u8"。",
                       kUsage};
    }
    if (!sizing::ReadTypedQuantity(volume, kVolumeField, solve.volume) || !(solve.volume > 0.0)) {
        return Failure{"number", "volume",
                       u8"容积“" + volume + u8"”不是一个正的容积：写作升数，或带单位 " +
                           sizing::UnitSymbols(sizing::Quantity::Volume) + u8"。",
                       kUsage};
    }
    if (std::none_of(given.begin(), given.end(), [&](const auto& g) { return g.first == name; })) {
        given.emplace_back(name, FormatNumberText(method.inputs[solve.input].initial));
    }
    return std::nullopt;
}

std::optional<Failure> Solved(const Case& c, const SolveFor& solve, bool ideal,
                              std::vector<double>& values) {
    if (std::optional<Failure> failure = ConditionFailure(c)) {
        return failure;
    }
    const Input& input = c.method->inputs[solve.input];
    const sizing::SearchRange range = sizing::RangeOf(input);
    const sizing::Solution solution =
        sizing::Solve(*c.method, c.values, solve.input, solve.volume, c.conditions, ideal, range);
    values = solution.values;
    if (solution.flat) {
        return Failure{"no-value", input.name,
                       u8"容积不随 " + std::string(input.name) + u8" 变化：它不能由容积解出。",
                       kNoVolume};
    }
    if (values.empty()) {
        return Failure{"no-value", input.name,
                       u8"在 " + RangeText(input, range) + u8" 内，没有使容积为 " +
                           PlainNumberText(solve.volume) + u8" 升的 " + input.name + u8"。",
                       kNoVolume};
    }
    return std::nullopt;
}

int RunSolve(const Run& run, Case& c, Given& given) {
    const Settings& s = run.settings;
    SolveFor solve{};
    std::vector<double> values;
    std::optional<Failure> failure = ReadSolve(s.solve, s.volume, c, given, solve);
    if (!failure) {
        failure = ReadCase(run, given, c);
    }
    if (!failure) {
        failure = Solved(c, solve, s.ideal, values);
    }
    if (failure) {
        return Fail(run, *failure);
    }
    const Input& input = c.method->inputs[solve.input];
    std::ostream& out = run.streams.out;
    if (s.json) {
        Json found = Json::array();
        for (double value : values) {
            found.push_back(value);
        }
        const Json answer{{"name", input.name},
                          {"unit", input.unit},
                          {"values", found},
                          {"volume_l", Number(solve.volume)},
                          {"ideal", s.ideal}};
        out << JsonLine(Json{{"solve", answer}}, run.streams.asciiJson);
    } else {
        for (double value : values) {
            out << input.name << " = " << SolvedText(value)
                << (*input.unit != '\0' ? " " + std::string(input.unit) : "") << "\n";
        }
    }
    return kShown;
}

} // namespace cli

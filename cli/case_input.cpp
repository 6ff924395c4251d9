#include "cli/case_input.h"

#include "sizing/result_texts.h"
#include "sizing/temperatures.h"
#include "sizing/units.h"
#include "base/number_text.h"

#include <algorithm>

namespace cli {

namespace {

// Reads the temperature typed for key into the case's conditions.
std::optional<Failure> ReadTemperature(std::size_t key, const std::string& typed, Case& c) {
    const char* name = sizing::kTemperatureKeys[key];
    if (!sizing::HasGasLaw(*c.method)) {
        return Failure{"input", name,
                       u8"方法 " + std::string(c.method->name) +
                           u8" 的公式不含气体定律，不取温度 " + name + u8"。",
                       kUsage};
    }
    if (!sizing::ReadTypedTemperature(typed,
                                      sizing::TemperatureAt(c.conditions.temperatures, key))) {
        return Failure{"number", name,
                       u8"温度 " + std::string(name) + u8" 的值“" + typed +
                           u8"”不是一个温度：写作数值，可带单位 °C、℃、K、°F 或 ℉。",
                       kUsage};
    }
    c.conditions.typedTemperatures[key] = typed;
    return std::nullopt;
}

// Reads the discharge time or time constant typed for key into the case's conditions.
std::optional<Failure> ReadDischarge(std::size_t key, const std::string& typed, Case& c) {
    const sizing::Input& input = sizing::kDischargeInputs[key];
    if (c.method->roles.oil == sizing::kNoInput) {
        return Failure{"input", input.name,
                       u8"方法 " + std::string(c.method->name) + u8" 不取" + Text(input.label) +
                           " " + input.name + u8"。",
                       kUsage};
    }
    if (!sizing::ReadTypedQuantity(typed, input, sizing::DischargeAt(c.conditions, key))) {
        return Failure{"number", input.name,
                       u8"条件 " + std::string(input.name) + u8" 的值“" + typed +
                           u8"”不是一个时间：写作秒数，或带单位 " +
                           sizing::UnitSymbols(input.kind) + u8"。",
                       kUsage};
    }
    c.conditions.typedDischarge[key] = typed;
    return std::nullopt;
}

// Fills the case's inputs from given (values may carry units); with useDefaults an input not
// given takes the dialog's initial value, else it is missing.
std::optional<Failure> ReadInputs(const Given& given, bool useDefaults, Case& c) {
    if (std::optional<Failure> wrong = ReadGiven(given, c)) {
        return wrong;
    }
    const sizing::Method& method = *c.method;
    std::string missing;
    std::string first;
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        const std::string_view name = method.inputs[i].name;
        if (std::any_of(given.begin(), given.end(),
                        [&](const auto& g) { return g.first == name; })) {
            continue;
        }
        if (useDefaults) {
            c.values[i] = method.inputs[i].initial;
            c.typed[i] = FormatNumberText(c.values[i]);
            continue;
        }
        first = first.empty() ? method.inputs[i].name : first;
        missing += missing.empty() ? "" : " ";
        missing += method.inputs[i].name;
    }
    if (!missing.empty()) {
        return Failure{"missing", first,
                       u8"缺少输入：" + missing +
                           u8"。请写作 名称=数值，或加 --defaults 取计算器的初始值。",
                       kUsage};
    }
    return std::nullopt;
}

} // namespace

std::size_t TemperatureKey(std::string_view name) {
    std::size_t i = 0;
    while (i < 3 && name != sizing::kTemperatureKeys[i]) {
        ++i;
    }
    return i;
}

std::size_t DischargeKey(std::string_view name) {
    std::size_t i = 0;
    while (i < 2 && name != sizing::kDischargeInputs[i].name) {
        ++i;
    }
    return i;
}

std::optional<Failure> ReadGiven(const Given& given, Case& c) {
    const sizing::Method& method = *c.method;
    bool seen[sizing::kMaxInputs] = {};
    bool seenCondition[5] = {}; // the temperatures, the discharge
    for (const auto& [name, typed] : given) {
        const std::size_t temperature = TemperatureKey(name), discharge = DischargeKey(name);
        if (temperature < 3 || discharge < 2) {
            bool& seenBefore = seenCondition[temperature < 3 ? temperature : 3 + discharge];
            if (seenBefore) {
                return Failure{"input", name, u8"输入 " + name + u8" 给了不止一次。", kUsage};
            }
            seenBefore = true;
            if (std::optional<Failure> wrong = temperature < 3
                                                   ? ReadTemperature(temperature, typed, c)
                                                   : ReadDischarge(discharge, typed, c)) {
                return wrong;
            }
            continue;
        }
        const std::size_t i = sizing::InputIndex(method, name);
        if (i == method.inputCount) {
            return Failure{"input", name,
                           u8"方法 " + std::string(method.name) + u8" 没有输入“" + name +
                               u8"”；它的输入是：" + InputNames(method) + u8"。",
                           kUsage};
        }
        if (seen[i]) {
            return Failure{"input", name, u8"输入 " + name + u8" 给了不止一次。", kUsage};
        }
        if (!sizing::ReadTypedQuantity(typed, method.inputs[i], c.values[i])) {
            return NotANumber(method.inputs[i], typed);
        }
        c.typed[i] = typed;
        seen[i] = true;
    }
    return std::nullopt;
}

std::optional<Failure> ReadCase(const Run& run, const Given& given, Case& c) {
    const Settings& s = run.settings;
    c.conditions.catalogue = run.catalogue;
    if (s.temperature && sizing::HasGasLaw(*c.method)) {
        for (std::size_t key : {sizing::kMin, sizing::kMax}) {
            sizing::TemperatureAt(c.conditions.temperatures, key) = *s.temperature;
            c.conditions.typedTemperatures[key] = FormatNumberText(*s.temperature);
        }
        for (const auto& given : given) {
            const std::size_t key = TemperatureKey(given.first);
            if (key == sizing::kMin || key == sizing::kMax) {
                return Usage(u8"--temperature 已给出最低和最高工作温度，不能再写 " + given.first +
                             u8"。");
            }
        }
    }
    return ReadInputs(given, s.defaults, c);
}

std::optional<Failure> ConditionFailure(const Case& c) {
    std::size_t which = 0;
    std::string fault = sizing::TemperatureFault(c.conditions.temperatures, which);
    if (!fault.empty()) {
        return Failure{"temperature", sizing::kTemperatureKeys[which], Text(fault.c_str()), kUsage};
    }
    fault = sizing::DischargeFault(c.conditions, which);
    if (!fault.empty()) {
        return Failure{"discharge", sizing::kDischargeInputs[which].name, Text(fault.c_str()),
                       kUsage};
    }
    return std::nullopt;
}

std::optional<Failure> Evaluate(const Case& c, std::optional<sizing::Calculation>& calculation) {
    if (std::optional<Failure> failure = ConditionFailure(c)) {
        return failure;
    }
    if (!IsShownVolume(c.method->volume(c.values))) {
        return Failure{"invalid", std::string(), Text(InvalidInputMessage), kNoVolume};
    }
    calculation = sizing::Calculate(*c.method, c.values, c.typed, c.conditions);
    return std::nullopt;
}

} // namespace cli

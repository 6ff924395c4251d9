#include "cli/json_output.h"

#include "sizing/catalogue.h"
#include "sizing/real_gas.h"

#include <cmath>
#include <cstdint>
#include <optional>

namespace cli {

namespace {

using sizing::Input;

const char* ProcessName(sizing::GasProcess process) {
    switch (process) {
    case sizing::GasProcess::Isothermal:
        return "isothermal";
    case sizing::GasProcess::Adiabatic:
        return "isentropic";
    default:
        return "interpolated";
    }
}

// The temperatures and what they do; null for the methods without a gas law and for a case
// without physical meaning.
Json TemperatureJson(const sizing::Calculation& c) {
    if (!c.temperature.applies) {
        return Json();
    }
    const sizing::Temperatures& t = c.conditions.temperatures;
    const sizing::TemperatureEffect& effect = c.temperature;
    const bool precharge = c.method->roles.precharge != sizing::kNoInput;
    const auto mpa = [&](double value) {
        return precharge ? Json(sizing::PressureToMpa(*c.method, value)) : Json();
    };
    return {{"fill_c", Number(t.fill)},    {"min_c", Number(t.min)},
            {"max_c", Number(t.max)},      {"sizing_c", Number(effect.sizing)},
            {"factor", effect.factor},     {"precharge_min_mpa", mpa(effect.prechargeAtMin)},
            {"fill_mpa", mpa(effect.fill)}};
}

// The thermal model with a discharge time; null without one, or where the gas leaves the range
// of nitrogen's equation.
Json ThermalJson(const sizing::Calculation& c) {
    if (!c.thermal) {
        return Json();
    }
    const sizing::ThermalEffect& t = *c.thermal;
    return {{"discharge_s", Number(t.discharge)},
            {"tau_s", t.tau},
            {"tau_estimated", t.tauEstimated},
            {"discharge_index", t.index},
            {"volume_l", t.volume},
            {"gas_end_c", t.gasEnd},
            {"sizing_c", Number(t.sizing)}};
}

// What the chosen size does; null where no value fits.
Json PerformanceJson(const sizing::Calculation& c) {
    if (!c.performance) {
        return Json();
    }
    const Input& input = c.method->inputs[c.performance->input];
    return {{"name", input.name},
            {"value", c.performance->value},
            {"unit", input.unit},
            {"typed", Number(c.values[c.performance->input])}};
}

// The pick: the size, the units and the class, and from a catalogue file the row's model, type
// and the file; the model and the file null for the built-in series, a bladder series. Null
// for a case without physical meaning, which picks nothing.
Json PickJson(const sizing::Calculation& c) {
    if (!c.meaningful) {
        return Json();
    }
    const sizing::Pick& pick = c.pick;
    const sizing::Catalogue* catalogue = c.conditions.catalogue.get();
    if (!sizing::InUse(catalogue)) {
        return {{"nominal_l", Number(pick.nominalLitres)},
                {"units", Number(pick.units)},
                {"class_mpa", pick.classMpa ? Number(*pick.classMpa) : Json()},
                {"model", Json()},
                {"type", sizing::TypeKey(sizing::AccumulatorType::Bladder)},
                {"catalogue", Json()}};
    }
    const std::optional<sizing::CatalogueRow>& row = pick.row;
    return {{"nominal_l", row ? Number(pick.nominalLitres) : Json()},
            {"units", row ? Number(pick.units) : Json()},
            {"class_mpa", row ? Number(*pick.classMpa) : Json()},
            {"model", row ? Json(row->model) : Json()},
            {"type", row ? Json(sizing::TypeKey(row->type)) : Json()},
            {"catalogue", catalogue->source}};
}

} // namespace

Json Number(double value) {
    constexpr double kExact = 9007199254740992.0; // 2^53
    if (value == std::floor(value) && std::fabs(value) < kExact) {
        return Json(static_cast<std::int64_t>(value));
    }
    return Json(value);
}

Json CalculationJson(const sizing::Calculation& c) {
    Json inputs = Json::object();
    for (std::size_t i = 0; i < c.method->inputCount; ++i) {
        inputs[c.method->inputs[i].name] = Number(c.values[i]);
    }
    const sizing::GasCorrection& gas = c.gas;
    Json notes = Json::array();
    for (const sizing::Note& note : c.notes) {
        notes.push_back({{"code", note.code}, {"text", note.text}});
    }
    return {{"method", c.method->name},
            {"inputs", inputs},
            {"volume_l", c.volume},
            {"shown", sizing::TwoDecimalText(c.volume)},
            {"pick", PickJson(c)},
            {"corrected_l", c.corrected},
            {"absolute_factor", c.temperature.applies ? Json(c.absoluteFactor) : Json()},
            {"temperature", TemperatureJson(c)},
            {"real_gas", gas.process == sizing::GasProcess::None
                             ? Json()
                             : Json{{"factor", gas.factor},
                                    {"volume_l", c.ideal * gas.factor},
                                    {"temperature_c", Number(c.temperature.sizing)},
                                    {"process", ProcessName(gas.process)}}},
            {"thermal", ThermalJson(c)},
            {"performance", PerformanceJson(c)},
            {"notes", notes}};
}

std::string JsonLine(const Json& json, bool ascii) {
    return json.dump(-1, ' ', ascii, Json::error_handler_t::replace) + "\n";
}

Json ErrorJson(const Failure& failure) {
    return {{"code", failure.code},
            {"input", failure.input.empty() ? Json() : Json(failure.input)},
            {"text", failure.text}};
}

} // namespace cli

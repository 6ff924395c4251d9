#include "cli/calc_command.h"

#include "sizing/result_texts.h"
#include "base/csv.h"
#include "base/number_text.h"
#include "sizing/catalogue_file.h"
#include "sizing/methods.h"
#include "sizing/sheet.h"
#include "sizing/solver.h"
#include "sizing/sheet_data.h"
#include "sizing/temperatures.h"
#include "sizing/units.h"
#include "base/text_encoding.h"
#include "base/utf8.h"
#include "base/whole_file.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string_view>

namespace cli {

namespace {

using base::CsvField;
using base::CsvReader;
using sizing::Input;
using sizing::Method;
using Json = nlohmann::ordered_json;

// Why a case or the command cannot go on.
struct Failure {
    const char* code;  // ASCII: "usage", "method", "input", "missing", "number", "invalid", "file",
                       // "sheet"
    std::string input; // the input it is about, or empty
    std::string text;  // what the user reads, UTF-8
    int exitCode;
};

Failure Usage(std::string text) {
    return {"usage", std::string(), std::move(text), kUsage};
}

std::string Text(const char* programText) {
    return base::ProgramTextToUtf8(programText);
}

std::string MethodNames() {
    std::string names;
    for (const Method& method : sizing::kMethods) {
        names += names.empty() ? "" : " ";
        names += method.name;
    }
    return names;
}

std::string InputNames(const Method& method) {
    std::string names;
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        names += i == 0 ? "" : " ";
        names += method.inputs[i].name;
    }
    return names;
}

Failure UnknownMethod(std::string_view name) {
    return {"method", std::string(),
            u8"未知的计算方法“" + std::string(name) + u8"”；可用的有：" + MethodNames() + u8"。",
            kUsage};
}

// What a value that is no number of the input is told.
Failure NotANumber(const Input& input, std::string_view typed) {
    std::string text =
        u8"输入 " + std::string(input.name) + u8" 的值“" + std::string(typed) + u8"”不是一个数字";
    const std::string units = sizing::UnitSymbols(input.kind);
    if (*input.unit == '\0' || units.empty()) {
        text += u8"：它不带单位。";
    } else {
        text += u8"，或带了不属于它的单位：它以 " + std::string(input.unit) +
                u8" 计，也可写上这些单位之一：" + units + u8"。";
    }
    return {"number", input.name, std::move(text), kUsage};
}

// One case: a method and the values of its inputs, in binding order and each input's unit.
struct Case {
    const Method* method = nullptr;
    double values[sizing::kMaxInputs] = {};
    std::string typed[sizing::kMaxInputs];
    sizing::Conditions conditions;
};

// The position of the temperature named name ("t_fill", "t_min", "t_max"); 3 for none.
std::size_t TemperatureKey(std::string_view name) {
    std::size_t i = 0;
    while (i < 3 && name != sizing::kTemperatureKeys[i]) {
        ++i;
    }
    return i;
}

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

// Fills the case's inputs from name=value pairs (values may carry units); with useDefaults an
// input not given takes the dialog's initial value.
std::optional<Failure> ReadInputs(const std::vector<std::pair<std::string, std::string>>& given,
                                  bool useDefaults, Case& c) {
    const Method& method = *c.method;
    bool seen[sizing::kMaxInputs] = {};
    bool seenTemperature[3] = {};
    for (const auto& [name, typed] : given) {
        if (const std::size_t key = TemperatureKey(name); key < 3) {
            if (seenTemperature[key]) {
                return Failure{"input", name, u8"输入 " + name + u8" 给了不止一次。", kUsage};
            }
            seenTemperature[key] = true;
            if (std::optional<Failure> wrong = ReadTemperature(key, typed, c)) {
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
    std::string missing;
    std::string first;
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        if (seen[i]) {
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

// What is wrong with the case's temperatures; nothing when they hold.
std::optional<Failure> TemperatureFailure(const Case& c) {
    std::size_t which = 0;
    const std::string fault = sizing::TemperatureFault(c.conditions.temperatures, which);
    if (!fault.empty()) {
        return Failure{"temperature", sizing::kTemperatureKeys[which], Text(fault.c_str()), kUsage};
    }
    return std::nullopt;
}

// The calculation of a case with a shown volume; the failure when it has none.
std::optional<Failure> Evaluate(const Case& c, std::optional<sizing::Calculation>& calculation) {
    if (std::optional<Failure> failure = TemperatureFailure(c)) {
        return failure;
    }
    if (!IsShownVolume(c.method->volume(c.values))) {
        return Failure{"invalid", std::string(), Text(InvalidInputMessage), kNoVolume};
    }
    calculation = sizing::Calculate(*c.method, c.values, c.typed, c.conditions);
    return std::nullopt;
}

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

// What a solve is asked: the input and the volume.
struct SolveFor {
    std::size_t input;
    double volume;
};

// The input named and the volume typed for a solve of the case's method; the failure when
// either is wrong. The input need not be given: it is what is sought.
std::optional<Failure> ReadSolve(const std::string& name, const std::string& volume, Case& c,
                                 std::vector<std::pair<std::string, std::string>>& given,
                                 SolveFor& solve) {
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

// The values of the solved input for a case read; the failure when its range holds none.
std::optional<Failure> Solved(const Case& c, const SolveFor& solve, bool ideal,
                              std::vector<double>& values) {
    if (std::optional<Failure> failure = TemperatureFailure(c)) {
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

// A number for JSON: a whole number without a decimal point, as people write it.
Json Number(double value) {
    constexpr double kExact = 9007199254740992.0; // 2^53
    if (value == std::floor(value) && std::fabs(value) < kExact) {
        return Json(static_cast<std::int64_t>(value));
    }
    return Json(value);
}

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

Json CalculationJson(const sizing::Calculation& c) {
    Json inputs = Json::object();
    for (std::size_t i = 0; i < c.method->inputCount; ++i) {
        inputs[c.method->inputs[i].name] = Number(c.values[i]);
    }
    const sizing::GasCorrection& gas = c.gas;
    Json notes = Json::array();
    for (const sizing::Note& note : c.notes) {
        notes.push_back({{"code", note.code}, {"text", Text(note.text.c_str())}});
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
            {"performance", PerformanceJson(c)},
            {"notes", notes}};
}

// One figure of a result that a sheet holds, as the sheet has it and as it comes out today.
struct Difference {
    const char* field; // ASCII, as in the JSON of a calculation
    const char* label;
    std::string sheet, today;
};

// What differs between the result a sheet was saved with and the calculation today, judged as
// shown: the volumes with two decimals, the pick as it reads.
std::vector<Difference> Differences(const sizing::SavedResult& saved,
                                    const sizing::Calculation& c) {
    const auto pressure = [](const std::optional<double>& mpa) {
        return mpa ? FormatNumberText(*mpa) : std::string(u8"—");
    };
    const std::array<Difference, 5> all = {{
        {"volume_l", u8"容积（升）", sizing::TwoDecimalText(saved.volume),
         sizing::TwoDecimalText(c.volume)},
        {"corrected_l", u8"选型所按容积（升）", sizing::TwoDecimalText(saved.corrected),
         sizing::TwoDecimalText(c.corrected)},
        {"nominal_l", u8"公称容积（L）", FormatNumberText(saved.nominalLitres),
         FormatNumberText(c.pick.nominalLitres)},
        {"units", u8"并联台数", FormatNumberText(saved.units), FormatNumberText(c.pick.units)},
        {"class_mpa", u8"公称压力（MPa）", pressure(saved.classMpa), pressure(c.pick.classMpa)},
    }};
    std::vector<Difference> differing;
    std::copy_if(all.begin(), all.end(), std::back_inserter(differing),
                 [](const Difference& d) { return d.sheet != d.today; });
    return differing;
}

// The columns a batch writes after a row's own, in this order.
constexpr const char* kResultColumns[] = {
    "volume_l",          "shown",  "nominal_l", "units", "class_mpa", "real_gas_factor",
    "real_gas_volume_l", "status", "message"};

// Whether a batch reads the column of this name: method, the inputs of the eight methods and
// the temperatures. A column the batch comes to read is named here; every other column is the
// user's own and is carried through as it stands.
bool IsBatchInput(std::string_view name) {
    return name == "method" || name == "solve" || name == "volume" || TemperatureKey(name) < 3 ||
           std::any_of(
               std::begin(sizing::kMethods), std::end(sizing::kMethods),
               [name](const Method& m) { return sizing::InputIndex(m, name) < m.inputCount; });
}

// Why a batch cannot take this header; nothing when it can.
std::optional<Failure> CheckHeader(const std::vector<std::string>& header) {
    if (header.empty() || header[0] != "method") {
        return Usage(u8"CSV 文件的第一行须是表头：method，再接输入名。");
    }
    for (auto name = header.begin() + 1; name != header.end(); ++name) {
        if (std::find(std::begin(kResultColumns), std::end(kResultColumns), *name) !=
            std::end(kResultColumns)) {
            return Usage(u8"CSV 表头的“" + *name + u8"”是结果的列名，请给这一列另起一个名称。");
        }
        if (IsBatchInput(*name) && std::find(header.begin(), name, *name) != name) {
            return Usage(u8"CSV 表头的“" + *name + u8"”出现了两次。");
        }
    }
    return std::nullopt;
}

// Where the rows of a batch go, and whether in GBK rather than UTF-8.
struct BatchOut {
    std::ostream& stream;
    bool gbk;
};

// The settings of one run.
struct Settings {
    const Method* method = nullptr;
    std::vector<std::string> inputs;
    std::string batch, out, outEncoding, sheet, solve, volume, catalogue;
    // --from: the sheets, and the inputs given on the line after them, name=value.
    std::vector<std::string> from, files;
    std::vector<std::pair<std::string, std::string>> overrides;
    bool check = false;
    std::optional<double> temperature; // --temperature: the lowest and highest together
    bool defaults = false;
    bool json = false;
    bool ideal = false; // --solve for the formula's volume alone
};

class Command {
public:
    Command(const Streams& streams, const std::vector<std::filesystem::path>& cataloguePlaces)
        : m_s(streams), m_cataloguePlaces(cataloguePlaces) {}

    int Run(const std::vector<std::string>& args) {
        m_settings.json = std::find(args.begin(), args.end(), "--json") != args.end();
        CLI::App app(u8"按八种方法计算液压蓄能器的公称容积。", "presovol-calc");
        Describe(app);
        std::vector<const char*> argv;
        for (const std::string& arg : args) {
            argv.push_back(arg.c_str());
        }
        try {
            app.parse(static_cast<int>(argv.size()), argv.data());
        } catch (const CLI::CallForHelp& e) {
            return app.exit(e, m_s.out, m_s.err);
        } catch (const CLI::ParseError& e) {
            return Fail(Usage(u8"命令行有误：" + std::string(e.what())));
        }
        // What is left over names no method, or stands where none is wanted.
        const std::vector<std::string> extras = app.remaining();
        if (!extras.empty()) {
            return Fail(m_settings.method == nullptr && m_settings.batch.empty()
                            ? UnknownMethod(extras[0])
                            : Usage(u8"多余的参数：" + extras[0]));
        }
        SplitFrom();
        if (const std::optional<Failure> wrong = CheckSettings()) {
            return Fail(*wrong);
        }
        if (const std::optional<Failure> wrong = ReadCatalogue()) {
            return Fail(*wrong);
        }
        if (!m_settings.from.empty()) {
            return RunFrom();
        }
        return m_settings.batch.empty() ? RunCase() : RunBatch();
    }

private:
    void Describe(CLI::App& app) {
        auto format = std::make_shared<CLI::Formatter>();
        format->label("Usage", u8"用法");
        format->label("OPTIONS", u8"选项");
        format->label("SUBCOMMAND", u8"方法");
        format->label("Positionals", u8"输入");
        format->column_width(26);
        app.formatter(format);
        app.option_defaults()->group(u8"选项");
        app.set_help_flag("-h,--help", u8"列出方法与选项；方法后加 --help 列出它的输入");
        app.add_flag("--defaults", m_settings.defaults, u8"没给出的输入取计算器的初始值");
        app.add_option("--temperature", m_settings.temperature,
                       u8"最低和最高工作温度，°C（默认 20）；也可写 t_fill= t_min= t_max=")
            ->type_name("C");
        app.add_flag("--json", m_settings.json, u8"输出一个 JSON 对象");
        app.add_option("--solve", m_settings.solve, u8"解出这个输入：使容积为 --volume 的值")
            ->type_name("NAME");
        app.add_option("--volume", m_settings.volume, u8"--solve 的容积，升，可带单位")
            ->type_name("V");
        app.add_flag("--ideal", m_settings.ideal, u8"--solve 按公式的容积，不加修正");
        app.add_option("--sheet", m_settings.sheet, u8"把计算书写入 HTML 文件")->type_name("FILE");
        app.add_option("--from", m_settings.from,
                       u8"重算保存的计算书，可给多个；其后的 名称=数值 改计算书中的输入")
            ->type_name("FILE");
        app.add_flag("--check", m_settings.check,
                     u8"与 --from 同用：计算书所存的结果与现在的计算比较，每个文件一行");
        app.add_option("--catalogue", m_settings.catalogue,
                       u8"从这个型号目录（CSV）选型，而非程序旁或用户设置中的 catalogue.csv")
            ->type_name("FILE");
        app.add_option("--batch", m_settings.batch, u8"逐行计算 CSV 文件（- 为标准输入）")
            ->type_name("FILE");
        app.add_option("--out", m_settings.out, u8"--batch 的结果写入此文件，而非标准输出")
            ->type_name("FILE");
        app.add_option("--out-encoding", m_settings.outEncoding,
                       u8"--out 文件的编码：utf-8（默认，带 BOM）或 gbk")
            ->type_name("ENC");
        app.require_subcommand(0, 1);
        app.allow_extras();
        app.footer(u8"例：presovol-calc aux deltaV=10 n=1.4 p0=9 p1=10 p2=20\n"
                   u8"    presovol-calc shock-c Q=300 L=150 d=20mm P1=10MPa P2=140bar P0=80 t=0 "
                   u8"rho=0.9 --json\n"
                   u8"    presovol-calc --from 计算书.html p1=9\n"
                   u8"    presovol-calc --from *.html --check\n"
                   u8"数值可带单位，写在数后，可隔空格：150 bar、500 mL、6 m3/h、20 cm、100 "
                   u8"cm2、900 kg/m3。");
        for (const Method& method : sizing::kMethods) {
            CLI::App* sub =
                app.add_subcommand(method.name, Text(method.title) + u8"：" + Text(method.caption));
            sub->group(u8"方法");
            sub->fallthrough();
            sub->get_help_ptr()->group(u8"选项");
            sub->add_option("inputs", m_settings.inputs, u8"各输入的值，可带单位")
                ->type_name(u8"名称=数值")
                ->group(u8"输入");
            sub->footer(InputTable(method));
            sub->callback([this, &method] { m_settings.method = &method; });
        }
    }

    // The method's inputs in columns: name, symbol, unit, hint.
    static std::string InputTable(const Method& method) {
        std::string table = u8"输入：\n";
        for (std::size_t i = 0; i < method.inputCount; ++i) {
            const Input& input = method.inputs[i];
            table += "  " + Padded(input.name, 8) + Padded(Text(input.label), 7) +
                     Padded(*input.unit != '\0' ? input.unit : u8"—", 7) + Text(input.hint) + "\n";
        }
        table += u8"公式：" + Text(method.formula);
        return table;
    }

    // text followed by blanks up to width columns; a Chinese character takes two.
    static std::string Padded(const std::string& text, std::size_t width) {
        std::size_t columns = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if ((c & 0xC0u) != 0x80u) {
                columns += c >= 0xE3 ? 2 : 1; // from U+3000 on: the wide characters
            }
        }
        return text + std::string(width > columns ? width - columns : 1, ' ');
    }

    // Parts the values of --from into the sheets and the inputs that override theirs: a value
    // name=value whose name is an input of a method or a temperature.
    void SplitFrom() {
        for (const std::string& value : m_settings.from) {
            const std::size_t equals = value.find('=');
            const std::string name = value.substr(0, equals);
            if (equals != std::string::npos && name != "method" && IsBatchInput(name)) {
                m_settings.overrides.emplace_back(name, value.substr(equals + 1));
            } else {
                m_settings.files.push_back(value);
            }
        }
    }

    std::optional<Failure> CheckSettings() const {
        const Settings& s = m_settings;
        if (s.check && s.from.empty()) {
            return Usage(u8"--check 只与 --from 同用。");
        }
        if (!s.from.empty()) {
            if (s.method != nullptr || !s.batch.empty() || !s.out.empty() || !s.solve.empty()) {
                return Usage(
                    u8"--from 不与计算方法、--batch、--out 或 --solve 同用：方法写在计算书里。");
            }
            if (s.files.empty()) {
                return Usage(u8"--from 后请给出计算书文件。");
            }
            if (s.temperature) {
                return Usage(u8"改计算书的温度请写 t_min= 和 t_max=，不用 --temperature。");
            }
            if (!s.sheet.empty() && (s.check || s.files.size() != 1)) {
                return Usage(
                    u8"--sheet 只写一份计算书：与 --from 同用时只给一个文件，不加 --check。");
            }
            return std::nullopt;
        }
        if (s.temperature && !(*s.temperature >= sizing::kLowestTemperature &&
                               *s.temperature <= sizing::kHighestTemperature)) {
            return Usage(u8"--temperature 须是 -100～300 之间的摄氏温度。");
        }
        if (!s.outEncoding.empty()) {
            if (!IsOutEncoding("utf-8") && !IsOutEncoding("gbk")) {
                return Usage(u8"--out-encoding 须是 utf-8 或 gbk。");
            }
            if (s.out.empty()) {
                return Usage(u8"--out-encoding 只用于 --out 文件；标准输出按系统的编码写出。");
            }
        }
        if (s.solve.empty() != s.volume.empty() || (s.ideal && s.solve.empty())) {
            return Usage(u8"--solve 和 --volume 须一同给出；--ideal 只用于 --solve。");
        }
        if (!s.solve.empty() && (!s.batch.empty() || !s.sheet.empty())) {
            return Usage(u8"--solve 只用于单个算例，不与 --batch、--sheet 同用；批量时用 CSV 的 "
                         u8"solve 和 volume 列。");
        }
        if (s.batch.empty()) {
            if (s.method == nullptr) {
                return Usage(
                    u8"请给出计算方法（" + MethodNames() +
                    u8"）和它的输入，或用 --batch 读入 CSV 文件；详见 presovol-calc --help。");
            }
            if (!s.out.empty()) {
                return Usage(u8"--out 只用于 --batch。");
            }
            return std::nullopt;
        }
        if (s.method != nullptr) {
            return Usage(u8"--batch 不与计算方法同用：方法写在 CSV 文件的 method 列。");
        }
        if (!s.sheet.empty() || s.json) {
            return Usage(u8"--sheet 和 --json 只用于单个算例；--batch 输出 CSV。");
        }
        return std::nullopt;
    }

    // The catalogue file of this run: the one --catalogue names, which must be there, or the
    // first found in the places given.
    std::optional<Failure> ReadCatalogue() {
        const std::string& named = m_settings.catalogue;
        if (named.empty()) {
            m_catalogue = sizing::LoadCatalogue(m_cataloguePlaces);
            return std::nullopt;
        }
        m_catalogue = sizing::LoadCatalogue({std::filesystem::u8path(named)});
        if (!m_catalogue) {
            return Failure{"file", std::string(), u8"找不到型号目录 " + named + u8"。", kUsage};
        }
        return std::nullopt;
    }

    // The case's inputs and temperatures from given, the lowest and highest temperature from
    // --temperature where it is set, and the run's catalogue.
    std::optional<Failure> Read(const std::vector<std::pair<std::string, std::string>>& given,
                                Case& c) const {
        c.conditions.catalogue = m_catalogue;
        if (m_settings.temperature && sizing::HasGasLaw(*c.method)) {
            for (std::size_t key : {sizing::kMin, sizing::kMax}) {
                sizing::TemperatureAt(c.conditions.temperatures, key) = *m_settings.temperature;
                c.conditions.typedTemperatures[key] = FormatNumberText(*m_settings.temperature);
            }
            for (const auto& given : given) {
                const std::size_t key = TemperatureKey(given.first);
                if (key == sizing::kMin || key == sizing::kMax) {
                    return Usage(u8"--temperature 已给出最低和最高工作温度，不能再写 " +
                                 given.first + u8"。");
                }
            }
        }
        return ReadInputs(given, m_settings.defaults, c);
    }

    // Whether --out-encoding names this encoding, in any case.
    bool IsOutEncoding(std::string_view name) const {
        const std::string& given = m_settings.outEncoding;
        return std::equal(given.begin(), given.end(), name.begin(), name.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == b;
        });
    }

    static Json ErrorJson(const Failure& failure) {
        return {{"code", failure.code},
                {"input", failure.input.empty() ? Json() : Json(failure.input)},
                {"text", failure.text}};
    }

    int Fail(const Failure& failure) {
        if (m_settings.json) {
            m_s.out << Json{{"error", ErrorJson(failure)}}.dump(-1, ' ', m_s.asciiJson) << "\n";
        } else {
            m_s.err << failure.text << "\n";
        }
        return failure.exitCode;
    }

    int RunCase() {
        Case c;
        c.method = m_settings.method;
        std::vector<std::pair<std::string, std::string>> given;
        for (const std::string& arg : m_settings.inputs) {
            const std::size_t equals = arg.find('=');
            if (equals == std::string::npos) {
                return Fail(Usage(u8"参数“" + arg + u8"”应写作 名称=数值，如 p1=10。"));
            }
            given.emplace_back(arg.substr(0, equals), arg.substr(equals + 1));
        }
        if (!m_settings.solve.empty()) {
            return RunSolve(c, given);
        }
        std::optional<sizing::Calculation> calculation;
        std::optional<Failure> failure = Read(given, c);
        if (!failure) {
            failure = Evaluate(c, calculation);
        }
        if (!failure) {
            failure = WriteSheet(*calculation);
        }
        if (failure) {
            return Fail(*failure);
        }
        if (m_settings.json) {
            m_s.out << CalculationJson(*calculation).dump(-1, ' ', m_s.asciiJson) << "\n";
        } else {
            WriteText(*calculation);
        }
        return kShown;
    }

    // Solves the input --solve names for --volume, the other inputs as given.
    int RunSolve(Case& c, std::vector<std::pair<std::string, std::string>>& given) {
        SolveFor solve{};
        std::vector<double> values;
        std::optional<Failure> failure =
            ReadSolve(m_settings.solve, m_settings.volume, c, given, solve);
        if (!failure) {
            failure = Read(given, c);
        }
        if (!failure) {
            failure = Solved(c, solve, m_settings.ideal, values);
        }
        if (failure) {
            return Fail(*failure);
        }
        const Input& input = c.method->inputs[solve.input];
        if (m_settings.json) {
            Json found = Json::array();
            for (double value : values) {
                found.push_back(value);
            }
            const Json answer{{"name", input.name},
                              {"unit", input.unit},
                              {"values", found},
                              {"volume_l", Number(solve.volume)},
                              {"ideal", m_settings.ideal}};
            m_s.out << Json{{"solve", answer}}.dump(-1, ' ', m_s.asciiJson) << "\n";
        } else {
            for (double value : values) {
                m_s.out << input.name << " = " << SolvedText(value)
                        << (*input.unit != '\0' ? " " + std::string(input.unit) : "") << "\n";
            }
        }
        return kShown;
    }

    // The sentence and the notes of calculation, a line each.
    void WriteText(const sizing::Calculation& calculation) {
        m_s.out << Text(FormatVolumeSentence(calculation.volume).c_str()) << "\n";
        for (const sizing::Note& note : calculation.notes) {
            m_s.out << Text(note.text.c_str()) << "\n";
        }
    }

    // Writes the sheet of calculation where --sheet names it; the failure when it cannot.
    std::optional<Failure> WriteSheet(const sizing::Calculation& calculation) const {
        if (m_settings.sheet.empty()) {
            return std::nullopt;
        }
        const std::time_t now = std::time(nullptr);
        const std::string html =
            sizing::SheetHtml(calculation, {"presovol-calc", *std::localtime(&now)});
        std::string reason;
        if (!base::WriteWholeFile(std::filesystem::u8path(m_settings.sheet), html, reason)) {
            return Failure{"file", std::string(),
                           u8"计算书没能写入 " + m_settings.sheet + u8"：" + reason, kUsage};
        }
        return std::nullopt;
    }

    // The sheet in file calculated again, with the inputs given on the line in place of its
    // own; saved is the result the sheet holds.
    std::optional<Failure> Reopen(const std::string& file,
                                  std::optional<sizing::Calculation>& calculation,
                                  sizing::SavedResult& saved) const {
        std::string reason;
        const std::optional<sizing::SavedSheet> sheet =
            sizing::ReadSheetFile(std::filesystem::u8path(file), reason);
        if (!sheet) {
            return Failure{"sheet", std::string(), reason, kNoVolume};
        }
        saved = sheet->result;
        Case c;
        c.method = sheet->method;
        std::vector<std::pair<std::string, std::string>> given;
        for (std::size_t i = 0; i < c.method->inputCount; ++i) {
            given.emplace_back(c.method->inputs[i].name, sheet->typed[i]);
        }
        for (std::size_t i = 0; i < 3 && sizing::HasGasLaw(*c.method); ++i) {
            given.emplace_back(sizing::kTemperatureKeys[i], sheet->conditions.typedTemperatures[i]);
        }
        for (const auto& line : m_settings.overrides) {
            const auto own = std::find_if(given.begin(), given.end(),
                                          [&](const auto& g) { return g.first == line.first; });
            if (own != given.end()) {
                own->second = line.second;
            } else {
                given.push_back(line); // refused by the reading, naming it
            }
        }
        c.conditions.catalogue = m_catalogue;
        std::optional<Failure> failure = ReadInputs(given, false, c);
        if (!failure) {
            failure = Evaluate(c, calculation);
        }
        return failure;
    }

    // --from: each sheet calculated again and shown, or with --check compared with the result
    // it holds, a line each. Exit 0 when every sheet gave a volume (with --check, the same).
    int RunFrom() {
        const Settings& s = m_settings;
        Json report = Json::array();
        bool allShown = true;
        for (const std::string& file : s.files) {
            std::optional<sizing::Calculation> calculation;
            sizing::SavedResult saved;
            std::optional<Failure> failure = Reopen(file, calculation, saved);
            if (!failure) {
                failure = WriteSheet(*calculation);
            }
            const std::vector<Difference> differing =
                failure || !s.check ? std::vector<Difference>() : Differences(saved, *calculation);
            allShown = allShown && !failure && differing.empty();
            Json entry{{"file", file}};
            if (failure) {
                entry["error"] = ErrorJson(*failure);
            } else if (!s.check) {
                entry.update(CalculationJson(*calculation));
            } else {
                entry["same"] = differing.empty();
                Json differences = Json::array();
                for (const Difference& d : differing) {
                    differences.push_back(
                        {{"field", d.field}, {"sheet", d.sheet}, {"today", d.today}});
                }
                entry["differences"] = differences;
            }
            report.push_back(entry);
            if (s.json) {
                continue;
            }
            if (s.check) {
                std::string line = file + u8"：";
                if (failure) {
                    line += u8"无法重算：" + failure->text;
                } else if (differing.empty()) {
                    line += u8"相同";
                } else {
                    line += u8"不同：";
                    for (std::size_t i = 0; i < differing.size(); ++i) {
                        const Difference& d = differing[i];
                        line += (i == 0 ? "" : u8"；") + std::string(d.label) + " " + d.sheet +
                                u8" → " + d.today;
                    }
                }
                m_s.out << line << "\n";
            } else if (failure) {
                m_s.err << file << u8"：" << failure->text << "\n";
            } else {
                // Several sheets: each under its file's name, an empty line between.
                if (s.files.size() > 1) {
                    m_s.out << (&file == &s.files.front() ? "" : "\n") << file << "\n";
                }
                WriteText(*calculation);
            }
        }
        if (s.json) {
            m_s.out << report.dump(-1, ' ', m_s.asciiJson) << "\n";
        }
        return allShown ? kShown : kNoVolume;
    }

    int RunBatch() {
        std::ifstream file;
        std::istream* in = &m_s.in;
        if (m_settings.batch != "-") {
            file.open(std::filesystem::u8path(m_settings.batch), std::ios::binary);
            if (!file) {
                return Fail(
                    {"file", std::string(), u8"无法读取 " + m_settings.batch + u8"。", kUsage});
            }
            in = &file;
        }
        // The whole file first: whether it is UTF-8 or GBK is known only at its end.
        std::istringstream text(base::TextFileToUtf8(
            std::string(std::istreambuf_iterator<char>(*in), std::istreambuf_iterator<char>())));
        CsvReader reader(text);
        std::vector<std::string> header;
        if (reader.Next(header) != CsvReader::Status::Record) {
            header.clear();
        }
        if (const std::optional<Failure> wrong = CheckHeader(header)) {
            return Fail(*wrong);
        }
        std::ofstream outFile;
        if (!m_settings.out.empty()) {
            outFile.open(std::filesystem::u8path(m_settings.out),
                         std::ios::binary | std::ios::trunc);
            if (!outFile) {
                return Fail(
                    {"file", std::string(), u8"无法写入 " + m_settings.out + u8"。", kUsage});
            }
            // A mark, so that spreadsheets read the Chinese messages as UTF-8; GBK has none.
            if (!IsOutEncoding("gbk")) {
                outFile << "\xEF\xBB\xBF";
            }
        }
        const BatchOut out{m_settings.out.empty() ? m_s.out : outFile, IsOutEncoding("gbk")};
        WriteRow(out, header, {std::begin(kResultColumns), std::end(kResultColumns)});
        bool allShown = true;
        std::vector<std::string> row;
        for (CsvReader::Status status; (status = reader.Next(row)) != CsvReader::Status::End;) {
            if (status == CsvReader::Status::Record &&
                std::all_of(row.begin(), row.end(),
                            [](const std::string& f) { return f.empty(); })) {
                continue; // a blank line
            }
            allShown = BatchRow(status, header, row, out) && allShown;
        }
        out.stream.flush();
        if (!out.stream) {
            return Fail({"file", std::string(), u8"结果没能全部写出。", kUsage});
        }
        return allShown ? kShown : kNoVolume;
    }

    // Computes and writes one row; answers whether it gave a volume.
    bool BatchRow(CsvReader::Status status, const std::vector<std::string>& header,
                  std::vector<std::string>& row, const BatchOut& out) {
        Case c;
        std::optional<sizing::Calculation> calculation;
        std::optional<Failure> failure;
        if (status == CsvReader::Status::TooLong) {
            failure = Usage(u8"这一行太长，没有读。");
        } else if (row.size() > header.size()) {
            failure = Usage(u8"这一行的字段比表头多。");
        } else if ((c.method = sizing::FindMethod(row[0])) == nullptr) {
            failure = UnknownMethod(row[0]);
        } else {
            // The cells of the method's inputs and, where its formula holds a gas law, of the
            // temperatures; no other column is read.
            std::vector<std::pair<std::string, std::string>> given;
            for (std::size_t i = 1; i < row.size(); ++i) {
                const bool read = sizing::InputIndex(*c.method, header[i]) < c.method->inputCount ||
                                  (TemperatureKey(header[i]) < 3 && sizing::HasGasLaw(*c.method));
                if (!row[i].empty() && read) {
                    given.emplace_back(header[i], row[i]);
                }
            }
            const std::string solve = Cell(header, row, "solve");
            if (!solve.empty()) {
                return BatchSolve(header, row, given, c, solve, out);
            }
            failure = Read(given, c);
            if (!failure) {
                failure = Evaluate(c, calculation);
            }
        }
        return WriteResult(header, row, c, failure, calculation, out);
    }

    // The cell of column name in row; empty when the header has no such column.
    static std::string Cell(const std::vector<std::string>& header,
                            const std::vector<std::string>& row, std::string_view name) {
        const auto column = std::find(header.begin(), header.end(), name);
        const auto i = static_cast<std::size_t>(column - header.begin());
        return i < row.size() ? row[i] : std::string();
    }

    // A row that asks for the value of one input: one row of results for each value, with the
    // value in that input's column.
    bool BatchSolve(const std::vector<std::string>& header, std::vector<std::string>& row,
                    std::vector<std::pair<std::string, std::string>>& given, Case& c,
                    const std::string& name, const BatchOut& out) {
        SolveFor solve{};
        std::vector<double> values;
        std::optional<Failure> failure =
            ReadSolve(name, Cell(header, row, "volume"), c, given, solve);
        if (!failure && std::find(header.begin(), header.end(), name) == header.end()) {
            failure = Usage(u8"表头没有 " + name + u8" 列：解出的值无处可写。");
        }
        if (!failure) {
            failure = Read(given, c);
        }
        if (!failure) {
            failure = Solved(c, solve, false, values);
        }
        std::optional<sizing::Calculation> calculation;
        if (failure) {
            return WriteResult(header, row, c, failure, calculation, out);
        }
        bool shown = true;
        for (double value : values) {
            c.values[solve.input] = value;
            c.typed[solve.input] = FormatNumberText(value);
            std::vector<std::string> solved = row;
            failure = Evaluate(c, calculation);
            shown = WriteResult(header, solved, c, failure, calculation, out) && shown;
        }
        return shown;
    }

    // Writes the row with the results of its calculation, or with its failure; answers whether
    // it gave a volume.
    static bool WriteResult(const std::vector<std::string>& header, std::vector<std::string>& row,
                            const Case& c, const std::optional<Failure>& failure,
                            const std::optional<sizing::Calculation>& calculation,
                            const BatchOut& out) {
        row.resize(header.size());
        if (failure) {
            WriteRow(out, row, {"", "", "", "", "", "", "", "error", failure->text});
            return false;
        }
        // The inputs in their fields' units.
        for (std::size_t i = 1; i < header.size(); ++i) {
            const std::size_t k = sizing::InputIndex(*c.method, header[i]);
            if (k < c.method->inputCount) {
                row[i] = FormatNumberText(c.values[k]);
            }
        }
        const sizing::Pick& pick = calculation->pick;
        const sizing::GasCorrection& gas = calculation->gas;
        const bool real = gas.process != sizing::GasProcess::None;
        // A catalogue file with no row for the case picks nothing.
        const bool picked = pick.units > 0.0;
        WriteRow(out, row,
                 {FormatNumberText(calculation->volume),
                  sizing::TwoDecimalText(calculation->volume),
                  picked ? FormatNumberText(pick.nominalLitres) : "",
                  picked ? FormatNumberText(pick.units) : "",
                  pick.classMpa ? FormatNumberText(*pick.classMpa) : "",
                  real ? FormatNumberText(gas.factor) : "",
                  real ? FormatNumberText(calculation->ideal * gas.factor) : "", "ok", ""});
        return true;
    }

    // Writes a row: its own fields, then the results in the order of kResultColumns.
    static void WriteRow(const BatchOut& out, const std::vector<std::string>& first,
                         const std::vector<std::string>& rest) {
        std::string line;
        bool separator = false;
        for (const auto* fields : {&first, &rest}) {
            for (const std::string& field : *fields) {
                line += (separator ? "," : "") + CsvField(field);
                separator = true;
            }
        }
        line += "\r\n";
        out.stream << (out.gbk ? base::Utf8ToGbk(line) : line);
    }

    const Streams& m_s;
    const std::vector<std::filesystem::path>& m_cataloguePlaces;
    Settings m_settings;
    std::shared_ptr<const sizing::Catalogue> m_catalogue; // null for the built-in series
};

} // namespace

int RunCalc(const std::vector<std::string>& args, const Streams& streams,
            const std::vector<std::filesystem::path>& cataloguePlaces) {
    return Command(streams, cataloguePlaces).Run(args);
}

} // namespace cli

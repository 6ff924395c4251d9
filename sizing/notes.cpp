#include "sizing/notes.h"

#include "base/number_text.h"
#include "base/text_encoding.h"
#include "base/utf8.h"
#include "sizing/temperatures.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <utility>

namespace sizing {

namespace {

// Every text of the notes. "{}" stands for a value, filled in order.
const char* const kPick = u8"选型";
const char* const kPickBasis = u8"（按{} {} 升）";
const char* const kBasisAbsolute = u8"绝对压力";
const char* const kBasisTemperature = u8"工作温度";
const char* const kBasisRealGas = u8"实际气体";
const char* const kBasisDischarge = u8"放油时间";
const char* const kPickOne = u8"：公称容积 {} L";
const char* const kPickParallel = u8"：{} × {} L 并联";
const char* const kPickClass = u8"，公称压力 {} MPa";
const char* const kPickAbove = u8"；最高压力 {} MPa 超出常用公称压力 {} MPa";
const char* const kChosenParallel = u8"{} × {}";
const char* const kPerformanceOil = u8"选用 {}：可排出 {} 升（需要 {} 升）";
const char* const kPerformancePressure = u8"选用 {}：{} 约 {} {}（允许 {} {}）";
const char* const kPickRow = u8"：{}（{}，{} L，{} MPa）";
const char* const kPickRowParallel = u8"：{} × {}（{}，{} L，{} MPa）并联";
const char* const kPickNoPressure = u8"：型号目录中没有公称压力不低于 {} MPa 的型号";
const char* const kPickNoRatio = u8"：型号目录中公称压力不低于 {} MPa 的型号，最大压比都低于 {}";
const char* const kPassedOver = u8"{} 高于{}的最大压比，这些型号未选。";
const char* const kCatalogueUsed = u8"型号目录：{}";
const char* const kCatalogueRefused = u8"型号目录 {} 未用：{}；按内置系列选型。";
const char* const kTooLarge = u8"文件大于 1 MiB";
const char* const kUnreadable = u8"无法读取";
const char* const kMissingColumn = u8"表头缺少“{}”列";
const char* const kDuplicateColumn = u8"表头的“{}”出现了两次";
const char* const kNoRows = u8"没有一行可用";
const char* const kReadAs = u8"（文件按 {} 读）";
const char* const kStray = u8"型号目录第 {} 行{}的字节不是 UTF-8，按 GBK 读；共 {} 处。";
const char* const kColumnNamed = u8"“{}”";
const char* const kColumnAt = u8"第 {} 列";
const char* const kSkipped = u8"型号目录第 {} 行{}，已跳过；共跳过 {} 行。";
const char* const kRowMissing = u8"缺少{}";
const char* const kRowNotANumber = u8"的{}“{}”不是数值，或带了别种单位";
const char* const kRowNotPositive = u8"的{}“{}”不大于零";
const char* const kRowUnknownType = u8"的型式“{}”未知：可写皮囊式、囊式、隔膜式、活塞式";
const char* const kRowDuplicate = u8"的型号“{}”与第 {} 行重复";
const char* const kRowTooLong = u8"太长";
// The accumulator types and the catalogue's columns as the notes name them.
const char* const kShownTypeNames[kAccumulatorTypes] = {u8"皮囊式", u8"隔膜式", u8"活塞式"};
const char* const kShownColumnNames[kCatalogueColumns] = {u8"型号", u8"型式", u8"公称容积",
                                                          u8"公称压力", u8"最大压比"};
const char* const kNegative = u8"压力为负值：{}，所示容积没有物理意义。";
const char* const kShockP2 = u8"{} 不高于 {}：允许的冲击压力不高于平均压力，所示容积没有物理意义。";
const char* const kExcess = u8"{} 大于 {}：过剩排出量不能超过排量。";
const char* const kPaUnits = u8"{} 低于 1000 Pa，像是按 MPa "
                             u8"输入的：容积只取决于压力之比，不受影响，但公称压力按 Pa 换算。";
const char* const kAuxFits = u8"{}，在{}的充气压力范围内。";
const char* const kAuxFitsNone = u8"{}，不在任何一种的充气压力范围内：{}。";
const char* const kShockCBottle = u8"{}，在附加气瓶时的充气压力范围（{}）内。";
const char* const kShockCNone = u8"{}，不在充气压力范围内：{}，附加气瓶时 {}。";
const char* const kPulseANone =
    u8"{}，{}，不在充气压力范围内：平均压力 (P1+P2)/2 的 {} 倍，或 {} × P1。";
const char* const kMeanPressure = u8"平均压力";
const char* const kRatio = u8"压缩比 {} 大于 4：不宜用气囊式蓄能器；隔膜式可到约 8，活塞式更高。";
const char* const kExponent = u8"{}：提示中 n 只取 1（释压时间大于3分钟）或 1.4（小于3分钟）。";
const char* const kPumpCoefficient = u8"{} 不在提示的表中：{}。";
const char* const kInRange = u8"参数在常用范围内。";
const char* const kRealGas = u8"氮气实际气体修正（{} °C，{}）：×{}，约 {} 升";
const char* const kRealGasNegligible = u8"氮气实际气体修正可忽略（×{}）";
const char* const kAbsolute = u8"按绝对压力计算（表压加 0.101 MPa）：×{}";
const char* const kTemperatureCold =
    u8"工作温度 {}～{} °C：按 {} °C 计，充气压力降至 {} {}，容积 ×{}";
const char* const kTemperatureHot = u8"工作温度 {}～{} °C：按 {} °C 计，充气压力为 {} {}，容积 ×{}";
const char* const kFilling = u8"充气：在 {} °C 时充至 {} {}（{} °C 时为 {} {}）";
const char* const kThermal =
    u8"按充满后静置、放油 {} 计（{}）：放油过程指数约 {}，需 {} 升；放油终了气温约 {} °C";
const char* const kTauTyped = u8"热时间常数 {}";
const char* const kTauEstimated = u8"热时间常数约 {}，估计";
const char* const kThermalExponent =
    u8"公式按 {} 把充气和放油放在同一条多变过程线上；选型按放油时间计。";
const char* const kThermalOutOfRange =
    u8"放油时间 {}：气体状态超出氮气状态方程的范围，未按放油时间计。";
const char* const kGasCold =
    u8"放油终了气温约 {} °C，低于最低工作温度 {} °C：请查明皮囊和密封件允许的最低温度。";
const char* const kSeconds = "{} s";
const char* const kMinutes = "{} min";
const char* const kHours = "{} h";
const char* const kIsothermal = u8"等温";
const char* const kAdiabatic = u8"绝热";
const char* const kInterpolated = u8"n={} 插值";
const char* const kListSeparator = u8"，";
const char* const kKindSeparator = u8"、";
const char* const kKindWithRange = u8"{}（{}）";
const char* const kNamedValue = "{} {}";
const char* const kInfinity = u8"∞";

// A precharge range as a share of a reference pressure.
struct Range {
    const char* name;
    double low, high;
};

// Aux's hint: the precharge as a share of p1 for each kind of accumulator.
const Range kAuxPrecharge[] = {
    {u8"折合形气囊", 0.80, 0.85}, {u8"波纹形气囊", 0.60, 0.65}, {u8"活塞式蓄能器", 0.80, 0.90}};
// Shock C's hint: P0 against P1, and against P1 with an added gas bottle.
const Range kShockCPrecharge{nullptr, 0.60, 0.90};
const Range kShockCBottlePrecharge{nullptr, 0.95, 0.97};
// Pulsation A's hint: P0 against the mean pump pressure, or this share of P1.
const Range kPulseAPrecharge{nullptr, 0.60, 0.75};
constexpr double kPulseAShareOfP1 = 0.80;

// The pump-type coefficients that the hints of pulsation A and B list.
struct PumpType {
    const char* name;
    double k;
};
const PumpType kPumpTypes[] = {{u8"单柱塞单作用", 0.60}, {u8"单柱塞双作用", 0.25},
                               {u8"双柱塞单作用", 0.25}, {u8"双柱塞双作用", 0.15},
                               {u8"三柱塞单作用", 0.13}, {u8"三柱塞双作用", 0.06}};

// Above this ratio of the highest pressure to the precharge a bladder does not last.
constexpr double kBladderRatio = 4.0;
// Below this a pressure typed into a Pa field was most likely meant as MPa.
constexpr double kLeastPascal = 1000.0;

// pattern with each "{}" replaced by the next of values.
std::string Fill(const char* pattern, std::initializer_list<std::string> values) {
    std::string text;
    auto value = values.begin();
    for (const char* c = pattern; *c != '\0'; ++c) {
        if (c[0] == '{' && c[1] == '}' && value != values.end()) {
            text += *value++;
            ++c;
        } else {
            text += *c;
        }
    }
    return text;
}

std::string Join(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (const std::string& part : parts) {
        if (!text.empty()) {
            text += separator;
        }
        text += part;
    }
    return text;
}

// A computed number with two decimals, infinities as such.
std::string TwoDecimals(double value) {
    if (std::isinf(value)) {
        return value > 0 ? kInfinity : std::string("-") + kInfinity;
    }
    return TwoDecimalText(value);
}

// A duration in s below two minutes, in min below two hours, else in h; with three significant
// digits, or two where rough.
std::string DurationText(double seconds, bool rough) {
    const double unit = seconds < 120.0 ? 1.0 : seconds < 7200.0 ? 60.0 : 3600.0;
    double value = seconds / unit;
    char digits[32];
    const auto written =
        std::to_chars(digits, std::end(digits), value, std::chars_format::general, rough ? 2 : 3);
    std::from_chars(digits, written.ptr, value);
    return Fill(unit == 1.0    ? kSeconds
                : unit == 60.0 ? kMinutes
                               : kHours,
                {FormatNumberText(value)});
}

// A temperature in whole degrees, as the thermal line shows it.
double WholeDegrees(double celsius) {
    return std::round(celsius) + 0.0; // no "-0"
}

std::string RangeText(const Range& range) {
    return TwoDecimals(range.low) + "~" + TwoDecimals(range.high);
}

bool Within(double shown, const Range& range) {
    return shown >= range.low && shown <= range.high;
}

// The inputs of one calculation, by their positions in binding order (the method's roles).
class Inputs {
public:
    Inputs(const Method& method, const double* values) : m_method(method), m_values(values) {}

    double operator[](std::size_t i) const { return m_values[i]; }
    // "P2 = 12 Pa": the label, the value as typed and the unit.
    std::string Quote(std::size_t i) const {
        const Input& input = m_method.inputs[i];
        std::string text = Label(i) + " = " + PlainNumberText(m_values[i]);
        return *input.unit != '\0' ? text + " " + base::ProgramTextToUtf8(input.unit) : text;
    }
    std::string Label(std::size_t i) const {
        return base::ProgramTextToUtf8(m_method.inputs[i].label);
    }

private:
    const Method& m_method;
    const double* m_values;
};

// "p0/p1 = 0.90", with the ratio as shown.
std::string RatioText(const std::string& over, const std::string& under, double shown) {
    return over + "/" + under + " = " + TwoDecimals(shown);
}

bool Negative(const Method& method, const double* values, std::size_t i) {
    return method.inputs[i].kind == Quantity::Pressure && values[i] < 0.0;
}

// Shock B or C with the permissible shock P2 not above the mean pressure P1.
bool ShockP2NotAbove(const Method& method, const double* values) {
    const Roles& roles = method.roles;
    return (method.id == MethodId::ShockB || method.id == MethodId::ShockC) &&
           values[roles.highest] <= values[roles.lowest];
}

// Adds a check line that warns.
void Warn(std::vector<Note>& notes, const char* code, std::string text) {
    notes.push_back({code, std::move(text), true});
}

void AddNegative(const Method& method, const double* values, std::vector<Note>& notes) {
    const Inputs inputs(method, values);
    std::vector<std::string> negative;
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        if (Negative(method, values, i)) {
            negative.push_back(inputs.Quote(i));
        }
    }
    if (!negative.empty()) {
        Warn(notes, "negative", Fill(kNegative, {Join(negative, kListSeparator)}));
    }
}

void AddPrecharge(const Method& method, const Inputs& in, std::vector<Note>& notes) {
    const std::size_t p0 = method.roles.precharge;
    const std::size_t p1 = method.roles.lowest;
    switch (method.id) {
    case MethodId::Aux: {
        if (!(in[p0] > 0.0 && in[p1] > 0.0)) {
            return;
        }
        const double shown = AsShown(in[p0] / in[p1]);
        const std::string ratio = RatioText(in.Label(p0), in.Label(p1), shown);
        std::vector<std::string> fits, all;
        for (const Range& range : kAuxPrecharge) {
            if (Within(shown, range)) {
                fits.push_back(Fill(kKindWithRange, {range.name, RangeText(range)}));
            }
            all.push_back(Fill(kNamedValue, {range.name, RangeText(range)}));
        }
        // Always shown: where p0/p1 fits a kind, the line only names it.
        if (fits.empty()) {
            Warn(notes, "precharge", Fill(kAuxFitsNone, {ratio, Join(all, kListSeparator)}));
        } else {
            notes.push_back({"precharge", Fill(kAuxFits, {ratio, Join(fits, kKindSeparator)})});
        }
        return;
    }
    case MethodId::ShockC: {
        if (!(in[p0] > 0.0 && in[p1] > 0.0)) {
            return;
        }
        const double shown = AsShown(in[p0] / in[p1]);
        const std::string ratio = RatioText(in.Label(p0), in.Label(p1), shown);
        if (Within(shown, kShockCBottlePrecharge)) {
            Warn(notes, "precharge",
                 Fill(kShockCBottle, {ratio, RangeText(kShockCBottlePrecharge)}));
        } else if (!Within(shown, kShockCPrecharge)) {
            Warn(notes, "precharge",
                 Fill(kShockCNone,
                      {ratio, RangeText(kShockCPrecharge), RangeText(kShockCBottlePrecharge)}));
        }
        return;
    }
    case MethodId::PulseA: {
        const double mean = (in[p1] + in[method.roles.highest]) / 2.0;
        if (!(in[p0] > 0.0 && in[p1] > 0.0 && mean > 0.0)) {
            return;
        }
        const double ofMean = AsShown(in[p0] / mean);
        const double ofP1 = AsShown(in[p0] / in[p1]);
        if (!Within(ofMean, kPulseAPrecharge) && ofP1 != kPulseAShareOfP1) {
            Warn(notes, "precharge",
                 Fill(kPulseANone, {RatioText(in.Label(p0), kMeanPressure, ofMean),
                                    RatioText(in.Label(p0), in.Label(p1), ofP1),
                                    RangeText(kPulseAPrecharge), TwoDecimals(kPulseAShareOfP1)}));
        }
        return;
    }
    default:
        return;
    }
}

std::string RealGasLine(const Calculation& c) {
    const GasCorrection& gas = c.gas;
    const std::string process = gas.process == GasProcess::Isothermal ? kIsothermal
                                : gas.process == GasProcess::Adiabatic
                                    ? kAdiabatic
                                    : Fill(kInterpolated, {PlainNumberText(gas.n)});
    return Fill(kRealGas, {PlainNumberText(c.temperature.sizing), process, TwoDecimals(gas.factor),
                           TwoDecimals(c.corrected)});
}

// Whether the step to absolute pressures shows as a factor of its own, other than 1.00.
bool AbsoluteShows(const Calculation& c) {
    return c.temperature.applies && TwoDecimals(c.absoluteFactor) != "1.00";
}

// The precharge typed, and the one at another temperature, in the precharge's unit.
std::string TypedPrecharge(const Calculation& c) {
    return PlainNumberText(c.values[c.method->roles.precharge]);
}
std::string PrechargeUnit(const Calculation& c) {
    return base::ProgramTextToUtf8(c.method->inputs[c.method->roles.precharge].unit);
}

// The thermal model's lines: the discharge, and what the formula's n does not know of it.
void AddThermal(const Calculation& c, std::vector<Note>& lines) {
    const ThermalEffect& thermal = *c.thermal;
    const std::string tau = Fill(thermal.tauEstimated ? kTauEstimated : kTauTyped,
                                 {DurationText(thermal.tau, thermal.tauEstimated)});
    lines.push_back(
        {"thermal", Fill(kThermal, {DurationText(thermal.discharge, false), tau,
                                    TwoDecimals(thermal.index), TwoDecimals(thermal.volume),
                                    FormatNumberText(WholeDegrees(thermal.gasEnd))})});
    const std::size_t n = c.method->roles.gas.exponent;
    if (n != kNoInput) {
        lines.push_back(
            {"thermal-n", Fill(kThermalExponent, {Inputs(*c.method, c.values).Quote(n)})});
    }
}

// The lines of the corrections: the absolute pressures, the operating temperatures, the real gas
// and the filling pressure, each where it says something.
void AddCorrections(const Calculation& c, std::vector<Note>& lines) {
    const Temperatures& t = c.conditions.temperatures;
    const TemperatureEffect& effect = c.temperature;
    const bool precharge = c.method->roles.precharge != kNoInput;
    // With a discharge time the thermal model holds the absolute pressures and the real gas.
    if (AbsoluteShows(c) && !c.thermal) {
        lines.push_back({"absolute", Fill(kAbsolute, {TwoDecimals(c.absoluteFactor)})});
    }
    if (precharge && t.min != t.max) {
        const bool cold = effect.sizing != t.max;
        lines.push_back(
            {"temperature",
             Fill(cold ? kTemperatureCold : kTemperatureHot,
                  {PlainNumberText(t.min), PlainNumberText(t.max), PlainNumberText(effect.sizing),
                   cold ? TwoDecimals(effect.prechargeAtSizing) : TypedPrecharge(c),
                   PrechargeUnit(c), TwoDecimals(effect.factor)})});
    }
    if (c.thermal) {
        AddThermal(c, lines);
    } else {
        if (c.conditions.discharge > 0.0 && c.method->roles.oil != kNoInput) {
            lines.push_back({"thermal", Fill(kThermalOutOfRange,
                                             {DurationText(c.conditions.discharge, false)})});
        }
        if (c.gasCounts) {
            lines.push_back({"real-gas", RealGasLine(c)});
        } else if (c.gas.process != GasProcess::None) {
            lines.push_back({"real-gas", Fill(kRealGasNegligible, {FixedText(c.gas.factor, 3)})});
        }
    }
    if (precharge && t.fill != t.max) {
        const std::string unit = PrechargeUnit(c);
        lines.push_back(
            {"fill", Fill(kFilling, {PlainNumberText(t.fill), TwoDecimals(effect.fill), unit,
                                     PlainNumberText(t.max), TypedPrecharge(c), unit})});
    }
}

// What the pick was made for, where that is not the volume shown: "（按实际气体 31.79 升）".
std::string PickBasis(const Calculation& c) {
    if (c.thermal) {
        return Fill(kPickBasis, {kBasisDischarge, TwoDecimals(c.corrected)});
    }
    std::vector<std::string> basis;
    if (AbsoluteShows(c)) {
        basis.push_back(kBasisAbsolute);
    }
    if (c.temperature.factor > 1.0) {
        basis.push_back(kBasisTemperature);
    }
    if (c.gasCounts) {
        basis.push_back(kBasisRealGas);
    }
    if (basis.empty()) {
        if (TwoDecimals(c.corrected) == TwoDecimals(c.volume)) {
            return std::string();
        }
        // A step to absolute pressures too small for a line of its own.
        basis.push_back(kBasisAbsolute);
    }
    return Fill(kPickBasis, {Join(basis, kKindSeparator), TwoDecimals(c.corrected)});
}

// The case's ratio as shown: "p2/p0 = 6.00".
std::string CaseRatioText(const Calculation& c) {
    const Inputs in(*c.method, c.values);
    return RatioText(in.Label(c.method->roles.highest), in.Label(c.method->roles.precharge),
                     AsShown(c.ratio));
}

// The pick from a catalogue file after the colon: the row, or the limit that no row meets.
std::string CataloguePick(const Calculation& c) {
    const Pick& pick = c.pick;
    if (pick.unmet == Unmet::Pressure) {
        return Fill(kPickNoPressure, {TwoDecimals(pick.highestMpa)});
    }
    if (pick.unmet == Unmet::Ratio) {
        return Fill(kPickNoRatio, {TwoDecimals(pick.highestMpa), CaseRatioText(c)});
    }
    const CatalogueRow& row = *pick.row;
    const std::string& model = row.model;
    const char* type = kShownTypeNames[static_cast<std::size_t>(row.type)];
    const std::string litres = PlainNumberText(row.litres);
    const std::string mpa = PlainNumberText(row.mpa);
    return pick.units == 1.0
               ? Fill(kPickRow, {model, type, litres, mpa})
               : Fill(kPickRowParallel, {PlainNumberText(pick.units), model, type, litres, mpa});
}

std::string PickLine(const Calculation& c) {
    const Pick& pick = c.pick;
    std::string line = kPick + PickBasis(c);
    if (InUse(c.conditions.catalogue.get())) {
        return line + CataloguePick(c);
    }
    line += pick.units == 1.0 ? Fill(kPickOne, {PlainNumberText(pick.nominalLitres)})
                              : Fill(kPickParallel, {PlainNumberText(pick.units),
                                                     PlainNumberText(pick.nominalLitres)});
    if (pick.classMpa) {
        return line + Fill(kPickClass, {PlainNumberText(*pick.classMpa)});
    }
    return line + Fill(kPickAbove,
                       {TwoDecimals(pick.highestMpa), PlainNumberText(*std::rbegin(kNominalMpa))});
}

// What the chosen size does, e.g. "选用 32 L：可排出 10.07 升（需要 10 升）", or with a model of a
// catalogue file "选用 P-100/35：...".
std::string PerformanceLine(const Calculation& c) {
    const Pick& pick = c.pick;
    // The model picked from a catalogue file, else the nominal volume.
    const std::string one = pick.row ? pick.row->model : PlainNumberText(pick.nominalLitres) + " L";
    const std::string size =
        pick.units == 1.0 ? one : Fill(kChosenParallel, {PlainNumberText(pick.units), one});
    const Input& input = c.method->inputs[c.performance->input];
    const std::string value = TwoDecimals(c.performance->value);
    const std::string typed = PlainNumberText(c.values[c.performance->input]);
    if (c.method->id == MethodId::Aux) {
        return Fill(kPerformanceOil, {size, value, typed});
    }
    const std::string label = base::ProgramTextToUtf8(input.label);
    const std::string unit = base::ProgramTextToUtf8(input.unit);
    return Fill(kPerformancePressure, {size, label, value, unit, typed, unit});
}

// The types whose rows hold the pressure but were passed over for the case's ratio.
void AddPassedOver(const Calculation& c, std::vector<Note>& lines) {
    std::vector<std::string> types;
    for (std::size_t type = 0; type < kAccumulatorTypes; ++type) {
        if (c.pick.passedOver[type] > 0.0) {
            types.push_back(Fill(
                kKindWithRange, {kShownTypeNames[type], PlainNumberText(c.pick.passedOver[type])}));
        }
    }
    if (!types.empty()) {
        lines.push_back({"catalogue-ratio",
                         Fill(kPassedOver, {CaseRatioText(c), Join(types, kKindSeparator)})});
    }
}

// Why a catalogue file is not used; where its content is why, with the encoding it was read in.
std::string FileFaultText(const Catalogue& catalogue) {
    const char* column = kShownColumnNames[static_cast<std::size_t>(catalogue.faultColumn)];
    const std::string readAs = Fill(kReadAs, {base::EncodingName(catalogue.encoding)});
    switch (catalogue.fault) {
    case FileFault::TooLarge:
        return kTooLarge;
    case FileFault::Unreadable:
        return kUnreadable;
    case FileFault::MissingColumn:
        return Fill(kMissingColumn, {column}) + readAs;
    case FileFault::DuplicateColumn:
        return Fill(kDuplicateColumn, {column}) + readAs;
    default:
        return kNoRows + readAs;
    }
}

std::string SkippedText(const SkippedRow& row) {
    const char* column = kShownColumnNames[static_cast<std::size_t>(row.column)];
    const std::string& cell = row.cell;
    switch (row.fault) {
    case RowFault::Missing:
        return Fill(kRowMissing, {column});
    case RowFault::NotANumber:
        return Fill(kRowNotANumber, {column, cell});
    case RowFault::NotPositive:
        return Fill(kRowNotPositive, {column, cell});
    case RowFault::UnknownType:
        return Fill(kRowUnknownType, {cell});
    case RowFault::Duplicate:
        return Fill(kRowDuplicate, {cell, std::to_string(row.earlier)});
    default:
        return kRowTooLong;
    }
}

// Which catalogue file the pick came from, or why it did not, and the rows skipped.
void AddCatalogue(const Catalogue* catalogue, std::vector<Note>& lines) {
    if (catalogue == nullptr) {
        return;
    }
    const std::string& source = catalogue->source;
    lines.push_back({"catalogue", InUse(catalogue) ? Fill(kCatalogueUsed, {source})
                                                   : Fill(kCatalogueRefused,
                                                          {source, FileFaultText(*catalogue)})});
    if (catalogue->strayCells > 0) {
        const StrayCell& first = catalogue->firstStray;
        const std::string column = first.column.empty()
                                       ? Fill(kColumnAt, {std::to_string(first.position)})
                                       : Fill(kColumnNamed, {first.column});
        lines.push_back({"catalogue-bytes", Fill(kStray, {std::to_string(first.row), column,
                                                          std::to_string(catalogue->strayCells)})});
    }
    if (catalogue->skipped > 0) {
        const SkippedRow& first = catalogue->firstSkipped;
        lines.push_back(
            {"catalogue-rows", Fill(kSkipped, {std::to_string(first.number), SkippedText(first),
                                               std::to_string(catalogue->skipped)})});
    }
}

} // namespace

bool HasPhysicalMeaning(const Method& method, const double* values) {
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        if (Negative(method, values, i)) {
            return false;
        }
    }
    return !ShockP2NotAbove(method, values);
}

std::vector<Note> Checks(const Calculation& c) {
    const Method& method = *c.method;
    const double* values = c.values;
    const Roles& roles = method.roles;
    const Inputs in(method, values);
    std::vector<Note> notes;
    AddNegative(method, values, notes);
    if (ShockP2NotAbove(method, values)) {
        Warn(notes, "shock-p2", Fill(kShockP2, {in.Quote(roles.highest), in.Quote(roles.lowest)}));
    }
    if (roles.excess != kNoInput && in[roles.excess] > in[roles.displacement]) {
        Warn(notes, "excess",
             Fill(kExcess, {in.Quote(roles.excess), in.Quote(roles.displacement)}));
    }
    if (method.id == MethodId::PulseA && in[roles.highest] > 0.0 &&
        in[roles.highest] < kLeastPascal) {
        Warn(notes, "pa-units", Fill(kPaUnits, {in.Quote(roles.highest)}));
    }
    AddPrecharge(method, in, notes);
    // The compression ratio, where the method has a precharge, at its lowest: the coldest.
    if (AsShown(c.ratio) > kBladderRatio) {
        Warn(notes, "ratio", Fill(kRatio, {CaseRatioText(c)}));
    }
    // The gas's end temperature, as the thermal line shows it, against the lowest operating one.
    const Temperatures& t = c.conditions.temperatures;
    if (c.thermal && WholeDegrees(c.thermal->gasEnd) < t.min) {
        Warn(notes, "gas-cold",
             Fill(kGasCold,
                  {FormatNumberText(WholeDegrees(c.thermal->gasEnd)), FormatNumberText(t.min)}));
    }
    const std::size_t n = roles.gas.exponent;
    if (n != kNoInput && in[n] != 1.0 && in[n] != 1.4) {
        Warn(notes, "exponent", Fill(kExponent, {in.Quote(n)}));
    }
    const std::size_t k = roles.coefficient;
    if (k != kNoInput && std::none_of(std::begin(kPumpTypes), std::end(kPumpTypes),
                                      [&](const PumpType& pump) { return in[k] == pump.k; })) {
        std::vector<std::string> table;
        for (const PumpType& pump : kPumpTypes) {
            table.push_back(Fill(kNamedValue, {pump.name, TwoDecimals(pump.k)}));
        }
        Warn(notes, "pump-k", Fill(kPumpCoefficient, {in.Quote(k), Join(table, kListSeparator)}));
    }
    if (notes.empty()) {
        notes.push_back({"in-range", kInRange});
    }
    return notes;
}

std::vector<Note> NotesOf(const Calculation& c) {
    if (!c.meaningful) {
        return {Checks(c).front()};
    }
    std::vector<Note> lines;
    lines.push_back({"pick", PickLine(c)});
    if (c.performance) {
        lines.push_back({"performance", PerformanceLine(c)});
    }
    AddPassedOver(c, lines);
    AddCorrections(c, lines);
    for (Note& check : Checks(c)) {
        lines.push_back(std::move(check));
    }
    AddCatalogue(c.conditions.catalogue.get(), lines);
    return lines;
}

std::string JoinNotes(const std::vector<Note>& lines, std::string_view lineBreak) {
    std::vector<std::string> texts;
    for (const Note& line : lines) {
        texts.push_back(line.text);
    }
    return Join(texts, lineBreak);
}

} // namespace sizing

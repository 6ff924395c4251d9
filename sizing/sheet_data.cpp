#include "sizing/sheet_data.h"

#include "base/number_text.h"
#include "base/utf8.h"
#include "base/whole_file.h"
#include "sizing/real_gas.h"
#include "sizing/temperatures.h"
#include "sizing/units.h"

#include <nlohmann/json.hpp>

#include <cstdint>

namespace sizing {

namespace {

// The block is written with its keys in the order of the format, and read into sorted maps: a
// block of many keys costs no more than its size to read.
using Json = nlohmann::ordered_json;
using ReadJson = nlohmann::json;

constexpr const char* kFormat = "presovol-calculation";
constexpr int kVersion = 1;
constexpr std::string_view kOpen = "<script type=\"application/json\" id=\"presovol-calculation\">";
constexpr std::string_view kScriptEnd = "</script>";
// The sheet's heading: a page with it but without the data block is a sheet all the same.
constexpr std::string_view kHeading = u8"<h1>蓄能器计算书</h1>";
// What a reason quotes of a text from the file, in characters.
constexpr std::size_t kQuoted = 40;
// The deepest the block nests, its own level counted: the format needs three (the block, the
// result, the pick). Nothing deeper is built, so that no step on the data recurses further.
constexpr int kDeepestNesting = 16;

// A text as typed, or the number where none was typed.
std::string TypedOr(const std::string& typed, double value) {
    return typed.empty() ? FormatNumberText(value) : typed;
}

// text from the file in quotation marks, cut after kQuoted characters.
std::string Quoted(std::string_view text) {
    std::size_t at = 0;
    for (std::size_t characters = 0; at < text.size(); ++at) {
        const auto c = static_cast<unsigned char>(text[at]);
        if ((c & 0xC0u) != 0x80u && characters++ == kQuoted) {
            return u8"“" + std::string(text.substr(0, at)) + u8"…”";
        }
    }
    return u8"“" + std::string(text) + u8"”";
}

std::string Damaged(const std::string& field) {
    return u8"计算书的数据有误：" + field + u8" 缺少或不是应有的类型。";
}

// The text of a value of inputs or conditions: a string as it stands, anything else as JSON.
std::string TextOf(const ReadJson& value) {
    return value.is_string() ? value.get<std::string>() : value.dump();
}

// A number of the result at key of object into value; false when it is none.
bool ReadResultNumber(const ReadJson& object, const char* key, double& value) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_number()) {
        return false;
    }
    value = found->get<double>();
    return true;
}

// Reads the names of table (count of them) from object, each through read (which answers a
// reason or nothing). A key of object that is none of them is unknown: "kind" says of what.
// Missing names among the first required are collected into missing.
template <typename Read>
std::string ReadNamed(const ReadJson& object, const Method& method, const char* kind,
                      const char* const* names, std::size_t count, std::size_t required,
                      std::string& missing, Read read) {
    for (const auto& item : object.items()) {
        std::size_t i = 0;
        while (i < count && item.key() != names[i]) {
            ++i;
        }
        if (i == count) {
            return u8"方法 " + std::string(method.name) + u8" 没有" + kind + Quoted(item.key()) +
                   u8"。";
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        const auto found = object.find(names[i]);
        if (found == object.end()) {
            if (i < required) {
                missing += (missing.empty() ? "" : " ") + std::string(names[i]);
            }
        } else if (std::string reason = read(i, TextOf(*found)); !reason.empty()) {
            return reason;
        }
    }
    return std::string();
}

// Reads the inputs and conditions of data into sheet; answers the reason when they cannot be.
std::string ReadCase(const ReadJson& data, SavedSheet& sheet) {
    const Method& method = *sheet.method;
    const ReadJson& inputs = data.contains("inputs") ? data["inputs"] : ReadJson();
    if (!inputs.is_object()) {
        return Damaged("inputs");
    }
    const char* names[kMaxInputs];
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        names[i] = method.inputs[i].name;
    }
    std::string missing;
    std::string reason =
        ReadNamed(inputs, method, u8"输入", names, method.inputCount, method.inputCount, missing,
                  [&](std::size_t i, const std::string& typed) {
                      const Input& input = method.inputs[i];
                      if (!ReadTypedQuantity(typed, input, sheet.values[i])) {
                          return u8"输入 " + std::string(input.name) + u8" 的值" + Quoted(typed) +
                                 u8"不是一个数字。";
                      }
                      sheet.typed[i] = typed;
                      return std::string();
                  });
    if (!reason.empty()) {
        return reason;
    }
    const ReadJson& conditions =
        data.contains("conditions") ? data["conditions"] : ReadJson::object();
    if (!conditions.is_object()) {
        return Damaged("conditions");
    }
    // Only a gas law takes temperatures, and only a method that delivers oil when called its
    // discharge, which may be left out.
    const std::size_t temperatures = HasGasLaw(method) ? 3 : 0;
    const std::size_t count = temperatures + (method.roles.oil != kNoInput ? 2 : 0);
    const char* const keys[] = {kTemperatureKeys[kFill], kTemperatureKeys[kMin],
                                kTemperatureKeys[kMax], kDischargeInputs[kDischargeTime].name,
                                kDischargeInputs[kThermalTau].name};
    reason = ReadNamed(
        conditions, method, u8"条件", keys, count, temperatures, missing,
        [&](std::size_t i, const std::string& typed) {
            if (i >= temperatures) {
                const Input& input = kDischargeInputs[i - temperatures];
                if (!ReadTypedQuantity(typed, input,
                                       DischargeAt(sheet.conditions, i - temperatures))) {
                    return u8"条件 " + std::string(input.name) + u8" 的值" + Quoted(typed) +
                           u8"不是一个时间。";
                }
                sheet.conditions.typedDischarge[i - temperatures] = typed;
                return std::string();
            }
            if (!ReadTypedTemperature(typed, TemperatureAt(sheet.conditions.temperatures, i))) {
                return u8"温度 " + std::string(kTemperatureKeys[i]) + u8" 的值" + Quoted(typed) +
                       u8"不是一个温度。";
            }
            sheet.conditions.typedTemperatures[i] = typed;
            return std::string();
        });
    if (!reason.empty()) {
        return reason;
    }
    if (!missing.empty()) {
        return u8"计算书缺少 " + missing + u8" 的值。";
    }
    std::size_t which = 0;
    const std::string fault = TemperatureFault(sheet.conditions.temperatures, which);
    return base::ProgramTextToUtf8(fault.empty() ? DischargeFault(sheet.conditions, which) : fault);
}

// Reads the saved result of data into sheet; answers the reason when it cannot be.
std::string ReadResult(const ReadJson& data, SavedResult& result) {
    const ReadJson& saved = data.contains("result") ? data["result"] : ReadJson();
    if (!saved.is_object()) {
        return Damaged("result");
    }
    if (!ReadResultNumber(saved, "volume_l", result.volume)) {
        return Damaged("result.volume_l");
    }
    if (!ReadResultNumber(saved, "corrected_l", result.corrected)) {
        return Damaged("result.corrected_l");
    }
    const ReadJson& pick = saved.contains("pick") ? saved["pick"] : ReadJson();
    if (!pick.is_object()) {
        return Damaged("result.pick");
    }
    if (!ReadResultNumber(pick, "nominal_l", result.nominalLitres)) {
        return Damaged("result.pick.nominal_l");
    }
    if (!ReadResultNumber(pick, "units", result.units)) {
        return Damaged("result.pick.units");
    }
    double classMpa = 0.0;
    if (ReadResultNumber(pick, "class_mpa", classMpa)) {
        result.classMpa = classMpa;
    } else if (!pick.contains("class_mpa") || !pick["class_mpa"].is_null()) {
        return Damaged("result.pick.class_mpa");
    }
    return std::string();
}

} // namespace

std::string SheetData(const Calculation& c, std::string_view program) {
    const Method& method = *c.method;
    Json inputs = Json::object();
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        inputs[method.inputs[i].name] = TypedOr(c.typed[i], c.values[i]);
    }
    Json conditions = Json::object();
    if (HasGasLaw(method)) {
        Temperatures t = c.conditions.temperatures;
        for (std::size_t i = kFill; i <= kMax; ++i) {
            conditions[kTemperatureKeys[i]] =
                TypedOr(c.conditions.typedTemperatures[i], TemperatureAt(t, i));
        }
    }
    // The discharge where one was typed.
    if (method.roles.oil != kNoInput) {
        for (std::size_t i = kDischargeTime; i <= kThermalTau; ++i) {
            if (!c.conditions.typedDischarge[i].empty()) {
                conditions[kDischargeInputs[i].name] = c.conditions.typedDischarge[i];
            }
        }
    }
    const Pick& pick = c.pick;
    const Json data = {{"format", kFormat},
                       {"version", kVersion},
                       {"program", program},
                       {"method", method.name},
                       {"inputs", inputs},
                       {"conditions", conditions},
                       {"result",
                        {{"volume_l", c.volume},
                         {"corrected_l", c.corrected},
                         {"pick",
                          {{"nominal_l", pick.nominalLitres},
                           {"units", pick.units},
                           {"class_mpa", pick.classMpa ? Json(*pick.classMpa) : Json()}}}}}};
    std::string block(kOpen);
    for (char ch : data.dump(-1, ' ', false, Json::error_handler_t::replace)) {
        switch (ch) {
        case '<':
            block += "\\u003c";
            break;
        case '>':
            block += "\\u003e";
            break;
        case '&':
            block += "\\u0026";
            break;
        default:
            block += ch;
        }
    }
    return block + std::string(kScriptEnd);
}

std::optional<SavedSheet> ReadSheet(std::string_view bytes, std::string& reason) {
    if (bytes.size() > kLargestSheetBytes) {
        reason = u8"文件大于 8 MiB，不是计算书。";
        return std::nullopt;
    }
    const std::size_t open = bytes.find(kOpen);
    if (open == std::string_view::npos) {
        reason = bytes.find(kHeading) == std::string_view::npos
                     ? u8"文件不是 Presovol 的计算书。"
                     : u8"计算书中没有计算数据：它由较早的版本保存，或者文件不完整。";
        return std::nullopt;
    }
    const std::size_t start = open + kOpen.size();
    const std::size_t close = bytes.find(kScriptEnd, start);
    if (close == std::string_view::npos) {
        reason = u8"计算书的数据没有结尾：文件不完整。";
        return std::nullopt;
    }
    // A value that would nest deeper than kDeepestNesting is dropped as it starts, and the
    // block refused.
    bool tooDeep = false;
    const auto bounded = [&tooDeep](int depth, ReadJson::parse_event_t event, ReadJson&) {
        const bool opens = event == ReadJson::parse_event_t::object_start ||
                           event == ReadJson::parse_event_t::array_start;
        tooDeep = tooDeep || (opens && depth >= kDeepestNesting);
        return !tooDeep;
    };
    ReadJson data;
    std::string damaged;
    try {
        data = ReadJson::parse(bytes.substr(start, close - start), bounded);
    } catch (const ReadJson::parse_error& e) {
        damaged = u8"计算书的数据已损坏：第 " + std::to_string(start + e.byte) +
                  u8" 字节处不是完整的 JSON。";
    } catch (const ReadJson::out_of_range&) {
        damaged = u8"计算书的数据已损坏：其中有数超出了范围。";
    }
    if (tooDeep || !damaged.empty()) {
        reason = tooDeep ? u8"计算书的数据层次过深，不是 Presovol 的计算书。" : damaged;
        return std::nullopt;
    }
    if (!data.is_object() || !data.contains("format") || data["format"] != kFormat) {
        reason = u8"文件不是 Presovol 的计算书。";
        return std::nullopt;
    }
    const ReadJson& version = data.contains("version") ? data["version"] : ReadJson();
    if (!version.is_number_unsigned() || version.get<std::uint64_t>() < 1) {
        reason = Damaged("version");
        return std::nullopt;
    }
    if (version.get<std::uint64_t>() > kVersion) {
        reason = u8"计算书由较新的程序保存（数据格式第 " + version.dump() +
                 u8" 版），这个版本只读得了第 1 版。";
        return std::nullopt;
    }
    const ReadJson& name = data.contains("method") ? data["method"] : ReadJson();
    if (!name.is_string()) {
        reason = Damaged("method");
        return std::nullopt;
    }
    SavedSheet sheet;
    sheet.method = FindMethod(name.get<std::string>());
    if (sheet.method == nullptr) {
        reason = u8"计算书的计算方法" + Quoted(name.get<std::string>()) + u8"未知；可用的有：" +
                 MethodNames() + u8"。";
        return std::nullopt;
    }
    reason = ReadCase(data, sheet);
    if (reason.empty()) {
        reason = ReadResult(data, sheet.result);
    }
    if (!reason.empty()) {
        return std::nullopt;
    }
    return sheet;
}

std::optional<SavedSheet> ReadSheetFile(const std::filesystem::path& path, std::string& reason) {
    std::string bytes;
    if (!base::ReadFileStart(path, kLargestSheetBytes + 1, bytes, reason)) {
        return std::nullopt;
    }
    return ReadSheet(bytes, reason);
}

} // namespace sizing

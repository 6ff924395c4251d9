// The sheet read back: its data block gives the typed inputs and conditions again, and what
// cannot be read gets its reason.
#include "sizing/sheet.h"
#include "sizing/sheet_data.h"
#include "sizing/temperatures.h"
#include "sizing/units.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::tm Day(int day) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = day;
    t.tm_hour = 9;
    return t;
}

// The calculation of method over texts typed as in a calculator, with the temperatures typed.
sizing::Calculation Typed(const char* name, const std::vector<std::string>& typed,
                          const std::vector<std::string>& temperatures = {}) {
    const sizing::Method& method = *sizing::FindMethod(name);
    double values[sizing::kMaxInputs] = {};
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        EXPECT_TRUE(sizing::ReadTypedQuantity(typed[i], method.inputs[i], values[i])) << typed[i];
    }
    sizing::Conditions conditions;
    for (std::size_t i = 0; i < temperatures.size(); ++i) {
        EXPECT_TRUE(sizing::ReadTypedTemperature(
            temperatures[i], sizing::TemperatureAt(conditions.temperatures, i)));
        conditions.typedTemperatures[i] = temperatures[i];
    }
    return sizing::Calculate(method, values, typed.data(), conditions);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Saving, opening and saving again gives the same sheet but for its date.
TEST(SheetData, EveryMethodsSheetOpensToTheSameSheet) {
    const sizing::Calculation cases[] = {
        Typed("aux", {"１０ L", "1.4", "90 bar", "10", "20"}, {"20", "-10 ℃", "323.15 K"}),
        Typed("shock-a", {"900 kg/m3", "100cm2", "200", "4", "90bar", "12"}, {"15", "0", "40"}),
        Typed("shock-b", {"100", "10", "14", "50", "0.5"}),
        Typed("shock-c", {"5 L/s", "150", "2cm", "10 MPa", "140", "80", "0", "0.9"},
              {"20", "-20", "60 °C"}),
        Typed("pulse-a", {"0.001", "50mm", "0.6", "100 bar", "120 bar", "80 bar"},
              {"20", "20", "20"}),
        Typed("pulse-b", {"0.1", "10", "12", "0.6"}, {"68 °F", "-5", "45"}),
        Typed("pulse-c", {"100 mL", "10", "12"}),
        Typed("pulse-d", {"1 L/r", "0.05", "10", "0.5"}),
    };
    for (const sizing::Calculation& saved : cases) {
        const sizing::Method& method = *saved.method;
        SCOPED_TRACE(method.name);
        const std::string first = sizing::SheetHtml(saved, {"Presovol", Day(7)});
        std::string reason;
        const std::optional<sizing::SavedSheet> sheet = sizing::ReadSheet(first, reason);
        ASSERT_TRUE(sheet) << reason;
        EXPECT_EQ(sheet->method, &method);
        for (std::size_t i = 0; i < method.inputCount; ++i) {
            EXPECT_EQ(sheet->typed[i], saved.typed[i]);
        }
        EXPECT_EQ(sheet->result.volume, saved.volume);
        EXPECT_EQ(sheet->result.corrected, saved.corrected);
        EXPECT_EQ(sheet->result.nominalLitres, saved.pick.nominalLitres);
        EXPECT_EQ(sheet->result.units, saved.pick.units);
        EXPECT_EQ(sheet->result.classMpa, saved.pick.classMpa);

        const sizing::Calculation opened =
            sizing::Calculate(method, sheet->values, sheet->typed, sheet->conditions);
        const std::vector<std::string> before = Lines(first);
        const std::vector<std::string> after =
            Lines(sizing::SheetHtml(opened, {"Presovol", Day(8)}));
        ASSERT_EQ(before.size(), after.size());
        std::vector<std::string> differing;
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (before[i] != after[i]) {
                differing.push_back(after[i]);
            }
        }
        ASSERT_EQ(differing.size(), 1u) << differing[1];
        EXPECT_EQ(differing[0], "<p class=\"stamp\">Presovol 1.0.0.1　2026-12-08 09:00</p>");
    }
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(SheetData, WhatCannotBeReadGetsItsReason) {
    const std::string aux =
        sizing::SheetHtml(Typed("aux", {"10", "1.4", "9", "10", "20"}), {"Presovol", Day(7)});
    const std::string pulseD =
        sizing::SheetHtml(Typed("pulse-d", {"1", "0.05", "10", "0.5"}), {"Presovol", Day(7)});
    const std::size_t block = aux.find("<script");
    const struct {
        const char* what;
        std::string bytes;
        const char* reason; // the whole reason, or its start
    } cases[] = {
        {"a plain web page", "<!DOCTYPE html><html><body><p>Hello</p></body></html>",
         "文件不是 Presovol 的计算书。"},
        {"an empty file", "", "文件不是 Presovol 的计算书。"},
        {"cut before its data", aux.substr(0, aux.size() / 2),
         "计算书中没有计算数据：它由较早的版本保存，或者文件不完整。"},
        {"cut inside its data", aux.substr(0, block + 100), "计算书的数据没有结尾：文件不完整。"},
        {"larger than 8 MiB", aux + std::string(9u << 20, ' '), "文件大于 8 MiB，不是计算书。"},
        {"damaged data", Replaced(aux, "\"inputs\":{", "\"inputs\":{{"), "计算书的数据已损坏：第 "},
        {"data of another program",
         Replaced(aux, "\"format\":\"presovol-calculation\"", "\"format\":\"other\""),
         "文件不是 Presovol 的计算书。"},
        {"a newer format", Replaced(aux, "\"version\":1", "\"version\":2"),
         "计算书由较新的程序保存（数据格式第 2 版），这个版本只读得了第 1 版。"},
        {"no version", Replaced(aux, "\"version\":1", "\"version\":\"1\""),
         "计算书的数据有误：version 缺少或不是应有的类型。"},
        {"an unknown method", Replaced(aux, "\"method\":\"aux\"", "\"method\":\"aux-2\""),
         "计算书的计算方法“aux-2”未知；可用的有：aux shock-a shock-b shock-c pulse-a pulse-b "
         "pulse-c pulse-d。"},
        {"an unknown input", Replaced(aux, "\"p1\":", "\"P1\":"), "方法 aux 没有输入“P1”。"},
        {"a missing input", Replaced(aux, ",\"p2\":\"20\"", ""), "计算书缺少 p2 的值。"},
        {"\"abc\" as p1", Replaced(aux, "\"p1\":\"10\"", "\"p1\":\"abc\""),
         "输入 p1 的值“abc”不是一个数字。"},
        {"a unit of another kind", Replaced(aux, "\"p1\":\"10\"", "\"p1\":\"10 L\""),
         "输入 p1 的值“10 L”不是一个数字。"},
        {"a long text", Replaced(aux, "\"p1\":\"10\"", "\"p1\":\"" + std::string(50, 'x') + "\""),
         "输入 p1 的值“xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…”不是一个数字。"},
        {"no text at all", Replaced(aux, "\"p1\":\"10\"", "\"p1\":null"),
         "输入 p1 的值“null”不是一个数字。"},
        {"no temperature", Replaced(aux, "\"t_min\":\"20\"", "\"t_min\":\"cold\""),
         "温度 t_min 的值“cold”不是一个温度。"},
        {"a missing temperature", Replaced(aux, ",\"t_max\":\"20\"", ""),
         "计算书缺少 t_max 的值。"},
        {"the lowest above the highest", Replaced(aux, "\"t_min\":\"20\"", "\"t_min\":\"30\""),
         "最低工作温度不能高于最高工作温度。"},
        {"a temperature without a gas law",
         Replaced(pulseD, "\"conditions\":{}", "\"conditions\":{\"t_min\":\"20\"}"),
         "方法 pulse-d 没有条件“t_min”。"},
        {"no result", Replaced(aux, "\"result\":", "\"outcome\":"),
         "计算书的数据有误：result 缺少或不是应有的类型。"},
        {"no class", Replaced(aux, "\"class_mpa\":20.0", "\"class_mpa\":\"20\""),
         "计算书的数据有误：result.pick.class_mpa 缺少或不是应有的类型。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string reason;
        EXPECT_FALSE(sizing::ReadSheet(c.bytes, reason));
        EXPECT_EQ(reason.rfind(c.reason, 0), 0u) << reason;
    }
    // A number where a text is expected is read as its text; keys that a later version adds to
    // the result are passed over.
    std::string reason;
    const auto edited =
        sizing::ReadSheet(Replaced(Replaced(aux, "\"p1\":\"10\"", "\"p1\":9.5"),
                                   "\"corrected_l\":", "\"later\":[1],\"corrected_l\":"),
                          reason);
    ASSERT_TRUE(edited) << reason;
    EXPECT_EQ(edited->typed[3], "9.5");
    EXPECT_EQ(edited->values[3], 9.5);
}

} // namespace

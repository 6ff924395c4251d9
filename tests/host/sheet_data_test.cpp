// The sheet read back: its data block gives the typed inputs and conditions again, and what
// cannot be read gets its reason.
#include "sizing/sheet.h"
#include "sizing/sheet_data.h"
#include "sizing/temperatures.h"
#include "sizing/units.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

sizing::SheetStamp Day(int day) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = day;
    return {"Presovol", t};
}

// The sheet of method over texts typed as in a calculator, with the temperatures and the
// discharge typed.
std::string Saved(const char* name, const std::vector<std::string>& typed,
                  const std::vector<std::string>& temperatures = {},
                  const std::vector<std::string>& discharge = {}) {
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
    for (std::size_t i = 0; i < discharge.size(); ++i) {
        EXPECT_TRUE(sizing::ReadTypedQuantity(discharge[i], sizing::kDischargeInputs[i],
                                              sizing::DischargeAt(conditions, i)));
        conditions.typedDischarge[i] = discharge[i];
    }
    return sizing::SheetHtml(sizing::Calculate(method, values, typed.data(), conditions), Day(7));
}

// page without the line that says when it was saved.
std::string Unstamped(std::string page) {
    const std::size_t at = page.find("<p class=\"stamp\">");
    return at == std::string::npos ? page : page.erase(at, page.find('\n', at) - at);
}

// Saving, opening and saving again gives the same sheet but for its date.
TEST(SheetData, EveryMethodsSheetOpensToTheSameSheet) {
    const std::string sheets[] = {
        Saved("aux", {"１０ L", "1.4", "90 bar", "10", "20"}, {"20", "-10 ℃", "323.15 K"}),
        Saved("aux", {"10", "1.4", "9", "10", "20"}, {"20", "-10", "20"}, {"1 min", "90 s"}),
        Saved("shock-a", {"900 kg/m3", "100cm2", "200", "4", "90bar", "12"}, {"15", "0", "40"}),
        Saved("shock-b", {"100", "10", "14", "50", "0.5"}),
        Saved("shock-c", {"5 L/s", "150", "2cm", "10 MPa", "140", "80", "0", "0.9"},
              {"20", "-20", "60 °C"}),
        Saved("pulse-a", {"0.001", "50mm", "0.6", "100 bar", "120 bar", "80 bar"}),
        Saved("pulse-b", {"0.1", "10", "12", "0.6"}, {"68 °F", "-5", "45"}),
        Saved("pulse-c", {"100 mL", "10", "12"}),
        Saved("pulse-d", {"1 L/r", "0.05", "10", "0.5"}),
    };
    for (const std::string& saved : sheets) {
        std::string reason;
        const std::optional<sizing::SavedSheet> sheet = sizing::ReadSheet(saved, reason);
        ASSERT_TRUE(sheet) << reason;
        SCOPED_TRACE(sheet->method->name);
        const std::string again = sizing::SheetHtml(
            sizing::Calculate(*sheet->method, sheet->values, sheet->typed, sheet->conditions),
            Day(8));
        EXPECT_NE(again, saved);
        EXPECT_EQ(Unstamped(again), Unstamped(saved));
    }
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The Windows tests open a sheet cut short, one with "abc" as p1, a web page and a 9 MiB file.
TEST(SheetData, WhatCannotBeReadGetsItsReason) {
    const std::string aux = Saved("aux", {"10", "1.4", "9", "10", "20"});
    const std::string pulseD = Saved("pulse-d", {"1", "0.05", "10", "0.5"});
    const auto edited = [&](const std::string& from, const std::string& to) {
        return Replaced(aux, from, to);
    };
    const struct {
        std::string bytes;
        const char* reason; // the whole reason, or its start
    } cases[] = {
        {aux.substr(0, aux.find("<script") + 100), "计算书的数据没有结尾：文件不完整。"},
        {edited("\"inputs\":{", "\"inputs\":{{"), "计算书的数据已损坏：第 "},
        {edited("\"version\":1", "\"version\":2"),
         "计算书由较新的程序保存（数据格式第 2 版），这个版本只读得了第 1 版。"},
        {edited("\"method\":\"aux\"", "\"method\":\"aux-2\""),
         "计算书的计算方法“aux-2”未知；可用的有：aux shock-a shock-b shock-c pulse-a pulse-b "
         "pulse-c pulse-d。"},
        {edited("\"p1\":", "\"P1\":"), "方法 aux 没有输入“P1”。"},
        {edited(",\"p2\":\"20\"", ""), "计算书缺少 p2 的值。"},
        {edited("\"p1\":\"10\"", "\"p1\":\"" + std::string(50, 'x') + "\""),
         "输入 p1 的值“xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…”不是一个数字。"},
        {edited("\"t_min\":\"20\"", "\"t_min\":\"cold\""), "温度 t_min 的值“cold”不是一个温度。"},
        {edited("\"t_min\":\"20\"", "\"t_min\":\"30\""), "最低工作温度不能高于最高工作温度。"},
        {Replaced(pulseD, "\"conditions\":{}", "\"conditions\":{\"t_min\":\"20\"}"),
         "方法 pulse-d 没有条件“t_min”。"},
        {edited("\"t_max\":\"20\"", "\"t_max\":\"20\",\"t_discharge\":\"10 L\""),
         "条件 t_discharge 的值“10 L”不是一个时间。"},
        {edited("\"t_max\":\"20\"", "\"t_max\":\"20\",\"tau\":\"0 min\""), "热时间常数须大于 0。"},
        {edited("\"class_mpa\":20.0", "\"class_mpa\":\"20\""),
         "计算书的数据有误：result.pick.class_mpa 缺少或不是应有的类型。"},
    };
    for (const auto& c : cases) {
        std::string reason;
        EXPECT_FALSE(sizing::ReadSheet(c.bytes, reason)) << c.reason;
        EXPECT_EQ(reason.rfind(c.reason, 0), 0u) << reason;
    }
    // A number typed into the data is its text; what a later version adds to the result is
    // passed over.
    std::string reason;
    const auto sheet = sizing::ReadSheet(
        Replaced(edited("\"p1\":\"10\"", "\"p1\":9.5"), "\"pick\":", "\"later\":[1],\"pick\":"),
        reason);
    ASSERT_TRUE(sheet) << reason;
    EXPECT_EQ(sheet->typed[3], "9.5");
}

} // namespace

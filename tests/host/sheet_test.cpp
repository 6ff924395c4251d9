#include "sizing/sheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

using sizing::Calculation;
using sizing::FindMethod;
using sizing::GasProcess;

// Whether html is well-formed in the manner of XML: every element closed in order, attribute
// values quoted, every & an entity, no < in text. why tells the first fault.
bool WellFormed(const std::string& html, std::string& why) {
    std::vector<std::string> open;
    for (std::size_t i = 0; i < html.size();) {
        if (html[i] == '&') {
            const std::size_t end = html.find_first_not_of(
                "#abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", i + 1);
            if (end == std::string::npos || html[end] != ';' || end == i + 1) {
                why = "a bare & at " + std::to_string(i);
                return false;
            }
            i = end + 1;
            continue;
        }
        if (html[i] != '<') {
            ++i;
            continue;
        }
        const std::size_t end = html.find('>', i);
        if (end == std::string::npos) {
            why = "an unclosed tag at " + std::to_string(i);
            return false;
        }
        std::string tag = html.substr(i + 1, end - i - 1);
        i = end + 1;
        if (tag.rfind("!DOCTYPE", 0) == 0) {
            continue;
        }
        if (tag[0] == '/') {
            if (open.empty() || open.back() != tag.substr(1)) {
                why = "</" + tag.substr(1) + "> closes " + (open.empty() ? "nothing" : open.back());
                return false;
            }
            open.pop_back();
            continue;
        }
        const bool empty = tag.back() == '/';
        const std::string name = tag.substr(0, tag.find_first_of(" /"));
        // Attributes: name="value", with no < or " inside the value.
        std::size_t quotes = 0;
        for (char c : tag) {
            quotes += c == '"';
            if (c == '<') {
                why = "< inside <" + name + ">";
                return false;
            }
        }
        if (quotes % 2 != 0) {
            why = "unbalanced quotes in <" + name + ">";
            return false;
        }
        if (!empty) {
            open.push_back(name);
        }
    }
    why = open.empty() ? "" : "<" + open.back() + "> left open";
    return open.empty();
}

// The (p, V) points of the polyline of class name.
std::vector<std::pair<double, double>> Curve(const std::string& html, const std::string& name) {
    std::vector<std::pair<double, double>> points;
    const std::size_t at = html.find("<polyline class=\"" + name + "\"");
    if (at == std::string::npos) {
        return points;
    }
    const std::size_t start = html.find("points=\"", at) + 8;
    const std::string list = html.substr(start, html.find('"', start) - start);
    for (std::size_t i = 0; i < list.size();) {
        std::size_t used = 0;
        const double p = std::stod(list.substr(i), &used);
        i += used + 1; // the comma
        const double v = std::stod(list.substr(i), &used);
        i += used + 1; // the blank
        points.emplace_back(p, v);
    }
    return points;
}

Calculation Worked(const char* method, std::vector<double> values,
                   std::vector<std::string> typed = {}) {
    typed.resize(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", values[i]);
        typed[i] = typed[i].empty() ? text : typed[i];
    }
    return sizing::Calculate(*FindMethod(method), values.data(), typed.data());
}

std::tm Day() {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 7;
    t.tm_hour = 9;
    t.tm_min = 5;
    return t;
}

const sizing::SheetStamp kStamp{"Presovol", Day()};

TEST(Sheet, EveryMethodWritesAWellFormedSelfContainedPage) {
    const struct {
        Calculation c;
        const char* shown;
        bool diagram;
    } cases[] = {
        {Worked("aux", {10, 1.4, 9, 10, 20}), "27.61", true},
        {Worked("shock-a", {0.9, 0.01, 200, 4, 9, 12}), "7.46", true},
        {Worked("shock-b", {100, 10, 14, 50, 0}), "1.15", false},
        {Worked("shock-c", {300, 150, 20, 100, 140, 80, 0, 0.9}), "4.10", true},
        {Worked("pulse-a", {0.001, 0.05, 0.6, 10e6, 12e6, 8e6}), "0.29", true},
        {Worked("pulse-b", {0.1, 10, 12, 0.6}), "1.07", true},
        {Worked("pulse-c", {0.1, 10, 12}), "0.82", true},
        {Worked("pulse-d", {1, 0.05, 10, 0.5}), "1.67", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.c.method->name);
        const std::string html = sizing::SheetHtml(c.c, kStamp);
        std::string why;
        EXPECT_TRUE(WellFormed(html, why)) << why;
        EXPECT_EQ(
            html.rfind("<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\"/>",
                       0),
            0u);
        for (const char* outside : {"src=", "href=", "url(", "@import", "<link"}) {
            EXPECT_EQ(html.find(outside), std::string::npos) << outside;
        }
        // The one script element holds the calculation's data, which no browser runs.
        const std::size_t script = html.find("<script");
        EXPECT_EQ(script,
                  html.find("<script type=\"application/json\" id=\"presovol-calculation\">"));
        EXPECT_EQ(html.find("<script", script + 1), std::string::npos);
        EXPECT_NE(html.find("@page{size:A4"), std::string::npos);
        EXPECT_NE(html.find("Presovol 1.0.0.1　2026-12-07 09:05"), std::string::npos);
        EXPECT_NE(
            html.find(std::string("根据您的参数计算出蓄能器所需容积为：") + c.shown + " 升。"),
            std::string::npos);
        EXPECT_EQ(html.find("<svg") != std::string::npos, c.diagram);
        EXPECT_EQ(Curve(html, "ideal").size() > 40, c.diagram);
        EXPECT_NE(sizing::SheetText(c.c, kStamp).find(c.shown), std::string::npos);
    }
}

TEST(Sheet, HoldsTheInputsAsTypedAndInTheirUnitsTheFormulaAndTheNotes) {
    const Calculation c = Worked("aux", {10, 1.4, 9, 10, 20}, {"10 L", "", "90 bar"});
    const std::string html = sizing::SheetHtml(c, kStamp);
    EXPECT_NE(html.find("<tr><td>p0</td><td>（充气压力，"), std::string::npos);
    EXPECT_NE(html.find("<td class=\"n\">90 bar</td><td class=\"n\">9</td><td>MPa</td>"),
              std::string::npos);
    EXPECT_NE(html.find("<td class=\"n\">1.4</td><td class=\"n\">1.4</td><td></td>"),
              std::string::npos);
    EXPECT_NE(html.find("V = deltaV / (p0^(1/n) × ((1/p1)^(1/n) - (1/p2)^(1/n)))"),
              std::string::npos);
    EXPECT_NE(html.find("V = 10 / (9^(1/1.4) × ((1/10)^(1/1.4) - (1/20)^(1/1.4)))"),
              std::string::npos);
    EXPECT_NE(html.find("<li>选型（按实际气体 31.79 升）：公称容积 32 L，公称压力 20 MPa</li>"),
              std::string::npos);
    EXPECT_NE(html.find("<li>氮气实际气体修正（20 °C，绝热）：×1.15，约 31.79 升</li>"),
              std::string::npos);

    const std::string text = sizing::SheetText(c, kStamp);
    for (const char* line : {"蓄能器计算书\nPresovol 1.0.0.1　2026-12-07 09:05\n",
                             "  p0：90 bar（9 MPa）\n", "  指数n：1.4（1.4）\n",
                             "      V = 10 / (9^(1/1.4) × ((1/10)^(1/1.4) - (1/20)^(1/1.4)))\n",
                             "根据您的参数计算出蓄能器所需容积为：27.61 升。\n",
                             "  氮气实际气体修正（20 °C，绝热）：×1.15，约 31.79 升\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    }
    // Negative numbers stand in brackets where a power follows.
    const Calculation shock = Worked("shock-a", {0.9, 0.01, 200, -4, 9, 12});
    EXPECT_NE(sizing::SheetHtml(shock, kStamp).find("× (-4)^2 /"), std::string::npos);
    // What was typed is text, whatever it holds.
    Calculation odd = c;
    odd.typed[0] = "<b>&\"";
    const std::string escaped = sizing::SheetHtml(odd, kStamp);
    std::string why;
    EXPECT_TRUE(WellFormed(escaped, why)) << why;
    EXPECT_NE(escaped.find("&lt;b&gt;&amp;&quot;"), std::string::npos);
}

TEST(Sheet, HoldsTheTemperaturesAndTheirLines) {
    const sizing::Method& aux = *FindMethod("aux");
    const double values[] = {10, 1.4, 9, 10, 20};
    const std::string typed[] = {"10", "1.4", "9", "10", "20"};
    const Calculation c =
        sizing::Calculate(aux, values, typed, {{20, -10, 50}, {"", "263.15 K", "50 °C"}});
    const std::string html = sizing::SheetHtml(c, kStamp);
    for (const char* part :
         {"<td>充气温度</td><td>充氮气时的气体温度</td><td class=\"n\">20</td><td "
          "class=\"n\">20</td><td>°C</td>",
          "<td class=\"n\">263.15 K</td><td class=\"n\">-10</td><td>°C</td>",
          "<td class=\"n\">50 °C</td><td class=\"n\">50</td>",
          "<li>工作温度 -10～50 °C：按 -10 °C 计，充气压力降至 7.02 MPa，容积 ×1.19</li>",
          "<li>充气：在 20 °C 时充至 8.01 MPa（50 °C 时为 9 MPa）</li>"}) {
        EXPECT_NE(html.find(part), std::string::npos) << part;
    }
    EXPECT_NE(sizing::SheetText(c, kStamp).find("  最低工作温度：263.15 K（-10 °C）\n"),
              std::string::npos);
    // The diagram starts at the precharge of the sizing temperature.
    EXPECT_EQ(Curve(html, "ideal").front().first, c.temperature.prechargeAtSizing + 0.101325);
    // No temperatures where the formula holds no gas law.
    EXPECT_EQ(sizing::SheetHtml(Worked("shock-b", {100, 10, 14, 50, 0.5}), kStamp).find("温度"),
              std::string::npos);
}

TEST(Sheet, DiagramHoldsTheIdealPolytropeAndTheRealGasOverTheWorkingBand) {
    // Aux at 10 and 20 MPa gauge, adiabatic: the gas at p0 = 9.101325 MPa absolute fills the
    // volume of the formula on absolute pressures.
    const Calculation c = Worked("aux", {10, 1.4, 9, 10, 20});
    const std::string html = sizing::SheetHtml(c, kStamp);
    const auto ideal = Curve(html, "ideal");
    const auto real = Curve(html, "real");
    ASSERT_EQ(ideal.size(), real.size());
    const double p0 = 9.101325, p1 = 10.101325, p2 = 20.101325;
    EXPECT_EQ(ideal.front().first, p0);
    EXPECT_EQ(ideal.back().first, p2);
    EXPECT_NEAR(ideal.front().second, 27.744106, 1e-6);
    // pV^1.4 holds along the ideal curve.
    for (const auto& [p, v] : ideal) {
        EXPECT_NEAR(p * std::pow(v, 1.4), p0 * std::pow(ideal.front().second, 1.4),
                    1e-9 * p0 * 1e2);
    }
    // The real gas needs the larger accumulator the notes name, and both deliver the same oil
    // between p1 and p2.
    EXPECT_NEAR(real.front().second, 31.79, 0.005);
    const auto at = [](const std::vector<std::pair<double, double>>& curve, double p) {
        for (const auto& point : curve) {
            if (point.first == p) {
                return point.second;
            }
        }
        ADD_FAILURE() << "no point at " << p;
        return 0.0;
    };
    const double idealDelivered = at(ideal, p1) - at(ideal, p2);
    EXPECT_NEAR(idealDelivered, 10, 1e-9); // the oil asked for
    EXPECT_NEAR(at(real, p1) - at(real, p2), idealDelivered, 1e-9 * idealDelivered);
    // With n 1.1 the real gas lies a quarter of the way from the isotherm to the isentrope.
    const Calculation mixed = Worked("aux", {10, 1.1, 9, 10, 20});
    const auto curve = Curve(sizing::SheetHtml(mixed, kStamp), "real");
    double iso = 0.0, adi = 0.0;
    sizing::RealGasVolumes(GasProcess::Isothermal, p0, 293.15, &p2, &iso, 1);
    sizing::RealGasVolumes(GasProcess::Adiabatic, p0, 293.15, &p2, &adi, 1);
    const double expected = mixed.gas.factor * mixed.ideal * (iso + 0.25 * (adi - iso));
    EXPECT_NEAR(at(curve, p2), expected, 1e-12 * expected);
    // The band runs from p1 to p2; a real-gas curve only where the correction applies.
    EXPECT_NE(html.find("<rect class=\"band\""), std::string::npos);
    const Calculation beyond = Worked("aux", {10, 2, 9, 10, 20});
    EXPECT_TRUE(Curve(sizing::SheetHtml(beyond, kStamp), "real").empty());
    EXPECT_FALSE(Curve(sizing::SheetHtml(beyond, kStamp), "ideal").empty());
}

TEST(Sheet, FileNameNamesTheMethodAndTheDay) {
    EXPECT_EQ(sizing::SheetFileName(*FindMethod("aux"), Day()),
              "蓄能器计算书-辅助动力源-2026-12-07.html");
    EXPECT_EQ(sizing::SheetFileName(*FindMethod("pulse-d"), Day()),
              "蓄能器计算书-消除脉动D-2026-12-07.html");
}

} // namespace

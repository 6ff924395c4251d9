#include "sizing/sheet.h"

#include "sizing/result_texts.h"
#include "base/number_text.h"
#include "sizing/nitrogen.h"
#include "sizing/real_gas.h"
#include "sizing/sheet_data.h"
#include "sizing/temperatures.h"
#include "sizing/thermal.h"
#include "base/utf8.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <vector>

#ifndef PRESOVOL_VERSION
#error "the build names the program's version"
#endif

namespace sizing {

namespace {

// The diagram: the drawing area in SVG units, and the number of steps of each curve.
constexpr double kWidth = 640.0;
constexpr double kHeight = 340.0;
constexpr double kLeft = 70.0;
constexpr double kRight = 20.0;
constexpr double kTop = 20.0;
constexpr double kBottom = 66.0;
constexpr int kSteps = 40;

const char* const kStyle =
    "@page{size:A4;margin:15mm}"
    "body{font-family:SimSun,\"Songti SC\",\"Noto Serif CJK SC\",serif;font-size:10.5pt;"
    "color:#000;background:#fff;max-width:180mm;margin:0 auto}"
    "h1{font-size:16pt;text-align:center;margin:0 0 4pt}"
    "h2{font-size:11pt;margin:12pt 0 4pt;border-bottom:1px solid #000}"
    "table{border-collapse:collapse;width:100%}"
    "th,td{border:1px solid #000;padding:2pt 4pt;text-align:left;vertical-align:top}"
    "th,td:first-child,td.n{white-space:nowrap}td.n{text-align:right}"
    ".stamp{text-align:center;margin:0}"
    ".formula{font-family:\"Courier New\",monospace;margin:2pt 0}"
    ".diagram{page-break-inside:avoid;break-inside:avoid}svg{width:100%;height:auto;max-height:"
    "80mm}"
    "svg text{font-size:12px}";

std::string Escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Utf8(const char* programText) {
    return base::ProgramTextToUtf8(programText);
}

std::string Printed(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Stamp(const SheetStamp& stamp) {
    char time[32];
    std::strftime(time, sizeof time, "%Y-%m-%d %H:%M", &stamp.time);
    return stamp.program + " " + PRESOVOL_VERSION + u8"　" + time;
}

// The formula with each "{name}" replaced by what substitute makes of the input.
template <typename Substitute> std::string Formula(const Method& method, Substitute substitute) {
    std::string formula = Utf8(method.formula);
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        const std::string placeholder = std::string("{") + method.inputs[i].name + "}";
        for (std::size_t at = formula.find(placeholder); at != std::string::npos;
             at = formula.find(placeholder, at)) {
            const std::string by = substitute(i);
            formula.replace(at, placeholder.size(), by);
            at += by.size();
        }
    }
    return formula;
}

std::string NumberInFormula(double value) {
    const std::string text = FormatNumberText(value);
    return value < 0.0 ? "(" + text + ")" : text;
}

std::string Unit(const Input& input) {
    return *input.unit != '\0' ? input.unit : "";
}

// One row of the inputs: an input of the method, or a temperature.
struct Row {
    std::string label, hint, typed, value, unit;
};

// The hints of the temperatures on the sheet.
const char* const kTemperatureHints[3] = {u8"充氮气时的气体温度", u8"工作中气体的最低温度",
                                          u8"工作中气体的最高温度；所输充气压力是这一温度下的值"};

// The inputs, then the temperatures and the discharge where the method takes them.
std::vector<Row> Rows(const Calculation& c) {
    const Method& method = *c.method;
    std::vector<Row> rows;
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        const Input& input = method.inputs[i];
        rows.push_back({Utf8(input.label), Utf8(input.hint), c.typed[i],
                        FormatNumberText(c.values[i]), Unit(input)});
    }
    if (HasGasLaw(method)) {
        Temperatures t = c.conditions.temperatures;
        for (std::size_t i = kFill; i <= kMax; ++i) {
            const std::string value = FormatNumberText(TemperatureAt(t, i));
            const std::string& typed = c.conditions.typedTemperatures[i];
            rows.push_back({Utf8(kTemperatureNames[i]), kTemperatureHints[i],
                            typed.empty() ? value : typed, value, u8"°C"});
        }
    }
    // The discharge where one was typed.
    if (method.roles.oil != kNoInput) {
        Conditions conditions = c.conditions;
        for (std::size_t i = kDischargeTime; i <= kThermalTau; ++i) {
            const Input& input = kDischargeInputs[i];
            const std::string& typed = c.conditions.typedDischarge[i];
            if (!typed.empty()) {
                rows.push_back({Utf8(input.label), Utf8(input.hint), typed,
                                FormatNumberText(DischargeAt(conditions, i)), Unit(input)});
            }
        }
    }
    return rows;
}

// Everything the sheet says, as lines of text: the heading, the stamp, the method, the inputs,
// the formula, the result and the notes.
struct Body {
    std::string title, stamp, method, symbolic, substituted, value, sentence;
};

Body BodyOf(const Calculation& c, const SheetStamp& stamp) {
    const Method& method = *c.method;
    Body body;
    body.title = u8"蓄能器计算书";
    body.stamp = Stamp(stamp);
    body.method = Utf8(method.title) + u8"——" + Utf8(method.caption);
    body.symbolic =
        Formula(method, [&](std::size_t i) { return std::string(method.inputs[i].name); });
    body.substituted = Formula(method, [&](std::size_t i) { return NumberInFormula(c.values[i]); });
    body.value = "V = " + FormatNumberText(c.volume) + " L";
    body.sentence = Utf8(FormatVolumeSentence(c.volume).c_str());
    return body;
}

// The diagram's scale: data (absolute MPa, litres) to SVG units.
struct DiagramScale {
    double pMin, pMax, vMax;
    double X(double p) const {
        return kLeft + (p - pMin) / (pMax - pMin) * (kWidth - kLeft - kRight);
    }
    double Y(double v) const { return kHeight - kBottom - v / vMax * (kHeight - kTop - kBottom); }
};

// A round step for about count ticks over range.
double TickStep(double range, int count) {
    const double raw = range / count;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0}) {
        if (m * decade >= raw) {
            return m * decade;
        }
    }
    return 10.0 * decade;
}

std::string Points(const std::vector<double>& p, const std::vector<double>& v) {
    std::string points;
    for (std::size_t i = 0; i < p.size(); ++i) {
        points += (i == 0 ? "" : " ") + FormatNumberText(p[i]) + "," + FormatNumberText(v[i]);
    }
    return points;
}

std::string Line(double x1, double y1, double x2, double y2, const char* extra = "") {
    return "<line x1=\"" + Printed("%.1f", x1) + "\" y1=\"" + Printed("%.1f", y1) + "\" x2=\"" +
           Printed("%.1f", x2) + "\" y2=\"" + Printed("%.1f", y2) + "\"" + extra + "/>";
}

std::string Label(double x, double y, const std::string& text, const char* anchor) {
    return "<text x=\"" + Printed("%.1f", x) + "\" y=\"" + Printed("%.1f", y) +
           "\" text-anchor=\"" + anchor + "\">" + Escaped(text) + "</text>";
}

// A curve of the diagram: the gas volume (litres) against the absolute pressure (MPa).
struct Curve {
    const char* name;   // its class
    const char* dashes; // its stroke's dashes; empty for a solid line
    const char* legend;
    std::vector<double> p, v;
};

// The pressures from pMin to pMax in even steps, and the gas law's pressures among them.
std::vector<double> Pressures(double pMin, double pMax, std::initializer_list<double> marks) {
    std::vector<double> p = marks;
    for (int i = 0; i <= kSteps; ++i) {
        p.push_back(pMin + (pMax - pMin) * i / kSteps);
    }
    std::sort(p.begin(), p.end());
    p.erase(std::unique(p.begin(), p.end()), p.end());
    return p;
}

bool AllFinite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// The formula's curves: the ideal polytrope and, where the correction applies, the real gas.
std::vector<Curve> FormulaCurves(const Calculation& c, const GasLaw& law, double pMin,
                                 double pMax) {
    const std::vector<double> p = Pressures(pMin, pMax, {law.p0, law.p1, law.p2});
    std::vector<double> ideal(p.size());
    for (std::size_t i = 0; i < p.size(); ++i) {
        ideal[i] = c.ideal * std::pow(law.p0 / p[i], law.w);
    }
    std::vector<Curve> curves = {{"ideal", "", u8"理想气体多变过程", p, ideal}};
    const GasCorrection& gas = c.gas;
    if (gas.process == GasProcess::None) {
        return curves;
    }
    const double t = c.temperature.sizing + kZeroCelsius;
    std::vector<double> real(p.size());
    std::vector<double> adiabatic(p.size());
    RealGasVolumes(gas.process == GasProcess::Isothermal ? GasProcess::Isothermal
                                                         : GasProcess::Adiabatic,
                   law.p0, t, p.data(), adiabatic.data(), p.size());
    if (gas.process == GasProcess::Interpolated) {
        // Between the isotherm and the isentrope as the factor is, linear in n.
        RealGasVolumes(GasProcess::Isothermal, law.p0, t, p.data(), real.data(), p.size());
        const double a = (gas.n - 1.0) / 0.4;
        for (std::size_t i = 0; i < p.size(); ++i) {
            real[i] += a * (adiabatic[i] - real[i]);
        }
    } else {
        real = adiabatic;
    }
    for (double& v : real) {
        v *= gas.factor * c.ideal;
    }
    if (AllFinite(real)) {
        curves.push_back({"real", "6 4", u8"氮气实际气体", p, real});
    }
    return curves;
}

// The thermal model's curves for the volume it picks at the sizing temperature: the isotherm
// through the precharge, the isentrope from the charged gas down to p1, and the discharge.
std::vector<Curve> ThermalCurves(const Calculation& c, const GasLaw& law, double pMin,
                                 double pMax) {
    const thermal::Standby& standby = c.thermal->standby;
    const double mass = standby.density0 * c.thermal->volume; // g, with V0 in litres
    const std::vector<double> p = Pressures(pMin, pMax, {law.p0, law.p1, law.p2});
    Curve isotherm{"isotherm", "2 3", u8"等温线", p, {}};
    Curve isentrope{"isentrope", "6 4", u8"等熵线", {}, {}};
    for (double at : p) {
        isotherm.v.push_back(mass / nitrogen::Density(standby.wall, at));
        if (at >= standby.p1) {
            isentrope.p.push_back(at);
            isentrope.v.push_back(mass /
                                  nitrogen::IsentropicEnd(standby.wall, standby.p2, at).density);
        }
    }
    Curve discharge{"discharge", "", u8"放油过程", {}, {}};
    for (const thermal::PathPoint& point :
         thermal::DischargePath(standby, c.thermal->volume, c.values[c.method->roles.oil],
                                c.thermal->discharge, kSteps)) {
        discharge.p.push_back(point.pressure);
        discharge.v.push_back(point.volume);
    }
    std::vector<Curve> curves;
    for (Curve* curve : {&isotherm, &isentrope, &discharge}) {
        if (!curve->v.empty() && AllFinite(curve->v)) {
            curves.push_back(std::move(*curve));
        }
    }
    return curves;
}

// The P–V diagram of a calculation whose method has a gas law: the gas volume against the
// absolute pressure, for the ideal polytrope and, where the correction applies, for the real
// gas, or with a discharge time the isotherm, the isentrope and the discharge of the thermal
// model, with the working band marked. Empty when there is nothing sound to draw.
std::string Diagram(const Calculation& c) {
    std::optional<GasLaw> law = GasLawOf(*c.method, c.atSizing);
    if (!law) {
        return std::string();
    }
    if (c.thermal) {
        // The precharge at the wall's temperature, of the gas's density.
        law->p0 = nitrogen::Pressure(c.thermal->standby.wall, c.thermal->standby.density0);
    }
    const double pMin = std::min({law->p0, law->p1, law->p2});
    const double pMax = std::max({law->p0, law->p1, law->p2});
    if (!(std::isfinite(law->w) && law->w > 0.0 && pMin > 0.0 && std::isfinite(pMax) &&
          pMax > pMin)) {
        return std::string();
    }
    const std::vector<Curve> curves =
        c.thermal ? ThermalCurves(c, *law, pMin, pMax) : FormulaCurves(c, *law, pMin, pMax);
    double vMax = 0.0;
    for (const Curve& curve : curves) {
        vMax = std::max(vMax, *std::max_element(curve.v.begin(), curve.v.end()));
    }
    if (!(std::isfinite(vMax) && vMax > 0.0)) {
        return std::string();
    }
    const DiagramScale s{pMin, pMax, vMax * 1.1};
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " +
                      Printed("%g", kWidth) + " " + Printed("%g", kHeight) +
                      "\" role=\"img\" aria-label=\"P-V\">";
    // The working band, p1 to p2.
    svg += "<rect class=\"band\" x=\"" + Printed("%.1f", s.X(std::min(law->p1, law->p2))) +
           "\" y=\"" + Printed("%.1f", kTop) + "\" width=\"" +
           Printed("%.1f", std::fabs(s.X(law->p2) - s.X(law->p1))) + "\" height=\"" +
           Printed("%.1f", kHeight - kTop - kBottom) + "\" fill=\"#d9d9d9\"/>";
    // Axes, ticks and their numbers.
    svg += "<g stroke=\"#000\" stroke-width=\"1\">" +
           Line(kLeft, kHeight - kBottom, kWidth - kRight, kHeight - kBottom) +
           Line(kLeft, kTop, kLeft, kHeight - kBottom) + "</g>";
    const double pStep = TickStep(pMax - pMin, 6);
    for (double tick = std::ceil(pMin / pStep) * pStep; tick <= pMax + pStep * 1e-9;
         tick += pStep) {
        svg += Line(s.X(tick), kHeight - kBottom, s.X(tick), kHeight - kBottom + 5,
                    " stroke=\"#000\"") +
               Label(s.X(tick), kHeight - kBottom + 18, Printed("%g", tick), "middle");
    }
    const double vStep = TickStep(s.vMax, 5);
    for (double tick = 0.0; tick <= s.vMax; tick += vStep) {
        svg += Line(kLeft - 5, s.Y(tick), kLeft, s.Y(tick), " stroke=\"#000\"") +
               Label(kLeft - 8, s.Y(tick) + 4, Printed("%g", tick), "end");
    }
    svg += Label((kLeft + kWidth - kRight) / 2, kHeight - kBottom + 36, u8"绝对压力 p / MPa",
                 "middle");
    const double middle = (kTop + kHeight - kBottom) / 2;
    svg += "<text x=\"16\" y=\"" + Printed("%.1f", middle) +
           "\" text-anchor=\"middle\" transform=\"rotate(-90 16 " + Printed("%.1f", middle) +
           ")\">" + u8"气体容积 V / L" + "</text>";
    // The pressures of the gas law, named p0, p1 and p2 whatever their inputs' names, and the
    // curves in data units.
    const double marks[] = {law->p0, law->p1, law->p2};
    for (int i = 0; i < 3; ++i) {
        // A mark in the right half is named on its left.
        const bool left = s.X(marks[i]) > (kLeft + kWidth - kRight) / 2;
        svg += Line(s.X(marks[i]), kTop, s.X(marks[i]), kHeight - kBottom,
                    " stroke=\"#000\" stroke-dasharray=\"2 3\"") +
               Label(s.X(marks[i]) + (left ? -3 : 3), kTop + 12 + 13 * i, "p" + std::to_string(i),
                     left ? "end" : "start");
    }
    svg += "<g transform=\"matrix(" + FormatNumberText((kWidth - kLeft - kRight) / (pMax - pMin)) +
           " 0 0 " + FormatNumberText(-(kHeight - kTop - kBottom) / s.vMax) + " " +
           FormatNumberText(s.X(0.0)) + " " + FormatNumberText(kHeight - kBottom) +
           ")\" fill=\"none\" stroke=\"#000\">";
    for (const Curve& curve : curves) {
        svg += std::string("<polyline class=\"") + curve.name +
               "\" vector-effect=\"non-scaling-stroke\" stroke-width=\"1.5\" " +
               (*curve.dashes != '\0' ? std::string("stroke-dasharray=\"") + curve.dashes + "\" "
                                      : std::string()) +
               "points=\"" + Points(curve.p, curve.v) + "\"/>";
    }
    svg += "</g>";
    // The legend, in one row under the axis.
    const double ly = kHeight - 8;
    // Two curves in columns of 190, three of 120.
    const double column = curves.size() > 2 ? 120.0 : 190.0;
    for (std::size_t i = 0; i < curves.size(); ++i) {
        const double x = kLeft + column * i;
        const std::string dashes = *curves[i].dashes != '\0' ? std::string(" stroke-dasharray=\"") +
                                                                   curves[i].dashes + "\""
                                                             : std::string();
        svg += Line(x, ly - 4, x + 30, ly - 4,
                    (" stroke=\"#000\" stroke-width=\"1.5\"" + dashes).c_str()) +
               Label(x + 36, ly, curves[i].legend, "start");
    }
    svg += "<rect x=\"" + Printed("%.1f", kLeft + 360) + "\" y=\"" + Printed("%.1f", ly - 9) +
           "\" width=\"30\" height=\"10\" fill=\"#d9d9d9\"/>" +
           Label(kLeft + 396, ly, u8"工作区间 p1–p2", "start");
    return svg + "</svg>";
}

} // namespace

std::string SheetHtml(const Calculation& c, const SheetStamp& stamp) {
    const Method& method = *c.method;
    const Body body = BodyOf(c, stamp);
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\"/>\n";
    html += "<title>" + Escaped(body.title + u8" – " + Utf8(method.title)) + "</title>\n";
    html += "<style>" + std::string(kStyle) + "</style>\n</head>\n<body>\n";
    html += "<h1>" + Escaped(body.title) + "</h1>\n";
    html += "<p class=\"stamp\">" + Escaped(body.stamp) + "</p>\n";
    html += u8"<h2>计算方法</h2>\n<p>" + Escaped(body.method) + "</p>\n";
    html += u8"<h2>输入</h2>\n<table>\n<tr><th>符号</th><th>说明</th><th>输入值</th>"
            u8"<th>按单位计</th><th>单位</th></tr>\n";
    for (const Row& row : Rows(c)) {
        html += "<tr><td>" + Escaped(row.label) + "</td><td>" + Escaped(row.hint) +
                "</td><td class=\"n\">" + Escaped(row.typed) + "</td><td class=\"n\">" + row.value +
                "</td><td>" + Escaped(row.unit) + "</td></tr>\n";
    }
    html += "</table>\n";
    html += u8"<h2>公式</h2>\n<p class=\"formula\">" + Escaped(body.symbolic) +
            "</p>\n<p class=\"formula\">" + Escaped(body.substituted) +
            "</p>\n<p class=\"formula\">" + Escaped(body.value) + "</p>\n";
    html += u8"<h2>结果</h2>\n<p>" + Escaped(body.sentence) + "</p>\n";
    html += u8"<h2>选型与校核</h2>\n<ul>\n";
    for (const Note& note : c.notes) {
        html += "<li>" + Escaped(note.text) + "</li>\n";
    }
    html += "</ul>\n";
    const std::string diagram = Diagram(c);
    if (!diagram.empty()) {
        html += u8"<div class=\"diagram\">\n<h2>P–V 图</h2>\n" + diagram + "\n</div>\n";
    }
    // What the sheet is read back from; no browser runs it.
    html += SheetData(c, stamp.program + " " + PRESOVOL_VERSION) + "\n";
    return html + "</body>\n</html>\n";
}

std::string SheetText(const Calculation& c, const SheetStamp& stamp) {
    const Body body = BodyOf(c, stamp);
    std::string text = body.title + "\n" + body.stamp + "\n\n" + u8"计算方法：" + body.method +
                       "\n\n" + u8"输入：\n";
    for (const Row& row : Rows(c)) {
        text += "  " + row.label + u8"：" + row.typed + u8"（" + row.value +
                (row.unit.empty() ? "" : " " + row.unit) + u8"）\n";
    }
    text += u8"\n公式：" + body.symbolic + "\n      " + body.substituted + "\n      " + body.value +
            "\n\n" + body.sentence + "\n\n" + u8"选型与校核：\n";
    for (const Note& note : c.notes) {
        text += "  " + note.text + "\n";
    }
    return text;
}

std::string SheetFileName(const Method& method, const std::tm& date) {
    char day[16];
    std::strftime(day, sizeof day, "%Y-%m-%d", &date);
    return u8"蓄能器计算书-" + Utf8(method.title) + "-" + day + ".html";
}

} // namespace sizing

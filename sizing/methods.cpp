#include "sizing/methods.h"

#include "sizing/formulas.h"

namespace sizing {

namespace {

// The exponent that the pulsation dialogs hold fixed: a release in less than three minutes.
constexpr double kPulseExponent = 1.4;
// The exponent 1/1.4 as shock C writes it.
constexpr double kShockCExponent = 0.7143;

const char* const kShockCaption = "吸收管道突然关闭等造成的液压冲击、水锤";
const char* const kNonPlungerCaption = "吸收非柱塞泵造成的脉动，消减噪音和振动";
const char* const kTypeCoefficientHint =
    "（泵类型系数，单柱塞单作用 0.60，单柱塞双作用 0.25，双柱塞单作用 0.25，双柱塞双作用 "
    "0.15，三柱塞单作用 0.13，三柱塞双作用 0.06）";
const char* const kLowestMpaHint = "工作循环中最低工作压力，Mpa";
const char* const kHighestMpaHint = "工作循环中最高工作压力，Mpa";

} // namespace

const Method kMethods[kMethodCount] = {
    {MethodId::Aux,
     "aux",
     "辅助动力源",
     "作辅助动力源、应急动力源、流量补充、保压等",
     5,
     {{"deltaV", "L", Quantity::Volume, "△V", "（所需蓄能器输出油液的体积，L升 ）", 0.0},
      {"n", "", Quantity::Exponent, "指数n", "（释压时间大于3分钟时，n＝1；小于3分钟 n＝1.4）",
       1.0},
      {"p0", "MPa", Quantity::Pressure, "p0",
       "（充气压力，折合形气囊0.8~0.85*P1；波纹形气囊0.6~0.65*P1；活塞式蓄能器0.80~0.90*P1）", 0.0},
      {"p1", "MPa", Quantity::Pressure, "p1", "（工作循环中最低工作压力，Mpa）", 0.0},
      {"p2", "MPa", Quantity::Pressure, "p2", "（工作循环中最高工作压力，Mpa）", 0.0}},
     "V = {deltaV} / ({p0}^(1/{n}) × ((1/{p1})^(1/{n}) - (1/{p2})^(1/{n})))",
     [](const double* v) { return AuxPowerVolume(v[0], v[1], v[2], v[3], v[4]); },
     Roles()
         .Highest(4)
         .Lowest(3)
         .Precharge(2)
         .Performance(0, true)
         .Oil(0)
         .Exceeds(4, 3)
         .GasLaw(2, 3, 4)
         .Exponent(1)},
    {MethodId::ShockA,
     "shock-a",
     "吸收冲击A",
     kShockCaption,
     6,
     {{"rho", "kg/L", Quantity::Density, "ρ", "（油液的密度比重，Kg/升）", 0.0},
      {"A", "m2", Quantity::Area, "A", "（管道截面积，m2）", 0.0},
      {"l", "m", Quantity::Length, "l", "（管道的长度，m）", 0.0},
      {"v", "m/s", Quantity::Velocity, "v", "（管道中油液的流速，m/s）", 0.0},
      {"P0", "MPa", Quantity::Pressure, "P0", "（充气压力，系统平均压力的0.9倍，Mpa）", 0.0},
      {"P2", "MPa", Quantity::Pressure, "P2", "（所能承受的最高冲击压力，Mpa）", 0.0}},
     "V = 0.2 × {l} × {A} × {rho} × {v}^2 / {P0} / (({P2}/{P0})^0.286 - 1)",
     [](const double* v) { return ShockAVolume(v[0], v[1], v[2], v[3], v[4], v[5]); },
     Roles().Highest(5).Precharge(4).Performance(5).Exceeds(5, 4).GasLaw(4, 4, 5)},
    {MethodId::ShockB,
     "shock-b",
     "吸收冲击B",
     kShockCaption,
     5,
     {{"Q", "L/min", Quantity::Flow, "Q", "阀口关闭前管内流量，L/min", 0.0},
      {"P1", "MPa", Quantity::Pressure, "P1", "阀口关闭前管内平均压力，Mpa", 0.0},
      {"P2", "MPa", Quantity::Pressure, "P2", "允许的最大冲击力，Mpa", 0.0},
      {"L", "m", Quantity::Length, "L", "油源到阀口的管道长度，m", 0.0},
      {"t", "", Quantity::Time, "t", "阀口关闭的时间，突然关闭时取t=0", 0.0}},
     "V = ({L} × 0.0164 - {t}) × {Q} × {P2} × 0.004 / ({P2} - {P1})",
     [](const double* v) { return ShockBVolume(v[0], v[1], v[2], v[3], v[4]); },
     Roles().Highest(2).Lowest(1).Performance(2).Exceeds(2, 1)},
    {MethodId::ShockC,
     "shock-c",
     "吸收冲击C",
     kShockCaption,
     8,
     {{"Q", "L/min", Quantity::Flow, "Q", "阀口关闭前管内流量，L/min", 0.0},
      {"L", "m", Quantity::Length, "L", "管路的总长度，m", 0.0},
      {"d", "mm", Quantity::Length, "d", "管路的内径（直径），mm", 0.0},
      {"P1", "bar", Quantity::Pressure, "P1", "管内通常平均压力，Bar", 0.0},
      {"P2", "bar", Quantity::Pressure, "P2", "管路允许的最大冲击力，Bar", 0.0},
      {"P0", "bar", Quantity::Pressure, "P0",
       "充气压力Bar，管路平均压力的0.6~0.9倍，附加气瓶时0.95~0.97倍", 0.0},
      {"t", "", Quantity::Time, "t", "流体减速/阀口关闭时间，突然关闭t=0", 0.0},
      {"rho", "kg/L", Quantity::Density, "ρ", "油液的密度比重，Kg /升", 0.0}},
     "V = (2 × {rho} × {L} × ({Q} × 1000 / ({d}^2 × 0.785 × 3.6)) / (({P2} - {P1}) × 100000) - "
     "{t}) × {Q} / 7.2 / (({P0}/{P1})^0.7143 - ({P0}/{P2})^0.7143)",
     [](const double* v) { return ShockCVolume(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]); },
     Roles()
         .Highest(4)
         .Lowest(3)
         .Precharge(5)
         .Performance(4)
         .Exceeds(4, 3)
         .GasLaw(5, 3, 4)
         .FixedExponent(1.4, kShockCExponent)
         .PressuresPerMpa(10.0)},
    {MethodId::PulseA,
     "pulse-a",
     "消除脉动A",
     "蓄能器用作吸收液压泵压力脉动",
     6,
     {{"A", "m2", Quantity::Area, "A", "（柱塞的有效面积，m2）", 0.0},
      {"L", "m", Quantity::Length, "L", "（柱塞行程，m ）", 0.0},
      {"k", "", Quantity::Coefficient, "k", kTypeCoefficientHint, 0.0},
      {"P1", "Pa", Quantity::Pressure, "P1", "（工作循环中最低工作压力，Pa）", 0.0},
      {"P2", "Pa", Quantity::Pressure, "P2", "（工作循环中最高工作压力，Pa）", 0.0},
      {"P0", "Pa", Quantity::Pressure, "P0", "（充气压力，泵出口平均压力的0.6~0.75倍，或0.8 *P1）",
       0.0}},
     "V = ({P1}/{P0})^(1/1.4) × {k} × {L} × {A} × 1000 / (1 - ({P1}/{P2})^(1/1.4))",
     [](const double* v) {
         return PulseAVolume(kPulseExponent, v[0], v[1], v[2], v[3], v[4], v[5]);
     },
     Roles()
         .Highest(4)
         .Lowest(3)
         .Precharge(5)
         .Performance(4)
         .Exceeds(4, 3)
         .Coefficient(2)
         .GasLaw(5, 3, 4)
         .PressuresPerMpa(1e6)},
    {MethodId::PulseB,
     "pulse-b",
     "消除脉动B",
     "吸收柱塞泵造成的脉动，消减噪音和振动",
     4,
     {{"Vp", "L", Quantity::Volume, "Vp", "柱塞泵的单缸排量，L", 0.0},
      {"P1", "MPa", Quantity::Pressure, "P1", kLowestMpaHint, 0.0},
      {"P2", "MPa", Quantity::Pressure, "P2", kHighestMpaHint, 0.0},
      {"k", "", Quantity::Coefficient, "k", kTypeCoefficientHint, 0.0}},
     "V = ((({P1} + {P2})/2)/{P1})^(1/1.4) × {k} × {Vp} / (1 - ((({P1} + {P2})/2)/{P2})^(1/1.4))",
     [](const double* v) { return PulseBVolume(kPulseExponent, v[0], v[1], v[2], v[3]); },
     // The precharge stands at P1, and the gas works at the mean of P1 and P2 and at P2.
     Roles()
         .Highest(2)
         .Lowest(1)
         .Performance(2)
         .Exceeds(2, 1)
         .Coefficient(3)
         .Displacement(0)
         .GasLaw(1, 1, 2, 2)},
    {MethodId::PulseC,
     "pulse-c",
     "消除脉动C",
     kNonPlungerCaption,
     3,
     {{"deltaV", "L", Quantity::Volume, "△V", "每个循环波幅超过平均值的过剩排出量，L", 0.0},
      {"P1", "MPa", Quantity::Pressure, "P1", kLowestMpaHint, 0.0},
      {"P2", "MPa", Quantity::Pressure, "P2", kHighestMpaHint, 0.0}},
     "V = {deltaV} / (1 - ({P1}/{P2})^(1/1.4))",
     [](const double* v) { return PulseCVolume(kPulseExponent, v[0], v[1], v[2]); },
     Roles().Highest(2).Lowest(1).Performance(2).Exceeds(2, 1).GasLaw(1, 1, 2)},
    {MethodId::PulseD,
     "pulse-d",
     "消除脉动D",
     kNonPlungerCaption,
     4,
     {{"Vp", "L/r", Quantity::Volume, "Vp", "液压泵的排量，L/r", 0.0},
      {"deltaV", "L", Quantity::Volume, "△V", "排量内波幅超过平均值的过剩排出量，L", 0.0},
      {"Pp", "MPa", Quantity::Pressure, "Pp", "泵输出的平均压力，Mpa", 0.0},
      {"deltaP", "MPa", Quantity::Pressure, "△P", "压力脉动单侧振幅，Mpa", 0.0}},
     "V = {Vp} × ({deltaV}/{Vp}) / ({deltaP}/{Pp} × 0.6)",
     [](const double* v) { return PulseDVolume(v[0], v[1], v[2], v[3]); },
     // The highest pressure is the mean pump pressure plus the ripple.
     Roles().Highest(2, 3).Performance(3).Displacement(0, 1)},
};

const Method& MethodOf(MethodId id) {
    return kMethods[static_cast<std::size_t>(id)];
}

const Method* FindMethod(std::string_view name) {
    for (const Method& method : kMethods) {
        if (name == method.name) {
            return &method;
        }
    }
    return nullptr;
}

std::size_t InputIndex(const Method& method, std::string_view name) {
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        if (name == method.inputs[i].name) {
            return i;
        }
    }
    return method.inputCount;
}

bool IsPulsation(MethodId id) {
    return id == MethodId::PulseA || id == MethodId::PulseB || id == MethodId::PulseC ||
           id == MethodId::PulseD;
}

bool HasGasLaw(const Method& method) {
    return method.roles.gas.p0 != kNoInput;
}

bool InDomain(const Method& method, const double* values, std::size_t except) {
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        if (i != except && method.inputs[i].kind == Quantity::Pressure && !(values[i] >= 0.0)) {
            return false;
        }
    }
    const Roles& roles = method.roles;
    return roles.above == kNoInput || roles.above == except || roles.below == except ||
           values[roles.above] > values[roles.below];
}

double PressureToMpa(const Method& method, double value) {
    return value / method.roles.unitsPerMpa;
}

double PressureFromMpa(const Method& method, double mpa) {
    return mpa * method.roles.unitsPerMpa;
}

std::string MethodNames() {
    std::string names;
    for (const Method& method : kMethods) {
        names += (names.empty() ? "" : " ") + std::string(method.name);
    }
    return names;
}

} // namespace sizing

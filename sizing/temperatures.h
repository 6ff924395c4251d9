// The gas over the operating temperature range: nitrogen keeps its mass, so its precharge
// follows the isochore through the precharge typed, which is the one at the highest operating
// temperature.
//
// Platform-free. Temperatures in °C; pressures gauge, in their field's unit.
#pragma once

#include "sizing/calculation.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace sizing {

// The temperatures a calculator and the command line take, in °C.
constexpr double kLowestTemperature = -100.0;
constexpr double kHighestTemperature = 300.0;

// The three temperatures in the order the calculators show them, with their names.
enum TemperatureIndex : std::size_t { kFill, kMin, kMax };
double& TemperatureAt(Temperatures& temperatures, std::size_t index);
extern const char* const kTemperatureNames[3]; // "充气温度", "最低工作温度", "最高工作温度"
// Their ASCII names on the command line and in a batch file: "t_fill", "t_min", "t_max".
extern const char* const kTemperatureKeys[3];

// What is wrong with three temperatures, as one sentence, and the index of the one to mend; an
// empty text when nothing is: each within kLowestTemperature to kHighestTemperature, the
// lowest not above the highest.
std::string TemperatureFault(const Temperatures& temperatures, std::size_t& which);

// Where the method delivers oil when called (aux), the time the oil takes to leave the charged
// accumulator and the gas's thermal time constant, in the order the calculator shows them: each
// an input with its command-line key as name ("t_discharge", "tau"), its label ("放油时间",
// "热时间常数") and its unit, s (it also takes min and h). Neither is required.
enum DischargeIndex : std::size_t { kDischargeTime, kThermalTau };
extern const Input kDischargeInputs[2];
double& DischargeAt(Conditions& conditions, std::size_t index);

// What is wrong with the discharge time and the time constant, as one sentence, and the index of
// the one to mend; an empty text when nothing is: each that was typed above zero.
std::string DischargeFault(const Conditions& conditions, std::size_t& which);

// The precharge that is precharge (gauge, in unit: "MPa", "bar" or "Pa") at temperature tMax, at
// temperature t: the pressure of the same density of nitrogen. NaN where a state leaves the
// range of nitrogen's equation.
double PrechargeAt(double precharge, std::string_view unit, double tMax, double t);

} // namespace sizing

// A case as presovol-calc reads it: the method, its inputs, temperatures and discharge from
// name=value pairs, each value read as the calculators read what is typed, and its calculation.
#pragma once

#include "cli/failure.h"
#include "cli/run.h"
#include "sizing/calculation.h"
#include "sizing/methods.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace cli {

// One case: a method and the values of its inputs, in binding order and each input's unit.
struct Case {
    const sizing::Method* method = nullptr;
    double values[sizing::kMaxInputs] = {};
    std::string typed[sizing::kMaxInputs];
    sizing::Conditions conditions;
};

// The position of the temperature named name ("t_fill", "t_min", "t_max"); 3 for none.
std::size_t TemperatureKey(std::string_view name);
// The position of the discharge's condition named name ("t_discharge", "tau"); 2 for none.
std::size_t DischargeKey(std::string_view name);

// Reads the inputs, temperatures and discharge given into the case; the failure at the first
// that its method does not take, that comes a second time or that is no value of its field.
std::optional<Failure> ReadGiven(const Given& given, Case& c);

// The case's inputs and temperatures from given, with --defaults those not given from the
// dialog's initial values (else they are missing), the lowest and highest temperature from
// --temperature where it is set, and the run's catalogue.
std::optional<Failure> ReadCase(const Run& run, const Given& given, Case& c);

// What is wrong with the case's temperatures and discharge; nothing when they hold.
std::optional<Failure> ConditionFailure(const Case& c);

// The calculation of a case with a shown volume; the failure when it has none.
std::optional<Failure> Evaluate(const Case& c, std::optional<sizing::Calculation>& calculation);

} // namespace cli

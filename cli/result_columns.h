// The result columns of a batch: a single case's answer on a CSV row, each column the value of
// the same name that --json writes for the case.
#pragma once

#include "cli/failure.h"
#include "sizing/calculation.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// Every result column, in the order a batch writes them when --columns names none.
std::vector<std::string> ResultColumns();

// The result columns a --columns list names (separated by commas, blanks around a name left
// out), in its order; the failure names the first name that is no result column.
std::optional<Failure> ReadColumns(std::string_view list, std::vector<std::string>& columns);

// The cells of a calculation's row under columns: each the value of the case's JSON, empty for
// null; "checks" the codes of the notes that warn, a blank between; "status" ok.
std::vector<std::string> ResultCells(const std::vector<std::string>& columns,
                                     const sizing::Calculation& calculation);

// The cells of a row that gave no volume: "status" error, "message" why, the others empty.
std::vector<std::string> FailureCells(const std::vector<std::string>& columns,
                                      const Failure& failure);

} // namespace cli

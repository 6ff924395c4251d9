#include "cli/result_columns.h"

#include "cli/json_output.h"
#include "base/number_text.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace cli {

namespace {

// A result column and where the single case's JSON holds its value; the three columns of the
// batch's own have none.
struct Column {
    const char* name;
    const char* json; // a JSON pointer
};

const Column kColumns[] = {
    {"volume_l", "/volume_l"},
    {"shown", "/shown"},
    {"corrected_l", "/corrected_l"},
    {"nominal_l", "/pick/nominal_l"},
    {"units", "/pick/units"},
    {"class_mpa", "/pick/class_mpa"},
    {"model", "/pick/model"},
    {"type", "/pick/type"},
    {"absolute_factor", "/absolute_factor"},
    {"temperature_factor", "/temperature/factor"},
    {"sizing_c", "/temperature/sizing_c"},
    {"fill_mpa", "/temperature/fill_mpa"},
    {"real_gas_factor", "/real_gas/factor"},
    // The real-gas volume, kept for the tables that read it: corrected_l is the volume picked.
    {"real_gas_volume_l", "/real_gas/volume_l"},
    {"performance_name", "/performance/name"},
    {"performance_value", "/performance/value"},
    {"performance_unit", "/performance/unit"},
    {"checks", nullptr},
    {"status", nullptr},
    {"message", nullptr},
};

const Column* FindColumn(std::string_view name) {
    const auto found = std::find_if(std::begin(kColumns), std::end(kColumns),
                                    [name](const Column& c) { return name == c.name; });
    return found == std::end(kColumns) ? nullptr : found;
}

// A JSON value as a cell: a number as the inputs are written, empty for null and for what the
// JSON writes as null.
std::string Cell(const Json& value) {
    if (value.is_string()) {
        return value.get<std::string>();
    }
    if (value.is_number() && std::isfinite(value.get<double>())) {
        return FormatNumberText(value.get<double>());
    }
    return std::string();
}

// The codes of the notes that warn, a blank between.
std::string Checks(const sizing::Calculation& calculation) {
    std::string codes;
    for (const sizing::Note& note : calculation.notes) {
        if (note.warns) {
            codes += (codes.empty() ? "" : " ") + std::string(note.code);
        }
    }
    return codes;
}

} // namespace

std::vector<std::string> ResultColumns() {
    std::vector<std::string> names;
    for (const Column& column : kColumns) {
        names.emplace_back(column.name);
    }
    return names;
}

std::optional<Failure> ReadColumns(std::string_view list, std::vector<std::string>& columns) {
    columns.clear();
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        std::string_view name = list.substr(start, end - start);
        name.remove_prefix(std::min(name.find_first_not_of(' '), name.size()));
        name.remove_suffix(name.size() - std::min(name.find_last_not_of(' ') + 1, name.size()));
        if (FindColumn(name) == nullptr) {
            std::string known;
            for (const std::string& column : ResultColumns()) {
                known += (known.empty() ? "" : " ") + column;
            }
            return Usage(u8"--columns 中的“" + std::string(name) +
                         u8"”不是结果的列名；结果的列有：" + known + u8"。");
        }
        columns.emplace_back(name);
        start = end + 1;
    }
    return std::nullopt;
}

std::vector<std::string> ResultCells(const std::vector<std::string>& columns,
                                     const sizing::Calculation& calculation) {
    const Json json = CalculationJson(calculation);
    std::vector<std::string> cells;
    for (const std::string& name : columns) {
        const Column& column = *FindColumn(name);
        if (column.json != nullptr) {
            const Json::json_pointer at(column.json);
            cells.push_back(json.contains(at) ? Cell(json.at(at)) : std::string());
        } else {
            cells.push_back(name == "checks"   ? Checks(calculation)
                            : name == "status" ? "ok"
                                               : std::string());
        }
    }
    return cells;
}

std::vector<std::string> FailureCells(const std::vector<std::string>& columns,
                                      const Failure& failure) {
    std::vector<std::string> cells;
    for (const std::string& name : columns) {
        cells.push_back(name == "status" ? "error" : name == "message" ? failure.text : "");
    }
    return cells;
}

} // namespace cli

#include "cli/reopen.h"

#include "cli/batch.h"
#include "cli/case_input.h"
#include "cli/json_output.h"
#include "cli/single_case.h"
#include "sizing/catalogue.h"
#include "sizing/sheet_data.h"
#include "base/number_text.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

namespace cli {

namespace {

// One figure of a result that a sheet holds, as the sheet has it and as it comes out today.
struct Difference {
    const char* field; // ASCII, as in the JSON of a calculation
    const char* label;
    std::string sheet, today;
};

// What differs between the result a sheet was saved with and the calculation today, judged as
// shown: the volumes with two decimals, the pick as it reads.
std::vector<Difference> Differences(const sizing::SavedResult& saved,
                                    const sizing::Calculation& c) {
    const auto pressure = [](const std::optional<double>& mpa) {
        return mpa ? FormatNumberText(*mpa) : std::string(u8"—");
    };
    const std::array<Difference, 5> all = {{
        {"volume_l", u8"容积（升）", sizing::TwoDecimalText(saved.volume),
         sizing::TwoDecimalText(c.volume)},
        {"corrected_l", u8"选型所按容积（升）", sizing::TwoDecimalText(saved.corrected),
         sizing::TwoDecimalText(c.corrected)},
        {"nominal_l", u8"公称容积（L）", FormatNumberText(saved.nominalLitres),
         FormatNumberText(c.pick.nominalLitres)},
        {"units", u8"并联台数", FormatNumberText(saved.units), FormatNumberText(c.pick.units)},
        {"class_mpa", u8"公称压力（MPa）", pressure(saved.classMpa), pressure(c.pick.classMpa)},
    }};
    std::vector<Difference> differing;
    std::copy_if(all.begin(), all.end(), std::back_inserter(differing),
                 [](const Difference& d) { return d.sheet != d.today; });
    return differing;
}

// The inputs given on the line for a sheet of method, in the order its own are read: its inputs,
// its temperatures where it has a gas law, its discharge where it delivers oil when called, then
// the names it lacks as given, which the reading refuses; a name given again counts once, with
// the later value.
Given Overrides(const sizing::Method& method, const Given& overrides) {
    Given ordered;
    for (const auto& line : overrides) {
        const auto same = std::find_if(ordered.begin(), ordered.end(),
                                       [&](const auto& o) { return o.first == line.first; });
        if (same != ordered.end()) {
            same->second = line.second;
        } else {
            ordered.push_back(line);
        }
    }
    const auto place = [&](const auto& line) {
        if (const std::size_t i = sizing::InputIndex(method, line.first); i < method.inputCount) {
            return i;
        }
        if (const std::size_t key = TemperatureKey(line.first);
            key < 3 && sizing::HasGasLaw(method)) {
            return method.inputCount + key;
        }
        const std::size_t key = DischargeKey(line.first);
        return key < 2 && method.roles.oil != sizing::kNoInput ? method.inputCount + 3 + key
                                                               : method.inputCount + 5;
    };
    std::stable_sort(ordered.begin(), ordered.end(),
                     [&](const auto& a, const auto& b) { return place(a) < place(b); });
    return ordered;
}

// The sheet in file calculated again, with the inputs given on the line in place of its own;
// saved is the result the sheet holds.
std::optional<Failure> Reopen(const Run& run, const std::string& file,
                              std::optional<sizing::Calculation>& calculation,
                              sizing::SavedResult& saved) {
    std::string reason;
    const std::optional<sizing::SavedSheet> sheet =
        sizing::ReadSheetFile(std::filesystem::u8path(file), reason);
    if (!sheet) {
        return Failure{"sheet", std::string(), reason, kNoVolume};
    }
    saved = sheet->result;
    Case c;
    c.method = sheet->method;
    std::copy(std::begin(sheet->values), std::end(sheet->values), c.values);
    std::copy(std::begin(sheet->typed), std::end(sheet->typed), c.typed);
    c.conditions = sheet->conditions;
    c.conditions.catalogue = run.catalogue;
    std::optional<Failure> failure = ReadGiven(Overrides(*c.method, run.settings.overrides), c);
    if (!failure) {
        failure = Evaluate(c, calculation);
    }
    return failure;
}

} // namespace

void SplitFrom(Settings& settings) {
    for (const std::string& value : settings.from) {
        const std::size_t equals = value.find('=');
        const std::string name = value.substr(0, equals);
        if (equals != std::string::npos && name != "method" && IsBatchInput(name)) {
            settings.overrides.emplace_back(name, value.substr(equals + 1));
        } else {
            settings.files.push_back(value);
        }
    }
}

int RunFrom(const Run& run) {
    const Settings& s = run.settings;
    std::ostream& out = run.streams.out;
    Json report = Json::array();
    bool allShown = true;
    for (const std::string& file : s.files) {
        std::optional<sizing::Calculation> calculation;
        sizing::SavedResult saved;
        std::optional<Failure> failure = Reopen(run, file, calculation, saved);
        if (!failure) {
            failure = WriteSheet(run, *calculation);
        }
        const std::vector<Difference> differing =
            failure || !s.check ? std::vector<Difference>() : Differences(saved, *calculation);
        allShown = allShown && !failure && differing.empty();
        Json entry{{"file", file}};
        if (failure) {
            entry["error"] = ErrorJson(*failure);
        } else if (!s.check) {
            entry.update(CalculationJson(*calculation));
        } else {
            entry["same"] = differing.empty();
            Json differences = Json::array();
            for (const Difference& d : differing) {
                differences.push_back({{"field", d.field}, {"sheet", d.sheet}, {"today", d.today}});
            }
            entry["differences"] = differences;
        }
        report.push_back(entry);
        if (s.json) {
            continue;
        }
        if (s.check) {
            std::string line = file + u8"：";
            if (failure) {
                line += u8"无法重算：" + failure->text;
            } else if (differing.empty()) {
                line += u8"相同";
            } else {
                line += u8"不同：";
                for (std::size_t i = 0; i < differing.size(); ++i) {
                    const Difference& d = differing[i];
                    line += (i == 0 ? "" : u8"；") + std::string(d.label) + " " + d.sheet +
                            u8" → " + d.today;
                }
            }
            out << line << "\n";
        } else if (failure) {
            run.streams.err << file << u8"：" << failure->text << "\n";
        } else {
            // Several sheets: each under its file's name, an empty line between.
            if (s.files.size() > 1) {
                out << (&file == &s.files.front() ? "" : "\n") << file << "\n";
            }
            WriteText(run, *calculation);
        }
    }
    if (s.json) {
        out << JsonLine(report, run.streams.asciiJson);
    }
    return allShown ? kShown : kNoVolume;
}

} // namespace cli

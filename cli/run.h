// What the parts of one run of presovol-calc share: its settings, its streams and the catalogue
// it picks from.
#pragma once

#include "cli/calc_command.h"
#include "cli/failure.h"
#include "sizing/catalogue.h"
#include "sizing/methods.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace cli {

// Inputs as typed, name and value (UTF-8), in the order given.
using Given = std::vector<std::pair<std::string, std::string>>;

// The settings of one run.
struct Settings {
    const sizing::Method* method = nullptr;
    std::vector<std::string> inputs;
    std::string batch, out, outEncoding, sheet, solve, volume, catalogue;
    // --from: the sheets, and the inputs given on the line after them, name=value.
    std::vector<std::string> from, files;
    Given overrides;
    bool check = false;
    std::optional<double> temperature;  // --temperature: the lowest and highest together
    std::optional<std::string> columns; // --columns: the result columns a batch writes
    bool defaults = false;
    bool json = false;
    bool ideal = false; // --solve for the formula's volume alone
};

// One run of the command.
struct Run {
    const Streams& streams;
    Settings settings;
    std::shared_ptr<const sizing::Catalogue> catalogue; // null for the built-in series
};

// Tells the failure, as JSON on standard output with --json, else on standard error; answers
// its exit code.
int Fail(const Run& run, const Failure& failure);

// The catalogue file of the run: the one --catalogue names, which must be there, or the first
// found in places.
std::optional<Failure> ReadCatalogue(const std::vector<std::filesystem::path>& places, Run& run);

} // namespace cli

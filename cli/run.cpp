#include "cli/run.h"

#include "cli/json_output.h"
#include "sizing/catalogue_file.h"

namespace cli {

int Fail(const Run& run, const Failure& failure) {
    const Streams& s = run.streams;
    if (run.settings.json) {
        s.out << JsonLine(Json{{"error", ErrorJson(failure)}}, s.asciiJson);
    } else {
        s.err << failure.text << "\n";
    }
    return failure.exitCode;
}

std::optional<Failure> ReadCatalogue(const std::vector<std::filesystem::path>& places, Run& run) {
    const std::string& named = run.settings.catalogue;
    if (named.empty()) {
        run.catalogue = sizing::LoadCatalogue(places);
        return std::nullopt;
    }
    run.catalogue = sizing::LoadCatalogue({std::filesystem::u8path(named)});
    if (!run.catalogue) {
        return Failure{"file", std::string(), u8"找不到型号目录 " + named + u8"。", kUsage};
    }
    return std::nullopt;
}

} // namespace cli

// The command's run: the line read and checked, the catalogue found, then one of the three
// ways: sheets calculated again (reopen.h), a batch (batch.h) or a single case
// (single_case.h).
#include "cli/calc_command.h"

#include "cli/batch.h"
#include "cli/options.h"
#include "cli/reopen.h"
#include "cli/run.h"
#include "cli/single_case.h"

namespace cli {

int RunCalc(const std::vector<std::string>& args, const Streams& streams,
            const std::vector<std::filesystem::path>& cataloguePlaces) {
    Run run{streams, Settings(), nullptr};
    if (const std::optional<int> ended = ReadOptions(args, run)) {
        return *ended;
    }
    SplitFrom(run.settings);
    if (const std::optional<Failure> wrong = CheckSettings(run.settings)) {
        return Fail(run, *wrong);
    }
    if (const std::optional<Failure> wrong = ReadCatalogue(cataloguePlaces, run)) {
        return Fail(run, *wrong);
    }
    if (!run.settings.from.empty()) {
        return RunFrom(run);
    }
    return run.settings.batch.empty() ? RunCase(run) : RunBatch(run);
}

} // namespace cli

#include "cli/single_case.h"

#include "cli/case_input.h"
#include "cli/json_output.h"
#include "cli/solve.h"
#include "sizing/result_texts.h"
#include "sizing/sheet.h"
#include "base/whole_file.h"

#include <ctime>
#include <filesystem>
#include <string>

namespace cli {

int RunCase(const Run& run) {
    const Settings& s = run.settings;
    Case c;
    c.method = s.method;
    Given given;
    for (const std::string& arg : s.inputs) {
        const std::size_t equals = arg.find('=');
        if (equals == std::string::npos) {
            return Fail(run, Usage(u8"参数“" + arg + u8"”应写作 名称=数值，如 p1=10。"));
        }
        given.emplace_back(arg.substr(0, equals), arg.substr(equals + 1));
    }
    if (!s.solve.empty()) {
        return RunSolve(run, c, given);
    }
    std::optional<sizing::Calculation> calculation;
    std::optional<Failure> failure = ReadCase(run, given, c);
    if (!failure) {
        failure = Evaluate(c, calculation);
    }
    if (!failure) {
        failure = WriteSheet(run, *calculation);
    }
    if (failure) {
        return Fail(run, *failure);
    }
    if (s.json) {
        run.streams.out << JsonLine(CalculationJson(*calculation), run.streams.asciiJson);
    } else {
        WriteText(run, *calculation);
    }
    return kShown;
}

void WriteText(const Run& run, const sizing::Calculation& calculation) {
    run.streams.out << Text(FormatVolumeSentence(calculation.volume).c_str()) << "\n";
    for (const sizing::Note& note : calculation.notes) {
        run.streams.out << note.text << "\n";
    }
}

std::optional<Failure> WriteSheet(const Run& run, const sizing::Calculation& calculation) {
    const std::string& file = run.settings.sheet;
    if (file.empty()) {
        return std::nullopt;
    }
    const std::time_t now = std::time(nullptr);
    const std::string html =
        sizing::SheetHtml(calculation, {"presovol-calc", *std::localtime(&now)});
    std::string reason;
    if (!base::WriteWholeFile(std::filesystem::u8path(file), html, reason)) {
        return Failure{"file", std::string(), u8"计算书没能写入 " + file + u8"：" + reason, kUsage};
    }
    return std::nullopt;
}

} // namespace cli

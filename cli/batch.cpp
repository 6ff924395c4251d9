#include "cli/batch.h"

#include "cli/case_input.h"
#include "cli/options.h"
#include "cli/result_columns.h"
#include "cli/solve.h"
#include "base/csv.h"
#include "base/number_text.h"
#include "base/text_encoding.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace cli {

namespace {

using base::CsvField;
using base::CsvReader;

// Why a batch cannot take this header with these result columns; nothing when it can.
std::optional<Failure> CheckHeader(const std::vector<std::string>& header,
                                   const std::vector<std::string>& columns) {
    if (std::find(header.begin(), header.end(), "method") == header.end()) {
        return Usage(u8"CSV 文件的第一行须是表头：method 和输入名，次序不限。");
    }
    for (auto name = header.begin(); name != header.end(); ++name) {
        if (std::find(columns.begin(), columns.end(), *name) != columns.end()) {
            return Usage(u8"CSV 表头的“" + *name + u8"”是结果的列名，请给这一列另起一个名称。");
        }
        if (IsBatchInput(*name) && std::find(header.begin(), name, *name) != name) {
            return Usage(u8"CSV 表头的“" + *name + u8"”出现了两次。");
        }
    }
    return std::nullopt;
}

// The header's failure, saying what the file was read as: "...（文件按 GBK 读）。".
Failure ReadAs(Failure failure, base::FileEncoding encoding) {
    const std::string_view stop = u8"。";
    std::string& text = failure.text;
    const bool stops = text.size() >= stop.size() &&
                       text.compare(text.size() - stop.size(), stop.size(), stop) == 0;
    text.insert(stops ? text.size() - stop.size() : text.size(),
                u8"（文件按 " + std::string(base::EncodingName(encoding)) + u8" 读）");
    return failure;
}

// Tells on standard error which fields of record number, by their columns in header, were not
// UTF-8 and were read as GBK.
void TellStray(const Run& run, std::size_t number, const std::vector<std::string>& header,
               const std::vector<std::size_t>& stray) {
    for (std::size_t i : stray) {
        const std::string column = i < header.size() && !header[i].empty()
                                       ? u8"“" + header[i] + u8"”"
                                       : u8"第 " + std::to_string(i + 1) + u8" 列";
        run.streams.err << u8"第 " << number << u8" 行" << column
                        << u8"的字节不是 UTF-8，按 GBK 读\n";
    }
}

// What the rows of a batch share: the header, the result columns to write, where the rows go
// and whether in GBK rather than UTF-8.
struct BatchOut {
    std::vector<std::string> header;
    std::vector<std::string> columns;
    std::ostream& stream;
    bool gbk;
};

// Writes a row: its own fields, then the results.
void WriteRow(const BatchOut& out, const std::vector<std::string>& first,
              const std::vector<std::string>& rest) {
    std::string line;
    bool separator = false;
    for (const auto* fields : {&first, &rest}) {
        for (const std::string& field : *fields) {
            line += (separator ? "," : "") + CsvField(field);
            separator = true;
        }
    }
    line += "\r\n";
    out.stream << (out.gbk ? base::Utf8ToGbk(line) : line);
}

// Writes the row with the results of its calculation, or with its failure; answers whether
// it gave a volume.
bool WriteResult(std::vector<std::string>& row, const Case& c,
                 const std::optional<Failure>& failure,
                 const std::optional<sizing::Calculation>& calculation, const BatchOut& out) {
    row.resize(out.header.size());
    if (failure) {
        WriteRow(out, row, FailureCells(out.columns, *failure));
        return false;
    }
    // The inputs in their fields' units.
    for (std::size_t i = 0; i < out.header.size(); ++i) {
        const std::size_t k = sizing::InputIndex(*c.method, out.header[i]);
        if (k < c.method->inputCount) {
            row[i] = FormatNumberText(c.values[k]);
        }
    }
    WriteRow(out, row, ResultCells(out.columns, *calculation));
    return true;
}

// The cell of column name in row; empty when the header has no such column.
std::string Cell(const std::vector<std::string>& header, const std::vector<std::string>& row,
                 std::string_view name) {
    const auto column = std::find(header.begin(), header.end(), name);
    const auto i = static_cast<std::size_t>(column - header.begin());
    return i < row.size() ? row[i] : std::string();
}

// A row that asks for the value of one input: one row of results for each value, with the
// value in that input's column.
bool BatchSolve(const Run& run, std::vector<std::string>& row, Given& given, Case& c,
                const std::string& name, const BatchOut& out) {
    const std::vector<std::string>& header = out.header;
    SolveFor solve{};
    std::vector<double> values;
    std::optional<Failure> failure = ReadSolve(name, Cell(header, row, "volume"), c, given, solve);
    if (!failure && std::find(header.begin(), header.end(), name) == header.end()) {
        failure = Usage(u8"表头没有 " + name + u8" 列：解出的值无处可写。");
    }
    if (!failure) {
        failure = ReadCase(run, given, c);
    }
    if (!failure) {
        failure = Solved(c, solve, false, values);
    }
    std::optional<sizing::Calculation> calculation;
    if (failure) {
        return WriteResult(row, c, failure, calculation, out);
    }
    bool shown = true;
    for (double value : values) {
        c.values[solve.input] = value;
        c.typed[solve.input] = FormatNumberText(value);
        std::vector<std::string> solved = row;
        failure = Evaluate(c, calculation);
        shown = WriteResult(solved, c, failure, calculation, out) && shown;
    }
    return shown;
}

// Computes and writes one row; answers whether it gave a volume.
bool BatchRow(const Run& run, CsvReader::Status status, std::vector<std::string>& row,
              const BatchOut& out) {
    const std::vector<std::string>& header = out.header;
    Case c;
    std::optional<sizing::Calculation> calculation;
    std::optional<Failure> failure;
    const std::string method = Cell(header, row, "method");
    if (status == CsvReader::Status::TooLong) {
        failure = Usage(u8"这一行太长，没有读。");
    } else if (row.size() > header.size()) {
        failure = Usage(u8"这一行的字段比表头多。");
    } else if ((c.method = sizing::FindMethod(method)) == nullptr) {
        failure = UnknownMethod(method);
    } else {
        // The cells of the method's inputs and, where its formula holds a gas law, of the
        // temperatures, where it delivers oil when called, of the discharge; no other column is
        // read.
        Given given;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const bool read =
                sizing::InputIndex(*c.method, header[i]) < c.method->inputCount ||
                (TemperatureKey(header[i]) < 3 && sizing::HasGasLaw(*c.method)) ||
                (DischargeKey(header[i]) < 2 && c.method->roles.oil != sizing::kNoInput);
            if (!row[i].empty() && read) {
                given.emplace_back(header[i], row[i]);
            }
        }
        const std::string solve = Cell(header, row, "solve");
        if (!solve.empty()) {
            return BatchSolve(run, row, given, c, solve, out);
        }
        failure = ReadCase(run, given, c);
        if (!failure) {
            failure = Evaluate(c, calculation);
        }
    }
    return WriteResult(row, c, failure, calculation, out);
}

} // namespace

bool IsBatchInput(std::string_view name) {
    return name == "method" || name == "solve" || name == "volume" || TemperatureKey(name) < 3 ||
           DischargeKey(name) < 2 ||
           std::any_of(std::begin(sizing::kMethods), std::end(sizing::kMethods),
                       [name](const sizing::Method& m) {
                           return sizing::InputIndex(m, name) < m.inputCount;
                       });
}

int RunBatch(const Run& run) {
    const Settings& s = run.settings;
    std::vector<std::string> columns = ResultColumns();
    if (s.columns) {
        if (const std::optional<Failure> wrong = ReadColumns(*s.columns, columns)) {
            return Fail(run, *wrong);
        }
    }
    std::ifstream file;
    std::istream* in = &run.streams.in;
    if (s.batch != "-") {
        file.open(std::filesystem::u8path(s.batch), std::ios::binary);
        if (!file) {
            return Fail(run, {"file", std::string(), u8"无法读取 " + s.batch + u8"。", kUsage});
        }
        in = &file;
    }
    // The whole file first: its encoding is judged from all of it.
    const std::string bytes{std::istreambuf_iterator<char>(*in), std::istreambuf_iterator<char>()};
    base::CsvFile table(bytes);
    std::vector<std::string> header;
    std::vector<std::size_t> stray;
    if (table.Next(header, stray) != CsvReader::Status::Record) {
        header.clear();
    }
    TellStray(run, table.Number(), header, stray);
    if (const std::optional<Failure> wrong = CheckHeader(header, columns)) {
        return Fail(run, ReadAs(*wrong, table.Encoding()));
    }
    std::ofstream outFile;
    if (!s.out.empty()) {
        outFile.open(std::filesystem::u8path(s.out), std::ios::binary | std::ios::trunc);
        if (!outFile) {
            return Fail(run, {"file", std::string(), u8"无法写入 " + s.out + u8"。", kUsage});
        }
        // A mark, so that spreadsheets read the Chinese messages as UTF-8; GBK has none.
        if (!IsOutEncoding(s, "gbk")) {
            outFile << "\xEF\xBB\xBF";
        }
    }
    const BatchOut out{header, columns, s.out.empty() ? run.streams.out : outFile,
                       IsOutEncoding(s, "gbk")};
    WriteRow(out, header, columns);
    bool allShown = true;
    std::vector<std::string> row;
    for (CsvReader::Status status; (status = table.Next(row, stray)) != CsvReader::Status::End;) {
        TellStray(run, table.Number(), header, stray);
        if (status == CsvReader::Status::Record &&
            std::all_of(row.begin(), row.end(), [](const std::string& f) { return f.empty(); })) {
            continue; // a blank line
        }
        allShown = BatchRow(run, status, row, out) && allShown;
    }
    out.stream.flush();
    if (!out.stream) {
        return Fail(run, {"file", std::string(), u8"结果没能全部写出。", kUsage});
    }
    return allShown ? kShown : kNoVolume;
}

} // namespace cli

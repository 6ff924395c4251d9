// presovol-calc --batch over 100,000 rows, beside one formula evaluation: processor time per
// row as a multiple of one evaluation through the method table, both measured in alternating
// rounds and taken as medians; and the peak memory after 10,000 and after 100,000 rows, which shows
// that the batch keeps the same memory whatever its length.
//   batch_bench [ROUNDS]
#include "cli/calc_command.h"
#include "sizing/methods.h"

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

// The processor time of this process: on a shared machine the wall clock counts the waits for
// a core too.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The columns of the batch, and one worked example per method, some with units.
const char* const kColumns[] = {"deltaV", "n", "p0", "p1", "p2", "rho", "A", "l",  "v",  "P0",
                                "P2",     "Q", "P1", "L",  "t",  "d",   "k", "Vp", "Pp", "deltaP"};
struct Example {
    const char* method;
    std::vector<std::pair<const char*, const char*>> inputs;
};
const Example kExamples[] = {
    {"aux", {{"deltaV", "10"}, {"n", "1.4"}, {"p0", "9"}, {"p1", "10"}, {"p2", "20"}}},
    {"shock-a",
     {{"rho", "900 kg/m3"},
      {"A", "0.01"},
      {"l", "200"},
      {"v", "4"},
      {"P0", "90 bar"},
      {"P2", "12"}}},
    {"shock-b", {{"Q", "100"}, {"P1", "10"}, {"P2", "14"}, {"L", "50"}, {"t", "0"}}},
    {"shock-c",
     {{"Q", "300"},
      {"L", "150"},
      {"d", "20"},
      {"P1", "100"},
      {"P2", "140"},
      {"P0", "80"},
      {"t", "0"},
      {"rho", "0.9"}}},
    {"pulse-a",
     {{"A", "0.001"}, {"L", "0.05"}, {"k", "0.6"}, {"P1", "10"}, {"P2", "12"}, {"P0", "8"}}},
    {"pulse-b", {{"Vp", "0.1"}, {"P1", "10"}, {"P2", "12"}, {"k", "0.6"}}},
    {"pulse-c", {{"deltaV", "0.1"}, {"P1", "10"}, {"P2", "12"}}},
    {"pulse-d", {{"Vp", "1"}, {"deltaV", "0.05"}, {"Pp", "10"}, {"deltaP", "0.5"}}},
};

// The same examples' inputs in binding order, for the formulas.
const double kValues[][8] = {
    {10, 1.4, 9, 10, 20},
    {0.9, 0.01, 200, 4, 9, 12},
    {100, 10, 14, 50, 0},
    {300, 150, 20, 100, 140, 80, 0, 0.9},
    {0.001, 0.05, 0.6, 10, 12, 8},
    {0.1, 10, 12, 0.6},
    {0.1, 10, 12},
    {1, 0.05, 10, 0.5},
};

std::string WriteBatch(std::size_t rows) {
    std::vector<std::string> lines;
    for (const Example& example : kExamples) {
        std::string line = example.method;
        for (const char* column : kColumns) {
            line += ",";
            for (const auto& [name, value] : example.inputs) {
                line += std::string(name) == column ? value : "";
            }
        }
        lines.push_back(line + "\n");
    }
    const std::string path = "batch_bench_" + std::to_string(rows) + ".csv";
    std::ofstream file(path, std::ios::binary);
    file << "method";
    for (const char* column : kColumns) {
        file << "," << column;
    }
    file << "\n";
    for (std::size_t i = 0; i < rows; ++i) {
        file << lines[i % lines.size()];
    }
    return path;
}

// Processor seconds to run the batch in path, its output thrown away.
double RunBatch(const std::string& path) {
    std::ostringstream err;
    std::ofstream out("/dev/null", std::ios::binary);
    std::istringstream in;
    const double start = CpuSeconds();
    const int exit = cli::RunCalc({"presovol-calc", "--batch", path}, {in, out, err, false});
    const double seconds = CpuSeconds() - start;
    if (exit != cli::kShown) {
        std::fprintf(stderr, "the batch failed: %s\n", err.str().c_str());
        std::exit(1);
    }
    return seconds;
}

// Processor seconds per formula evaluation, over the eight methods in turn, through the method
// table.
double FormulaSeconds(std::size_t evaluations) {
    volatile double sink = 0.0;
    const double start = CpuSeconds();
    for (std::size_t i = 0; i < evaluations; ++i) {
        const double* values = kValues[i % 8];
        sink = sink + sizing::kMethods[i % 8].volume(values);
    }
    return (CpuSeconds() - start) / static_cast<double>(evaluations);
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    constexpr std::size_t kRowCount = 100000;
    const std::string small = WriteBatch(kRowCount / 10);
    const std::string large = WriteBatch(kRowCount);

    RunBatch(small);
    const long afterSmall = PeakKilobytes();
    std::vector<double> batch, formula;
    for (int r = 0; r < rounds; ++r) {
        formula.push_back(FormulaSeconds(10 * kRowCount));
        batch.push_back(RunBatch(large) / kRowCount);
    }
    const long afterLarge = PeakKilobytes();
    std::remove(small.c_str());
    std::remove(large.c_str());

    const double row = Median(batch);
    const double evaluation = Median(formula);
    std::printf("%-28s %14s %10s\n", "", "us", "ratio");
    std::printf("%-28s %14.4f %10.1f\n", "formula evaluation", evaluation * 1e6, 1.0);
    std::printf("%-28s %14.4f %10.1f\n", "batch row", row * 1e6, row / evaluation);
    std::printf("100,000 rows: %.2f s (median of %d)\n", row * kRowCount, rounds);
    std::printf("peak memory: %ld KiB after 10,000 rows, %ld KiB after 100,000 rows\n", afterSmall,
                afterLarge);
    return 0;
}

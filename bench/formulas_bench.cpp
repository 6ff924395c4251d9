// Evaluations per second of the eight sizing formulas on worked examples, beside a function
// that divides once, called the same way (through a pointer), and of the real-gas correction of
// the six methods with a gas law, beside their formulas. The repetitions of all run interleaved
// in random order and their medians count; on a shared machine the ratios are the figures that
// hold. The solver's answers and the thermal model's volumes stand beside one corrected volume
// of the same case.
#include "sizing/calculation.h"
#include "sizing/formulas.h"
#include "sizing/real_gas.h"
#include "sizing/solver.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// Every input passes through DoNotOptimize on every evaluation, so the compiler can neither
// fold the call nor hoist it out of the loop, and the result is kept.
template <typename Formula, typename... Inputs>
void Evaluate(benchmark::State& state, Formula formula, Inputs... inputs) {
    for (auto _ : state) {
        (benchmark::DoNotOptimize(inputs), ...);
        benchmark::DoNotOptimize(formula(inputs...));
    }
}

double Divide(double a, double b) {
    return a / b;
}

const char* const kBaseline = "division";

// The names in the order of registration, which is the order of the table, each with the
// benchmark it is compared with besides the division (none for the formulas).
std::vector<std::pair<std::string, std::string>> g_names;

// Prints one row per formula: median time per evaluation, evaluations per second and the
// time relative to the division.
class RatioReporter : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context& context) override {
        PrintBasicContext(&GetErrorStream(), context);
        return true;
    }

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name == "median") {
                const double ns = run.GetAdjustedCPUTime() *
                                  benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
                                  benchmark::GetTimeUnitMultiplier(run.time_unit);
                m_medians[run.run_name.function_name] = ns;
            }
        }
    }

    void Finalize() override {
        const auto baseline = m_medians.find(kBaseline);
        std::printf("%-18s %10s %16s %7s %10s\n", "formula", "ns/eval", "evaluations/s", "ratio",
                    "to formula");
        for (const auto& [name, reference] : g_names) {
            const auto found = m_medians.find(name);
            if (found == m_medians.end()) {
                continue;
            }
            const double ns = found->second;
            std::printf("%-18s %10.2f %16.3e", name.c_str(), ns, 1e9 / ns);
            if (baseline != m_medians.end()) {
                std::printf(" %7.1f", ns / baseline->second);
            }
            const auto formula = m_medians.find(reference);
            if (formula != m_medians.end()) {
                std::printf(" %10.0f", ns / formula->second);
            }
            std::printf("\n");
        }
    }

private:
    std::map<std::string, double> m_medians;
};

template <typename Formula, typename... Inputs>
void Register(const char* name, Formula formula, Inputs... inputs) {
    g_names.emplace_back(name, "");
    benchmark::RegisterBenchmark(name, Evaluate<Formula, Inputs...>, formula, inputs...)
        ->Repetitions(9)
        ->MinTime(0.05)
        ->ReportAggregatesOnly(true);
}

double Correct(const sizing::Method* method, const double* values) {
    return sizing::RealGasCorrection(*method, values).factor;
}

// The real-gas correction of one method on values, compared with the method's formula.
void RegisterCorrection(const char* name, const char* formula, sizing::MethodId id,
                        const double* values) {
    Register(name, Correct, &sizing::MethodOf(id), values);
    g_names.back().second = formula;
}

// Cases of the 31.5 MPa class (gauge, in each method's units): pre-charge 20, working
// pressures 25 and 31.5 MPa.
const double kAuxIsothermal[] = {10, 1, 20, 25, 31.5};
const double kAuxInterpolated[] = {10, 1.2, 20, 25, 31.5};
const double kAuxAdiabatic[] = {10, 1.4, 20, 25, 31.5};
const double kShockA[] = {0.9, 0.01, 200, 4, 20, 31.5};
const double kShockC[] = {300, 150, 20, 250, 315, 200, 0, 0.9};
const double kPulseA[] = {0.001, 0.05, 0.6, 25e6, 31.5e6, 20e6};
const double kPulseB[] = {0.1, 25, 31.5, 0.6};
const double kPulseC[] = {0.1, 25, 31.5};

// The road example over -10 to 50 °C: the corrected volume, and the solver.
const double kRoad[] = {10, 1.4, 9, 10, 20};
const double kShockARoad[] = {0.9, 0.01, 200, 4, 9, 12};
const sizing::Conditions kOperating{{20, -10, 50}, {}};

double Corrected(const sizing::Method* method, const double* values) {
    return sizing::CorrectedVolume(*method, values, kOperating);
}

// The number of values found for input index over its range, for volume.
double SolveInput(const sizing::Method* method, const double* values, std::size_t index,
                  double volume) {
    const sizing::SearchRange range = sizing::RangeOf(method->inputs[index]);
    return static_cast<double>(
        sizing::Solve(*method, values, index, volume, kOperating, false, range).values.size());
}

// What the chosen size does: the performance input for the volume picked.
double SolvePerformance(const sizing::Method* method, const double* values, double volume) {
    const std::size_t index = method->roles.performance;
    return sizing::SolveFrom(*method, values, index, volume, kOperating,
                             method->roles.performanceAbove);
}

// The thermal model with a discharge time: one volume at 20 °C, and the whole calculation
// (both ends of -10 to 50 °C, the pick, the performance line and the notes).
sizing::Conditions Discharged(sizing::Temperatures temperatures, double seconds) {
    sizing::Conditions conditions;
    conditions.temperatures = temperatures;
    conditions.discharge = seconds;
    return conditions;
}
const sizing::Conditions kDischarged[] = {
    Discharged({20, 20, 20}, 1e-3), Discharged({20, 20, 20}, 60), Discharged({20, 20, 20}, 1e7)};
const sizing::Conditions kOperatingDischarged = Discharged({20, -10, 50}, 60);

double Thermal(const sizing::Method* method, const double* values,
               const sizing::Conditions* conditions) {
    return sizing::CorrectedVolume(*method, values, *conditions);
}

double ThermalNotes(const sizing::Method* method, const double* values) {
    return static_cast<double>(
        sizing::Calculate(*method, values, nullptr, kOperatingDischarged).notes.size());
}

void RegisterSolve(const char* name, const char* corrected, sizing::MethodId id,
                   const double* values, std::size_t index, double volume) {
    Register(name, SolveInput, &sizing::MethodOf(id), values, index, volume);
    g_names.back().second = corrected;
}

} // namespace

int main(int argc, char** argv) {
    // Repetitions of different formulas alternate, so a burst of load touches them alike.
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, &interleave[0]);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) {
        return 1;
    }

    // The inputs are worked examples whose volume the calculators show.
    Register(kBaseline, Divide, 10.0, 3.0);
    Register("AuxPowerVolume", AuxPowerVolume, 10.0, 1.4, 9.0, 10.0, 20.0);
    Register("ShockAVolume", ShockAVolume, 0.9, 0.01, 200.0, 4.0, 9.0, 12.0);
    Register("ShockBVolume", ShockBVolume, 100.0, 10.0, 14.0, 50.0, 0.0);
    Register("ShockCVolume", ShockCVolume, 300.0, 150.0, 20.0, 100.0, 140.0, 80.0, 0.0, 0.9);
    Register("PulseAVolume", PulseAVolume, 1.4, 0.001, 0.05, 0.6, 10.0, 12.0, 8.0);
    Register("PulseBVolume", PulseBVolume, 1.4, 0.1, 10.0, 12.0, 0.6);
    Register("PulseCVolume", PulseCVolume, 1.4, 0.1, 10.0, 12.0);
    Register("PulseDVolume", PulseDVolume, 1.0, 0.05, 10.0, 0.5);
    using sizing::MethodId;
    RegisterCorrection("gas aux n=1", "AuxPowerVolume", MethodId::Aux, kAuxIsothermal);
    RegisterCorrection("gas aux n=1.2", "AuxPowerVolume", MethodId::Aux, kAuxInterpolated);
    RegisterCorrection("gas aux n=1.4", "AuxPowerVolume", MethodId::Aux, kAuxAdiabatic);
    RegisterCorrection("gas shock A", "ShockAVolume", MethodId::ShockA, kShockA);
    RegisterCorrection("gas shock C", "ShockCVolume", MethodId::ShockC, kShockC);
    RegisterCorrection("gas pulsation A", "PulseAVolume", MethodId::PulseA, kPulseA);
    RegisterCorrection("gas pulsation B", "PulseBVolume", MethodId::PulseB, kPulseB);
    RegisterCorrection("gas pulsation C", "PulseCVolume", MethodId::PulseC, kPulseC);

    Register("corrected aux", Corrected, &sizing::MethodOf(MethodId::Aux), kRoad);
    g_names.back().second = "AuxPowerVolume";
    Register("corrected shock A", Corrected, &sizing::MethodOf(MethodId::ShockA), kShockARoad);
    g_names.back().second = "ShockAVolume";
    RegisterSolve("solve aux p0", "corrected aux", MethodId::Aux, kRoad, 2, 40.0);
    RegisterSolve("solve aux p1", "corrected aux", MethodId::Aux, kRoad, 3, 40.0);
    RegisterSolve("solve shock A P0", "corrected shock A", MethodId::ShockA, kShockARoad, 4, 9.0);
    Register("performance aux", SolvePerformance, &sizing::MethodOf(MethodId::Aux), kRoad, 40.0);
    g_names.back().second = "corrected aux";
    const char* const thermal[] = {"thermal aux 1 ms", "thermal aux 60 s", "thermal aux 1e7 s"};
    for (int i = 0; i < 3; ++i) {
        Register(thermal[i], Thermal, &sizing::MethodOf(MethodId::Aux), kRoad, &kDischarged[i]);
        g_names.back().second = "corrected aux";
    }
    Register("notes thermal 60 s", ThermalNotes, &sizing::MethodOf(MethodId::Aux), kRoad);
    g_names.back().second = "corrected aux";

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}

// Times from outside how soon Presovol.exe shows its launcher painted after its start, and how
// soon each calculator shows painted after a click on its launcher button, beside the same for
// the bare program that shows the same templates with trivial dialog procedures. Each round
// starts both programs, in alternating order; the medians of each, their ratio and the spread
// of the rounds' own ratios are printed.
//   startup_bench PRESOVOL_EXE BARE_EXE [ROUNDS]
#include "res/resource.h"

#include <windows.h>

#include "tools/window_painted.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kDefaultRounds = 24;
constexpr DWORD kTimeoutMs = 30000;

struct Button {
    int id;
    const char* name;
};

const Button kLauncherButtons[] = {
    {IDC_AUX_POWER, "AuxPower"}, {IDC_SHOCK_A, "ShockA"}, {IDC_SHOCK_B, "ShockB"},
    {IDC_SHOCK_C, "ShockC"},     {IDC_PULSE_A, "PulseA"}, {IDC_PULSE_B, "PulseB"},
    {IDC_PULSE_C, "PulseC"},     {IDC_PULSE_D, "PulseD"},
};
constexpr int kButtonCount = sizeof kLauncherButtons / sizeof kLauncherButtons[0];

// One program under test and a part of its main window's caption. Each start clicks every
// launcher button once, taking them in turn.
struct Subject {
    std::string path;
    const char* title;
};

// Everything measured of one program, in seconds, one entry per round.
struct Times {
    std::vector<double> startUp;
    std::vector<double> clicks[kButtonCount]; // per button
    std::vector<double> close;
};

double Seconds() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path; // a Unix path, as the build passes it
    }
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

struct Search {
    DWORD processId;
    const char* title; // null: any caption
    HWND except;
    HWND found;
};

// A visible dialog window of the process, other than except, whose caption holds title.
BOOL CALLBACK MatchDialog(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hwnd, &processId);
    if (processId != search->processId || hwnd == search->except || !::IsWindowVisible(hwnd)) {
        return TRUE;
    }
    char className[16] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    if (std::strcmp(className, "#32770") != 0) {
        return TRUE;
    }
    char text[512] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    if (search->title != nullptr && std::strstr(text, search->title) == nullptr) {
        return TRUE;
    }
    search->found = hwnd;
    return FALSE;
}

HWND FindDialog(DWORD processId, const char* title, HWND except) {
    Search search{processId, title, except, nullptr};
    ::EnumWindows(&MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Asks done() about every millisecond until it answers true; false after the time-out.
template <typename Done> bool Poll(Done done) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > kTimeoutMs) {
            return false;
        }
        ::Sleep(1);
    }
    return true;
}

// A started program; ended by force if it is still running when the object goes.
class Process {
public:
    explicit Process(const std::string& path) {
        std::string commandLine = "\"" + path + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!::CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &startup, &m_info)) {
            std::fprintf(stderr, "cannot start %s (error %lu)\n", path.c_str(), ::GetLastError());
        }
    }
    ~Process() {
        if (m_info.hProcess == nullptr) {
            return;
        }
        if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_info.hProcess, 99);
            ::WaitForSingleObject(m_info.hProcess, kTimeoutMs);
        }
        ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }
    DWORD Id() const { return m_info.dwProcessId; }
    bool WaitExit() const { return ::WaitForSingleObject(m_info.hProcess, kTimeoutMs) == 0; }
    bool WaitInputIdle() const { return ::WaitForInputIdle(m_info.hProcess, kTimeoutMs) == 0; }

private:
    PROCESS_INFORMATION m_info{};
};

bool Fail(const char* what, const Subject& subject) {
    std::fprintf(stderr, "%s: %s\n", subject.path.c_str(), what);
    return false;
}

// Starts the program, clicks every launcher button once beginning with button first, closes it.
// Adds what it measured to times.
bool RunOnce(const Subject& subject, int first, Times& times) {
    const double started = Seconds();
    Process process(subject.path);
    if (!process.Started()) {
        return false;
    }
    HWND main = nullptr;
    if (!Poll([&] {
            main = FindDialog(process.Id(), subject.title, nullptr);
            return main != nullptr && IsPainted(main);
        })) {
        return Fail("the main window did not show painted", subject);
    }
    times.startUp.push_back(Seconds() - started);
    // The first click comes when the program waits for input, as a user's would: what a
    // program makes after its first paint does not count to a click.
    if (!process.WaitInputIdle()) {
        return Fail("the program did not come to wait for input", subject);
    }

    for (int click = 0; click < kButtonCount; ++click) {
        const int index = (first + click) % kButtonCount;
        const int id = kLauncherButtons[index].id;
        if (!Poll([&] { return ::IsWindowEnabled(main) && IsPainted(main); })) {
            return Fail("the main window did not come back", subject);
        }
        const double clicked = Seconds();
        ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(main, id)));
        HWND dialog = nullptr;
        if (!Poll([&] {
                dialog = FindDialog(process.Id(), nullptr, main);
                return dialog != nullptr && IsPainted(dialog);
            })) {
            return Fail("the dialog did not show painted", subject);
        }
        times.clicks[index].push_back(Seconds() - clicked);
        ::PostMessageA(dialog, WM_CLOSE, 0, 0);
        if (!Poll([&] { return !::IsWindow(dialog); })) {
            return Fail("the dialog did not close", subject);
        }
    }

    const double closing = Seconds();
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    if (!process.WaitExit()) {
        return Fail("the program did not end", subject);
    }
    times.close.push_back(Seconds() - closing);
    return true;
}

// The value below which the share q of values lies, interpolated between neighbours.
double Quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const double at = q * static_cast<double>(values.size() - 1);
    const size_t below = static_cast<size_t>(at);
    const size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (at - static_cast<double>(below));
}

// The medians of both programs, the ratio of the medians and the quartiles of the ratios of
// the rounds (each round measured both programs, one right after the other).
struct Row {
    double program;
    double bare;
    double ratio;
    double lowRatio;
    double highRatio;
};

Row Compare(const std::vector<double>& program, const std::vector<double>& bare) {
    std::vector<double> ratios;
    for (size_t i = 0; i < program.size() && i < bare.size(); ++i) {
        ratios.push_back(program[i] / bare[i]);
    }
    const double a = Quantile(program, 0.5) * 1000;
    const double b = Quantile(bare, 0.5) * 1000;
    return {a, b, a / b, Quantile(ratios, 0.25), Quantile(ratios, 0.75)};
}

void PrintRow(const std::string& what, const Row& row) {
    std::printf("| %-31s | %8.1f | %8.1f | %5.2f | %4.2f-%4.2f |\n", what.c_str(), row.program,
                row.bare, row.ratio, row.lowRatio, row.highRatio);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench PRESOVOL_EXE BARE_EXE [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 3 ? std::atoi(argv[3]) : kDefaultRounds;
    if (rounds < 1) {
        std::fprintf(stderr, "ROUNDS must be at least 1\n");
        return 2;
    }
    // The bare program shows the same launcher, caption included.
    const Subject program{WindowsPath(argv[1]), "Presovol"};
    const Subject bare{WindowsPath(argv[2]), "Presovol"};
    Times programTimes;
    Times bareTimes;

    // One uncounted start of each fills the file cache and the server's tables.
    Times warmUp;
    if (!RunOnce(program, 0, warmUp) || !RunOnce(bare, 0, warmUp)) {
        return 1;
    }
    // The order alternates from round to round, and each round begins with the next launcher
    // button, so that the first click of a process falls on every calculator in turn.
    for (int round = 0; round < rounds; ++round) {
        const bool programFirst = round % 2 == 0;
        const Subject& a = programFirst ? program : bare;
        const Subject& b = programFirst ? bare : program;
        if (!RunOnce(a, round, programFirst ? programTimes : bareTimes) ||
            !RunOnce(b, round, programFirst ? bareTimes : programTimes)) {
            return 1;
        }
    }

    std::printf("time to first paint, medians of %d rounds (ms); spread: the quartiles of the "
                "rounds' ratios\n\n",
                rounds);
    std::printf("| %-31s | %8s | %8s | %5s | %9s |\n", "", "Presovol", "bare", "ratio", "spread");
    std::printf("|---|---:|---:|---:|---:|\n");
    PrintRow("start to launcher painted", Compare(programTimes.startUp, bareTimes.startUp));
    Row mean{};
    for (int i = 0; i < kButtonCount; ++i) {
        const Button& button = kLauncherButtons[i];
        const Row row = Compare(programTimes.clicks[i], bareTimes.clicks[i]);
        PrintRow(std::string("click ") + button.name + " (" + std::to_string(button.id) + ")", row);
        mean.program += row.program / kButtonCount;
        mean.bare += row.bare / kButtonCount;
        mean.lowRatio += row.lowRatio / kButtonCount;
        mean.highRatio += row.highRatio / kButtonCount;
    }
    mean.ratio = mean.program / mean.bare;
    PrintRow("click, mean of the 8", mean);
    PrintRow("close to process end", Compare(programTimes.close, bareTimes.close));
    return 0;
}

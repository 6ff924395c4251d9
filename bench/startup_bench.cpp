// Times from outside how soon Presovol.exe shows its launcher painted after its start, and how
// soon each calculator shows painted after a click on its launcher button, beside the same for
// the minimal dialog program built with the same framework and toolchain. Rounds of the two
// programs alternate; the medians of each and their ratio are printed.
//   startup_bench PRESOVOL_EXE MINIMAL_EXE [ROUNDS]
#include "bench/minimal_dialog.h"
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

constexpr int kDefaultRounds = 11;
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
const Button kMinimalButton = {IDC_MINIMAL_OPEN, "Open"};

// One program under test: where it is, a part of its main window's caption, and the buttons
// that open its dialogs. Each start clicks kButtonCount times, taking the buttons in turn.
struct Subject {
    std::string path;
    const char* title;
    std::vector<Button> buttons;
};

// Everything measured of one program, in seconds.
struct Times {
    std::vector<double> startUp;
    std::vector<std::vector<double>> clicks; // per button
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

private:
    PROCESS_INFORMATION m_info{};
};

bool Fail(const char* what, const Subject& subject) {
    std::fprintf(stderr, "%s: %s\n", subject.path.c_str(), what);
    return false;
}

// Starts the program, clicks kButtonCount times beginning with button first, closes it. Adds
// what it measured to times.
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

    const int buttonCount = static_cast<int>(subject.buttons.size());
    for (int click = 0; click < kButtonCount; ++click) {
        const int index = (first + click) % buttonCount;
        const int id = subject.buttons[index].id;
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

double MedianMs(std::vector<double> seconds) {
    std::sort(seconds.begin(), seconds.end());
    const size_t n = seconds.size();
    const double median = n % 2 == 1 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2;
    return median * 1000;
}

void PrintRow(const std::string& what, const std::vector<double>& program,
              const std::vector<double>& minimal) {
    const double a = MedianMs(program);
    const double b = MedianMs(minimal);
    std::printf("%-28s %10.1f %10.1f %7.2f\n", what.c_str(), a, b, a / b);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench PRESOVOL_EXE MINIMAL_EXE [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 3 ? std::atoi(argv[3]) : kDefaultRounds;
    if (rounds < 1) {
        std::fprintf(stderr, "ROUNDS must be at least 1\n");
        return 2;
    }
    const Subject program{
        WindowsPath(argv[1]), "Presovol",
        std::vector<Button>(std::begin(kLauncherButtons), std::end(kLauncherButtons))};
    const Subject minimal{WindowsPath(argv[2]), "Minimal dialog", {kMinimalButton}};
    Times programTimes;
    Times minimalTimes;
    programTimes.clicks.resize(program.buttons.size());
    minimalTimes.clicks.resize(minimal.buttons.size());

    // One uncounted start of each fills the file cache and the server's tables.
    Times warmUp;
    warmUp.clicks.resize(kButtonCount);
    if (!RunOnce(program, 0, warmUp) || !RunOnce(minimal, 0, warmUp)) {
        return 1;
    }
    // The order alternates from round to round, and each round begins with the next launcher
    // button, so that the first click of a process falls on every calculator in turn.
    for (int round = 0; round < rounds; ++round) {
        const bool programFirst = round % 2 == 0;
        const Subject& a = programFirst ? program : minimal;
        const Subject& b = programFirst ? minimal : program;
        if (!RunOnce(a, round, programFirst ? programTimes : minimalTimes) ||
            !RunOnce(b, round, programFirst ? minimalTimes : programTimes)) {
            return 1;
        }
    }

    std::printf("time to first paint, medians of %d rounds (ms)\n", rounds);
    std::printf("%-28s %10s %10s %7s\n", "", "Presovol", "minimal", "ratio");
    PrintRow("start to launcher painted", programTimes.startUp, minimalTimes.startUp);
    for (int i = 0; i < kButtonCount; ++i) {
        const Button& button = kLauncherButtons[i];
        PrintRow(std::string("click ") + button.name + " (" + std::to_string(button.id) + ")",
                 programTimes.clicks[i], minimalTimes.clicks[0]);
    }
    PrintRow("close to process end", programTimes.close, minimalTimes.close);
    return 0;
}

// Soak of the running program: the launcher opens its eight calculators again and again, each
// is typed into, hovered and clicked with the real mouse, shows a result or a message, and is
// closed. Afterwards the program holds no more GDI objects, windows, other USER objects (menus,
// icons, cursors) and skinned controls than it did after the first round, and still answers.
// PRESOVOL_SOAK names how many openings in all: 200 when it is unset, enough that a leak of one
// object per opening shows; ./test --soak runs a thousand.
#include "win/harness/gdi_count.h"
#include "win/harness/harness.h"

#include "app/launcher_dlg.h"
#include "framework/ddx.h"
#include "res/resource.h"
#include "skin/control_skin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kDefaultOpenings = 200;

using Texts = std::vector<const char*>;

struct Method {
    const char* name;
    int button;
    int resultId;
    std::vector<int> edits; // in binding order
    Texts valid;            // a worked example...
    const char* shown;      // ...and the sentence it shows
    Texts failing;          // no volume: the message
};

const std::vector<Method>& Methods() {
    static const std::vector<Method> methods = {
        {"AuxPower",
         IDC_AUX_POWER,
         IDC_AUX_RESULT,
         {IDC_AUX_DELTA_V, IDC_AUX_N, IDC_AUX_P0, IDC_AUX_P1, IDC_AUX_P2},
         {"10", "1", "9", "10", "20"},
         "根据您的参数计算出蓄能器所需容积为：22.22 升。",
         {"10", "1", "9", "20", "10"}},
        {"ShockA",
         IDC_SHOCK_A,
         IDC_SHOCKA_RESULT,
         {IDC_SHOCKA_RHO, IDC_SHOCKA_A, IDC_SHOCKA_L, IDC_SHOCKA_V, IDC_SHOCKA_P0, IDC_SHOCKA_P2},
         {"0.9", "0.01", "200", "4", "9", "12"},
         "根据您的参数计算出蓄能器所需容积为：7.46 升。",
         {"0.9", "0.01", "200", "4", "12", "9"}},
        {"PulseA",
         IDC_PULSE_A,
         IDC_PULSEA_RESULT,
         {IDC_PULSEA_A, IDC_PULSEA_L, IDC_PULSEA_K, IDC_PULSEA_P1, IDC_PULSEA_P2, IDC_PULSEA_P0},
         {"0.001", "0.05", "0.6", "10", "12", "8"},
         "根据您的参数计算出蓄能器所需容积为：0.29 升。",
         {"0.001", "0.05", "0.6", "12", "10", "8"}},
        {"ShockB",
         IDC_SHOCK_B,
         IDC_SHOCKB_RESULT,
         {IDC_SHOCKB_Q, IDC_SHOCKB_P1, IDC_SHOCKB_P2, IDC_SHOCKB_L, IDC_SHOCKB_T},
         {"100", "10", "14", "50", "0"},
         "根据您的参数计算出蓄能器所需容积为：1.15 升。",
         {"100", "10", "14", "50", "1"}},
        {"PulseB",
         IDC_PULSE_B,
         IDC_PULSEB_RESULT,
         {IDC_PULSEB_VP, IDC_PULSEB_P1, IDC_PULSEB_P2, IDC_PULSEB_K},
         {"0.1", "10", "12", "0.6"},
         "根据您的参数计算出蓄能器所需容积为：1.07 升。",
         {"0.1", "12", "10", "0.6"}},
        {"PulseC",
         IDC_PULSE_C,
         IDC_PULSEC_RESULT,
         {IDC_PULSEC_DELTA_V, IDC_PULSEC_P1, IDC_PULSEC_P2},
         {"0.1", "10", "12"},
         "根据您的参数计算出蓄能器所需容积为：0.82 升。",
         {"0.1", "12", "10"}},
        {"PulseD",
         IDC_PULSE_D,
         IDC_PULSED_RESULT,
         {IDC_PULSED_VP, IDC_PULSED_DELTA_V, IDC_PULSED_PP, IDC_PULSED_DELTA_P},
         {"2", "0.05", "10", "0.5"},
         "根据您的参数计算出蓄能器所需容积为：1.67 升。",
         {"2", "0.05", "10", "-0.5"}},
        {"ShockC",
         IDC_SHOCK_C,
         IDC_SHOCKC_RESULT,
         {IDC_SHOCKC_Q, IDC_SHOCKC_L, IDC_SHOCKC_D, IDC_SHOCKC_P1, IDC_SHOCKC_P2, IDC_SHOCKC_P0,
          IDC_SHOCKC_T, IDC_SHOCKC_RHO},
         {"300", "150", "20", "100", "140", "80", "0", "0.9"},
         "根据您的参数计算出蓄能器所需容积为：4.10 升。",
         {"300", "150", "20", "100", "140", "80", "0.02", "0.9"}},
    };
    return methods;
}

// Texts that are no number, typed in turn into one of the edits.
const char* const kRejectedTexts[] = {"abc", "1,5", "", "1e400", "\xA3", "--1", "0x10"};

// What one opening of a calculator does.
enum class Input { Valid, Failing, Rejected };

// The live objects of the process that a leak would let grow.
struct Counts {
    int gdiObjects;
    int windows;
    int userObjects; // USER objects: see CountUserObjects
    int skinNodes;
    int staleNodes; // nodes whose window is gone
};

// Whether handle is an icon or a cursor of this process.
bool IsIcon(HICON handle) {
    ICONINFO info;
    if (!::GetIconInfo(handle, &info)) {
        return false;
    }
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr) {
        ::DeleteObject(info.hbmColor);
    }
    return true;
}

// The live USER objects of this process, windows among them, as GetGuiResources counts them.
// Wine answers 0 there: then the menus, icons and cursors, the windows being counted apart.
// Every handle of the USER table is tried, each named by its index alone (the even numbers
// from 0x20), which Wine takes for the live object of that index.
int CountUserObjects() {
    if (const DWORD objects = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS)) {
        return static_cast<int>(objects);
    }
    int count = 0;
    for (UINT_PTR index = 0x20; index < 0x10000; index += 2) {
        if (::IsMenu(reinterpret_cast<HMENU>(index)) || IsIcon(reinterpret_cast<HICON>(index))) {
            ++count;
        }
    }
    return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    ::EnumChildWindows(hwnd, &CountChild, count);
    return TRUE;
}

Counts CountLiveObjects() {
    PumpMessages();
    int windows = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    int nodes = 0;
    int stale = 0;
    for (const SkinnedControl* node = SkinRegistryHead(); node != nullptr; node = node->next) {
        ++nodes;
        if (!::IsWindow(node->hwnd)) {
            ++stale;
        }
    }
    return {CountGdiObjects(), windows, CountUserObjects(), nodes, stale};
}

POINT Centre(HWND control) {
    RECT rect;
    ::GetWindowRect(control, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Moves the pointer to at, as the user's mouse does, and lets the moves arrive; answers whether
// window then lies under the pointer. A window that has just opened may not take the pointer
// at once: wait until it does.
bool PointAt(POINT at, HWND window) {
    for (int tries = 0; tries < 200; ++tries) {
        ::SetCursorPos(at.x, at.y);
        PumpMessages();
        if (::WindowFromPoint(at) == window) {
            return true;
        }
        ::Sleep(10);
    }
    return false;
}

bool Hover(HWND control) {
    return PointAt(Centre(control), control);
}

// Presses and releases the left button where the pointer is.
void Click() {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &input, sizeof input);
    PumpMessages();
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &input, sizeof input);
}

// Drives one calculator through one opening; fails the test and answers false on the first
// fault.
class CalculatorDriver {
public:
    CalculatorDriver(const MessageBoxCatcher& boxes) : m_boxes(boxes) {}

    void Prepare(const Method& method, Input input, int round) {
        m_method = &method;
        m_input = input;
        m_round = round;
        m_driven = false;
    }
    bool Driven() const { return m_driven; }

    void Drive(HWND dialog) {
        const Method& method = *m_method;
        SCOPED_TRACE(std::string(method.name) + " round " + std::to_string(m_round));
        const Texts& texts = m_input == Input::Failing ? method.failing : method.valid;
        const size_t rejectedEdit = static_cast<size_t>(m_round) % method.edits.size();
        for (size_t i = 0; i < method.edits.size(); ++i) {
            const bool rejected = m_input == Input::Rejected && i == rejectedEdit;
            SetItemText(dialog, method.edits[i],
                        rejected ? kRejectedTexts[m_round % std::size(kRejectedTexts)] : texts[i]);
            ASSERT_TRUE(Hover(::GetDlgItem(dialog, method.edits[i])));
        }

        // A click into one of the edits takes the focus there.
        HWND clicked = ::GetDlgItem(dialog, method.edits[(m_round / 2) % method.edits.size()]);
        ASSERT_TRUE(Hover(clicked));
        Click();
        for (int waited = 0; waited < 5000 && ::GetFocus() != clicked; waited += 5) {
            ::Sleep(5);
            PumpMessages();
        }
        EXPECT_EQ(::GetFocus(), clicked);

        // Press "计算" with the mouse.
        HWND button = ::GetDlgItem(dialog, IDC_CALCULATE);
        ASSERT_TRUE(Hover(button));
        // The pointer reaches the button through the skin, which shows it hot.
        const SkinnedControl* skinned = FindSkinned(button);
        ASSERT_NE(skinned, nullptr);
        EXPECT_TRUE(skinned->state & kSkinHot);
        const size_t boxesBefore = m_boxes.Seen().size();
        Click();
        // The click's messages arrive through the queue: wait for what it brings.
        const std::string shown = method.shown;
        for (int waited = 0; waited < 5000; waited += 5) {
            PumpMessages();
            if (m_boxes.Seen().size() > boxesBefore || ItemText(dialog, method.resultId) == shown) {
                break;
            }
            ::Sleep(5);
        }
        PumpMessages();

        const std::vector<MessageBoxSeen> seen(m_boxes.Seen().begin() + boxesBefore,
                                               m_boxes.Seen().end());
        switch (m_input) {
        case Input::Valid:
            EXPECT_TRUE(seen.empty());
            EXPECT_EQ(ItemText(dialog, method.resultId), shown);
            break;
        case Input::Failing:
            ASSERT_EQ(seen.size(), 1u);
            EXPECT_EQ(seen[0].text, "输入的参数有误，请重新输入！");
            EXPECT_EQ(ItemText(dialog, method.resultId), "");
            break;
        case Input::Rejected:
            ASSERT_EQ(seen.size(), 1u);
            EXPECT_EQ(seen[0].text, kParseNumberMessage);
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, method.edits[rejectedEdit]));
            EXPECT_EQ(ItemText(dialog, method.resultId), "");
            break;
        }
        // Off the button again, onto the result line, which lets the pointer through to the
        // dialog; then closed by the close box or by Escape.
        ASSERT_TRUE(PointAt(Centre(::GetDlgItem(dialog, method.resultId)), dialog));
        if (m_round % 2 == 0) {
            ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        }
        m_driven = true;
    }

private:
    const MessageBoxCatcher& m_boxes;
    const Method* m_method = nullptr;
    Input m_input = Input::Valid;
    int m_round = 0;
    bool m_driven = false;
};

// The calculator that the launcher has opened: a shown framework dialog that it owns.
HWND OpenCalculator(HWND launcher) {
    struct Search {
        HWND launcher;
        HWND found;
    } search{launcher, nullptr};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            if (::GetWindow(hwnd, GW_OWNER) == s->launcher && ::IsWindowVisible(hwnd) &&
                CWnd::FromHandlePermanent(hwnd) != nullptr) {
                s->found = hwnd;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

CalculatorDriver* g_driver = nullptr;
HWND g_launcher = nullptr;

// Fires inside the modal loop of the calculator that the click has opened.
void CALLBACK DriveOpenCalculator(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    if (HWND calculator = OpenCalculator(g_launcher)) {
        g_driver->Drive(calculator);
    }
}

// Whether the launcher answers a message sent from another thread within a few seconds.
bool Answers(HWND launcher) {
    bool answered = false;
    bool done = false;
    std::thread other([&] {
        DWORD_PTR result = 0;
        answered =
            ::SendMessageTimeoutA(launcher, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
        done = true;
    });
    // The sent message is handled while this thread looks at its queue.
    while (!done) {
        PumpMessages();
        ::Sleep(1);
    }
    other.join();
    return answered;
}

// The rounds of eight openings that PRESOVOL_SOAK asks for, at least two: the first one sets
// the level that the others must keep. 0 when the variable is no count of openings.
int Rounds(int methods) {
    const char* asked = std::getenv("PRESOVOL_SOAK");
    int openings = kDefaultOpenings;
    if (asked != nullptr && *asked != '\0') {
        char* end = nullptr;
        const long value = std::strtol(asked, &end, 10);
        if (*end != '\0' || value <= 0 || value > 1000000) {
            return 0;
        }
        openings = static_cast<int>(value);
    }
    return std::max(2, (openings + methods - 1) / methods);
}

TEST(Soak, OpeningsLeaveNoObjectBehind) {
    const auto& methods = Methods();
    const int rounds = Rounds(static_cast<int>(methods.size()));
    ASSERT_GT(rounds, 0) << "PRESOVOL_SOAK is no count of openings: "
                         << std::getenv("PRESOVOL_SOAK");
    CLauncherDlg launcher;
    AfxGetApp()->m_pMainWnd = &launcher;
    RunModal(launcher, [&](HWND hwnd) {
        MessageBoxCatcher boxes;
        CalculatorDriver driver(boxes);
        g_driver = &driver;
        g_launcher = hwnd;
        const Counts start = CountLiveObjects();
        Counts firstRound{};
        const DWORD started = ::GetTickCount();
        int openings = 0;
        for (int round = 0; round < rounds && !HasFailure(); ++round) {
            for (size_t m = 0; m < methods.size() && !HasFailure(); ++m) {
                const auto input = static_cast<Input>((round + static_cast<int>(m)) % 3);
                driver.Prepare(methods[m], input, round);
                HWND button = ::GetDlgItem(hwnd, methods[m].button);
                ASSERT_TRUE(Hover(button));
                ::SetTimer(nullptr, 0, 1, &DriveOpenCalculator);
                ClickItem(hwnd, methods[m].button);
                ASSERT_TRUE(driver.Driven()) << methods[m].name << " round " << round;
                ++openings;
            }
            if (round == 0) {
                firstRound = CountLiveObjects();
            }
        }
        const Counts end = CountLiveObjects();
        const DWORD elapsed = ::GetTickCount() - started;
        std::printf("soak: %d openings, %zu message boxes, %lu ms\n", openings, boxes.Seen().size(),
                    static_cast<unsigned long>(elapsed));
        std::printf("soak: GDI objects %d at start, %d after the first round, %d at the end\n",
                    start.gdiObjects, firstRound.gdiObjects, end.gdiObjects);
        std::printf("soak: windows %d at start, %d after the first round, %d at the end\n",
                    start.windows, firstRound.windows, end.windows);
        std::printf("soak: USER objects %d at start, %d after the first round, %d at "
                    "the end\n",
                    start.userObjects, firstRound.userObjects, end.userObjects);
        std::printf("soak: skin nodes %d at start, %d after the first round, %d at the end\n",
                    start.skinNodes, firstRound.skinNodes, end.skinNodes);
        std::fflush(stdout);
        EXPECT_EQ(openings, rounds * static_cast<int>(methods.size()));
        // What the openings after the first round gained: a leak of one object per opening
        // gains one for each of them.
        const int later = openings - static_cast<int>(methods.size());
        ASSERT_GT(firstRound.gdiObjects, 0);
        EXPECT_EQ(end.gdiObjects - firstRound.gdiObjects, 0)
            << "GDI objects gained in " << later << " openings";
        EXPECT_EQ(end.windows - firstRound.windows, 0)
            << "windows gained in " << later << " openings";
        EXPECT_EQ(end.userObjects - firstRound.userObjects, 0)
            << "USER objects gained in " << later << " openings";
        // The launcher's controls are skinned; those of the closed calculators are gone.
        ASSERT_GT(firstRound.skinNodes, 0);
        EXPECT_EQ(end.skinNodes - firstRound.skinNodes, 0)
            << "skinned controls gained in " << later << " openings";
        EXPECT_EQ(end.staleNodes, 0);
        EXPECT_TRUE(::IsWindowEnabled(hwnd));
        EXPECT_TRUE(Answers(hwnd));
    });
    AfxGetApp()->m_pMainWnd = nullptr;
}

} // namespace

// Times the skin's painters on real 100 x 30 controls, each beside the control's own repaint
// in the same run, and prints one table row per control kind.
#include "skin/painters.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Kind {
    const char* name;
    void (*painter)(SkinnedControl*);
    const char* className;
    DWORD style;
    DWORD exStyle;
    SkinKind kind;
};

const Kind kKinds[] = {
    {"push button", PaintPushButton, "Button", BS_PUSHBUTTON, 0, kSkinPushButton},
    {"check box", PaintCheckBox, "Button", BS_AUTOCHECKBOX, 0, kSkinCheckBox},
    {"radio button", PaintRadioButton, "Button", BS_AUTORADIOBUTTON, 0, kSkinRadioButton},
    {"edit frame", PaintEditFrame, "Edit", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kSkinEdit},
    {"combo box", PaintComboBox, "ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 0, kSkinComboBox},
};

constexpr int kWarmUp = 200;
constexpr int kCalls = 600;
// Skin and own paints are timed in alternating rounds; the median round of each counts, so a
// burst of load on the machine touches both sides alike and is dropped.
constexpr int kRounds = 7;

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Microseconds per call of paint over kCalls calls.
template <typename Paint> double MicrosecondsPer(Paint paint) {
    const double start = Seconds();
    for (int i = 0; i < kCalls; ++i) {
        paint(i);
    }
    return (Seconds() - start) * 1e6 / kCalls;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Makes the closed combo box 30 pixels high through the height asked for its selection field
// (the platform may add to what is asked).
void MakeComboThirtyHigh(HWND combo) {
    LRESULT asked = ::SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; attempt < 4; ++attempt) {
        RECT rect;
        ::GetWindowRect(combo, &rect);
        const LONG height = rect.bottom - rect.top;
        if (height == 30) {
            return;
        }
        asked += 30 - height;
        ::SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), asked);
    }
}

} // namespace

int main() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = "PresovolBenchHost";
    ::RegisterClassA(&wc);
    HWND host = ::CreateWindowExA(0, wc.lpszClassName, "bench", WS_POPUP | WS_VISIBLE, 40, 40, 200,
                                  260, nullptr, nullptr, wc.hInstance, nullptr);
    if (host == nullptr) {
        std::fprintf(stderr, "cannot create the host window (error %lu)\n", ::GetLastError());
        return 1;
    }
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));

    std::printf("%-13s %-8s %14s %14s %7s\n", "control", "size", "skin us/paint", "own us/paint",
                "ratio");
    int y = 8;
    for (const Kind& kind : kKinds) {
        HWND control = ::CreateWindowExA(
            kind.exStyle, kind.className, "Bench", kind.style | WS_CHILD | WS_VISIBLE, 8, y, 100,
            kind.kind == kSkinComboBox ? 200 : 30, host, nullptr, wc.hInstance, nullptr);
        if (control == nullptr) {
            std::fprintf(stderr, "cannot create the %s (error %lu)\n", kind.name, ::GetLastError());
            return 1;
        }
        ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (kind.kind == kSkinComboBox) {
            ::SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Bench"));
            ::SendMessageA(control, CB_SETCURSEL, 0, 0);
            MakeComboThirtyHigh(control);
        }
        y += 40;
        ::UpdateWindow(host);
        Pump();

        SkinnedControl node = {control, kind.kind, 0, nullptr, nullptr};
        const SkinState states[4] = {0, kSkinHot, kSkinFocused | kSkinChecked, kSkinPressed};
        auto skinPaint = [&](int i) {
            node.state = states[i % 4];
            kind.painter(&node);
        };
        auto ownPaint = [&](int) {
            ::RedrawWindow(control, nullptr, nullptr,
                           RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ERASENOW);
        };
        for (int i = 0; i < kWarmUp; ++i) {
            skinPaint(i);
            ownPaint(i);
        }
        std::vector<double> skinRounds;
        std::vector<double> ownRounds;
        for (int round = 0; round < kRounds; ++round) {
            skinRounds.push_back(MicrosecondsPer(skinPaint));
            ownRounds.push_back(MicrosecondsPer(ownPaint));
        }
        const double skin = Median(skinRounds);
        const double own = Median(ownRounds);
        RECT rect;
        ::GetWindowRect(control, &rect);
        char size[16];
        std::snprintf(size, sizeof size, "%ldx%ld", rect.right - rect.left, rect.bottom - rect.top);
        std::printf("%-13s %-8s %14.1f %14.1f %7.2f\n", kind.name, size, skin, own, skin / own);
    }
    ::DestroyWindow(host);
    return 0;
}

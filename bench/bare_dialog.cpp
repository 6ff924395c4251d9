// The floor of Presovol's start-up and clicks: the program's own launcher and calculator
// templates shown by trivial dialog procedures of plain Win32, with the same empty thread-wide
// call-window hook that the skin sets, and nothing else. The start-up benchmark runs it beside
// Presovol.exe.
#include "res/resource.h"

#include <windows.h>

namespace {

// The calculator template each launcher button opens.
const struct {
    int button;
    int dialog;
} kCalculators[] = {
    {IDC_AUX_POWER, IDD_AUX_POWER}, {IDC_SHOCK_A, IDD_SHOCK_A}, {IDC_SHOCK_B, IDD_SHOCK_B},
    {IDC_SHOCK_C, IDD_SHOCK_C},     {IDC_PULSE_A, IDD_PULSE_A}, {IDC_PULSE_B, IDD_PULSE_B},
    {IDC_PULSE_C, IDD_PULSE_C},     {IDC_PULSE_D, IDD_PULSE_D},
};

HHOOK g_hook = nullptr;

LRESULT CALLBACK PassOn(int code, WPARAM wParam, LPARAM lParam) {
    return ::CallNextHookEx(g_hook, code, wParam, lParam);
}

INT_PTR CALLBACK CalculatorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

INT_PTR CALLBACK LauncherProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        // Where the skin sets its hook: after the launcher's controls, before any calculator.
        g_hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &PassOn, nullptr, ::GetCurrentThreadId());
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        for (const auto& calculator : kCalculators) {
            if (LOWORD(wParam) == calculator.button && HIWORD(wParam) == BN_CLICKED) {
                ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(calculator.dialog),
                                  dialog, &CalculatorProc, 0);
                return TRUE;
            }
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    ::DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_LAUNCHER), nullptr, &LauncherProc, 0);
    if (g_hook != nullptr) {
        ::UnhookWindowsHookEx(g_hook);
    }
    return 0;
}

#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <typeinfo>

namespace {

// The application object of the test programs: a title for message boxes, no main window.
CWinApp g_testApp;

struct PendingBody {
    CDialog* dialog;
    const std::function<void(HWND)>* body;
    bool* ran;
};
PendingBody g_pending{};

void CALLBACK RunPendingBody(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    PendingBody pending = g_pending;
    g_pending = PendingBody{};
    if (pending.dialog == nullptr) {
        return;
    }
    HWND hwnd = pending.dialog->m_hWnd;
    *pending.ran = true;
    (*pending.body)(hwnd);
    if (pending.dialog->m_hWnd == hwnd && pending.dialog->ContinueModal()) {
        pending.dialog->EndDialog(kLeftOpen);
    }
}

MessageBoxCatcher* g_catcher = nullptr;
HHOOK g_catcherHook = nullptr;

} // namespace

INT_PTR RunModal(CDialog& dialog, const std::function<void(HWND)>& body) {
    bool ran = false;
    g_pending = PendingBody{&dialog, &body, &ran};
    // A thread timer fires inside the dialog's own modal loop.
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 1, &RunPendingBody);
    const INT_PTR result = dialog.DoModal();
    if (!ran) {
        // Nothing may fire later, in another test's loop, with this dialog and body.
        ::KillTimer(nullptr, timer);
        g_pending = PendingBody{};
        ADD_FAILURE() << "RunModal: the test body never ran: "
                      << (result == -1 ? "the dialog did not open"
                                       : "the dialog closed before its modal loop")
                      << " (" << typeid(dialog).name() << ", DoModal answered " << result << ")";
    }
    return result;
}

void PumpMessages() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

void PumpFor(int ms) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
    do {
        PumpMessages();
        ::Sleep(5);
    } while (static_cast<int>(end - ::GetTickCount()) > 0);
    PumpMessages();
}

MessageBoxCatcher::MessageBoxCatcher() {
    g_catcher = this;
    g_catcherHook =
        ::SetWindowsHookExA(WH_CBT, &MessageBoxCatcher::Hook, nullptr, ::GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher() {
    ::UnhookWindowsHookEx(g_catcherHook);
    g_catcherHook = nullptr;
    g_catcher = nullptr;
}

namespace {

void CALLBACK CloseMessageBox(HWND box, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(box, timer);
    // The first button of every box the program shows is OK.
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
}

} // namespace

LRESULT CALLBACK MessageBoxCatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_catcher != nullptr) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[64] = {};
        ::GetClassNameA(box, className, sizeof className);
        // A message box is a #32770 dialog with no framework object bound to it.
        if (lstrcmpA(className, "#32770") == 0 && CWnd::FromHandlePermanent(box) == nullptr) {
            MessageBoxSeen seen;
            seen.caption = WindowText(box);
            seen.text = ItemText(box, 0xFFFF);
            seen.owner = ::GetWindow(box, GW_OWNER);
            seen.style = static_cast<UINT>(::GetWindowLongA(box, GWL_STYLE));
            g_catcher->m_seen.push_back(seen);
            ::SetTimer(box, 1, 1, &CloseMessageBox);
        }
    }
    return ::CallNextHookEx(g_catcherHook, code, wParam, lParam);
}

namespace {
NestedDialogCatcher* g_dialogCatcher = nullptr;
}

NestedDialogCatcher::NestedDialogCatcher(std::function<void(HWND)> inspect)
    : m_inspect(std::move(inspect)) {
    // Windows open already (the dialog under test) are not caught when activated again.
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&m_existing));
    g_dialogCatcher = this;
    m_hook =
        ::SetWindowsHookExA(WH_CBT, &NestedDialogCatcher::Hook, nullptr, ::GetCurrentThreadId());
}

NestedDialogCatcher::~NestedDialogCatcher() {
    ::UnhookWindowsHookEx(m_hook);
    g_dialogCatcher = nullptr;
}

LRESULT CALLBACK NestedDialogCatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
    NestedDialogCatcher* catcher = g_dialogCatcher;
    if (code == HCBT_ACTIVATE && catcher != nullptr) {
        HWND dialog = reinterpret_cast<HWND>(wParam);
        // A dialog bound to a framework object, opened while the catcher lives.
        if (CWnd::FromHandlePermanent(dialog) != nullptr &&
            std::find(catcher->m_existing.begin(), catcher->m_existing.end(), dialog) ==
                catcher->m_existing.end() &&
            ::GetPropA(dialog, "NestedDialogCatcher") == nullptr) {
            ::SetPropA(dialog, "NestedDialogCatcher", reinterpret_cast<HANDLE>(1));
            catcher->m_captions.push_back(WindowText(dialog));
            ::SetTimer(dialog, 0x7E57, 1, &NestedDialogCatcher::Inspect);
        }
    }
    return ::CallNextHookEx(catcher != nullptr ? catcher->m_hook : nullptr, code, wParam, lParam);
}

void CALLBACK NestedDialogCatcher::Inspect(HWND dialog, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(dialog, timer);
    ::RemovePropA(dialog, "NestedDialogCatcher");
    if (g_dialogCatcher != nullptr && g_dialogCatcher->m_inspect) {
        g_dialogCatcher->m_inspect(dialog);
    }
    if (::IsWindow(dialog)) {
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

std::string WindowText(HWND hwnd) {
    return CWnd::FromHandle(hwnd)->GetWindowText().Str();
}

std::string ItemText(HWND dialog, int id) {
    HWND item = ::GetDlgItem(dialog, id);
    return item != nullptr ? WindowText(item) : std::string();
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    ::SetDlgItemTextA(dialog, id, text.c_str());
}

void ClickItem(HWND dialog, int id) {
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

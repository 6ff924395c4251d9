#include "message_box_inspector.h"

#include "framework/framework.h"

namespace {

MessageBoxInspector* g_inspector = nullptr;
constexpr UINT_PTR kInspectTimer = 0x1B0C;

} // namespace

MessageBoxInspector::MessageBoxInspector(std::function<void(HWND)> inspect)
    : m_inspect(std::move(inspect)) {
    g_inspector = this;
    m_hook =
        ::SetWindowsHookExA(WH_CBT, &MessageBoxInspector::Hook, nullptr, ::GetCurrentThreadId());
}

MessageBoxInspector::~MessageBoxInspector() {
    ::UnhookWindowsHookEx(m_hook);
    g_inspector = nullptr;
}

LRESULT CALLBACK MessageBoxInspector::Hook(int code, WPARAM wParam, LPARAM lParam) {
    MessageBoxInspector* inspector = g_inspector;
    if (code == HCBT_ACTIVATE && inspector != nullptr) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char className[64] = {};
        ::GetClassNameA(box, className, sizeof className);
        // A message box is a #32770 dialog with no framework object bound to it.
        if (lstrcmpA(className, "#32770") == 0 && CWnd::FromHandlePermanent(box) == nullptr) {
            ::SetTimer(box, kInspectTimer, 1, &MessageBoxInspector::Inspect);
        }
    }
    return ::CallNextHookEx(inspector != nullptr ? inspector->m_hook : nullptr, code, wParam,
                            lParam);
}

void CALLBACK MessageBoxInspector::Inspect(HWND box, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(box, timer);
    if (g_inspector != nullptr) {
        ++g_inspector->m_count;
        if (g_inspector->m_inspect) {
            g_inspector->m_inspect(box);
        }
    }
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
}

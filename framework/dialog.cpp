#include "framework/dialog.h"

#include "framework/app.h"

namespace {

// One DoModal waiting for its window: the dialog object (null once bound) and the creation hook
// that binds the two. A DoModal started while another one runs (from its OnInitDialog, say)
// stacks its own record on the outer one.
struct PendingDialog {
    CDialog* dialog;
    HHOOK hook;
    PendingDialog* outer;
};
PendingDialog* g_pending = nullptr;

// The number of modal loops running, nested in one another.
int g_modalDepth = 0;

struct ModalDepth {
    ModalDepth() { ++g_modalDepth; }
    ~ModalDepth() { --g_modalDepth; }
    ModalDepth(const ModalDepth&) = delete;
    ModalDepth& operator=(const ModalDepth&) = delete;
};

// The class of dialog windows, #32770.
const ATOM kDialogClassAtom = 0x8002;

bool IsDialogClass(LPCSTR className) {
    if (IS_INTRESOURCE(className)) {
        return reinterpret_cast<ULONG_PTR>(className) == kDialogClassAtom;
    }
    return lstrcmpiA(className, "#32770") == 0;
}

} // namespace

BOOL AfxPreTranslateMessage(MSG* msg) {
    CWnd* main = AfxGetMainWnd();
    HWND stop = main != nullptr ? main->m_hWnd : nullptr;
    for (HWND hwnd = msg->hwnd; hwnd != nullptr; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
        if (wnd != nullptr && wnd->PreTranslateMessage(msg)) {
            return TRUE;
        }
        if (hwnd == stop) {
            break;
        }
    }
    return FALSE;
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

LRESULT CALLBACK CDialog::CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    PendingDialog* pending = g_pending;
    bool bound = false;
    if (code == HCBT_CREATEWND && pending != nullptr && pending->dialog != nullptr) {
        auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        if (IsDialogClass(create->lpcs->lpszClass)) {
            CDialog* dialog = pending->dialog;
            pending->dialog = nullptr;
            dialog->BindAtCreation(reinterpret_cast<HWND>(wParam));
            bound = true;
        }
    }
    HHOOK hook = pending != nullptr ? pending->hook : nullptr;
    const LRESULT result = ::CallNextHookEx(hook, code, wParam, lParam);
    if (bound && hook != nullptr) {
        // The dialog has its object: the creation of its controls need not pass through here.
        ::UnhookWindowsHookEx(hook);
        pending->hook = nullptr;
    }
    return result;
}

void CDialog::BindAtCreation(HWND hwnd) noexcept {
    // Bound before its first message, so the map sees WM_NCCREATE and WM_CREATE. A window that
    // cannot be bound keeps its own procedure; DoModal then destroys it.
    try {
        if (!Attach(hwnd)) {
            return;
        }
    } catch (...) {
        return;
    }
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hwnd));
    if (dialog == nullptr) {
        return TRUE;
    }
    try {
        return dialog->OnInitDialog();
    } catch (...) {
        return TRUE;
    }
}

INT_PTR CDialog::DoModal() {
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(m_templateId),
                                     MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    HGLOBAL loaded = resource != nullptr ? ::LoadResource(instance, resource) : nullptr;
    auto* dialogTemplate =
        loaded != nullptr ? static_cast<LPCDLGTEMPLATEW>(::LockResource(loaded)) : nullptr;
    if (dialogTemplate == nullptr) {
        return -1;
    }

    CWnd* ownerWnd = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    HWND owner = ownerWnd != nullptr && ownerWnd != this ? ownerWnd->m_hWnd : nullptr;
    if (owner != nullptr && !::IsWindow(owner)) {
        owner = nullptr;
    }
    const bool enableOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (enableOwner) {
        ::EnableWindow(owner, FALSE);
    }

    m_continueModal = true;
    m_modalResult = -1;
    PendingDialog pending{this, nullptr, g_pending};
    g_pending = &pending;
    pending.hook =
        ::SetWindowsHookExA(WH_CBT, &CDialog::CreationHook, nullptr, ::GetCurrentThreadId());
    // A Unicode dialog: the template's texts reach the controls without passing through the
    // system's ANSI code page.
    HWND hwnd =
        ::CreateDialogIndirectParamW(instance, dialogTemplate, owner, &CDialog::DialogProc, 0);
    if (pending.hook != nullptr) {
        ::UnhookWindowsHookEx(pending.hook);
    }
    g_pending = pending.outer;

    const bool bound = hwnd != nullptr && m_hWnd == hwnd;
    if (!bound) {
        m_continueModal = false;
    }
    if (hwnd != nullptr && !bound) {
        // Without the object the window has no map and could not be closed.
        ::DestroyWindow(hwnd);
        m_modalResult = -1;
    }
    if (bound && m_continueModal) {
        if ((GetStyle() & WS_VISIBLE) == 0) {
            ::ShowWindow(hwnd, SW_SHOWNORMAL);
        }
        RunModalLoop();
    }

    if (bound && m_hWnd != nullptr) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (enableOwner) {
        ::EnableWindow(owner, TRUE);
    }
    if (bound && owner != nullptr && ::GetActiveWindow() == m_hWnd) {
        ::SetActiveWindow(owner);
    }
    if (bound && m_hWnd != nullptr) {
        DestroyWindow();
    }
    return m_modalResult;
}

void CDialog::RunModalLoop() {
    const ModalDepth depth;
    bool askIdle = FindEntry(GetMessageMap(), WM_KICKIDLE, 0, 0) != nullptr;
    // The Unicode forms, so that typed characters reach the controls as they were typed.
    MSG msg;
    while (ContinueModal() && m_hWnd != nullptr) {
        // A handler of the outer loop may hold a temporary wrapper across a nested dialog.
        if (g_modalDepth == 1) {
            CWnd::DeleteTempMap();
        }
        // Timers come after the idle work as they come after the paint.
        if (askIdle && (HIWORD(::GetQueueStatus(QS_ALLINPUT)) & ~QS_TIMER) == 0) {
            askIdle = SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX) != 0;
        }
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends this loop and every one around it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_continueModal = false;
            m_modalResult = -1;
            break;
        }
        if (got == -1) {
            break;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void CDialog::EndDialog(int result) {
    m_modalResult = result;
    if (m_continueModal) {
        m_continueModal = false;
        // Wakes the modal loop so it sees the end at once.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (CWnd::PreTranslateMessage(msg)) {
        return TRUE;
    }
    const bool keyboard = msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST;
    const bool mouse = msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST;
    if (!keyboard && !mouse) {
        return FALSE;
    }
    return ::IsDialogMessageW(m_hWnd, msg);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

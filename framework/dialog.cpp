#include "framework/dialog.h"

#include "framework/app.h"

namespace {

// The dialog object waiting for its window, and the hook that binds the two.
CDialog* g_dialogInit = nullptr;
HHOOK g_creationHook = nullptr;

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
    if (code == HCBT_CREATEWND && g_dialogInit != nullptr) {
        auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        if (IsDialogClass(create->lpcs->lpszClass)) {
            // Bound before its first message, so the map sees WM_NCCREATE and WM_CREATE.
            CDialog* dialog = g_dialogInit;
            g_dialogInit = nullptr;
            HWND hwnd = reinterpret_cast<HWND>(wParam);
            dialog->Attach(hwnd);
            dialog->m_pfnSuper = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
                hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::AfxWndProc)));
        }
    }
    return ::CallNextHookEx(g_creationHook, code, wParam, lParam);
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
    g_dialogInit = this;
    g_creationHook =
        ::SetWindowsHookExA(WH_CBT, &CDialog::CreationHook, nullptr, ::GetCurrentThreadId());
    // A Unicode dialog: the template's texts reach the controls without passing through the
    // system's ANSI code page.
    HWND hwnd =
        ::CreateDialogIndirectParamW(instance, dialogTemplate, owner, &CDialog::DialogProc, 0);
    ::UnhookWindowsHookEx(g_creationHook);
    g_creationHook = nullptr;
    g_dialogInit = nullptr;

    if (hwnd != nullptr && m_continueModal) {
        if ((GetStyle() & WS_VISIBLE) == 0) {
            ::ShowWindow(hwnd, SW_SHOWNORMAL);
        }
        RunModalLoop();
    }

    if (m_hWnd != nullptr) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (enableOwner) {
        ::EnableWindow(owner, TRUE);
    }
    if (owner != nullptr && ::GetActiveWindow() == m_hWnd) {
        ::SetActiveWindow(owner);
    }
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
    return m_modalResult;
}

void CDialog::RunModalLoop() {
    // The Unicode forms, so that typed characters reach the controls as they were typed.
    MSG msg;
    while (m_continueModal && m_hWnd != nullptr) {
        CWnd::DeleteTempMap();
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends this loop and every one around it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
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

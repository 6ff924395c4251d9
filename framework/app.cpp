#include "framework/app.h"

#include <float.h>

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp(const char* appName) : m_appName(appName) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

HICON CWinApp::LoadIcon(UINT id) const {
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
}

const char* CWinApp::GetAppName() const {
    if (m_appName.IsEmpty()) {
        wchar_t path[MAX_PATH + 1] = {};
        const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        std::wstring name(path, length);
        const size_t slash = name.find_last_of(L"\\/");
        if (slash != std::wstring::npos) {
            name.erase(0, slash + 1);
        }
        const size_t dot = name.find_last_of(L'.');
        if (dot != std::wstring::npos) {
            name.erase(dot);
        }
        m_appName = CString(GbkFromWide(name));
    }
    return m_appName;
}

CWinApp* AfxGetApp() {
    return g_app;
}

const char* AfxGetAppName() {
    return g_app != nullptr ? g_app->GetAppName() : "";
}

HINSTANCE AfxGetResourceHandle() {
    return ::GetModuleHandleA(nullptr);
}

int AfxMessageBox(const char* text, UINT type) {
    HWND owner = ::GetActiveWindow();
    if (owner == nullptr) {
        CWnd* main = AfxGetMainWnd();
        owner = main != nullptr ? main->m_hWnd : nullptr;
    }
    return MessageBoxGbk(owner, text, AfxGetAppName(), type);
}

int AfxWinMain() {
    // Every floating-point exception stays masked: a division by zero gives an infinity.
    _controlfp(_MCW_EM, _MCW_EM);
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return 1;
    }
    app->InitInstance();
    // A WM_QUIT that ended the modal loops is still queued: its code is the program's.
    MSG quit;
    if (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        return static_cast<int>(quit.wParam);
    }
    return 0;
}

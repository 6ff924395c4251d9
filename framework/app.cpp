#include "framework/app.h"

#include "base/system_folders.h"

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
        // The executable's name without its extension.
        m_appName = CString(GbkFromWide(base::ProgramFile().stem().wstring()));
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

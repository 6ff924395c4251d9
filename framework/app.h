// The application object and the program's start.
#pragma once

#include "framework/wnd.h"

class CWinApp {
public:
    // A null name makes the executable's file name (without extension) the title.
    explicit CWinApp(const char* appName = nullptr);
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // The whole life of the program; FALSE ends it.
    virtual BOOL InitInstance() { return FALSE; }

    HICON LoadIcon(UINT id) const;
    const char* GetAppName() const;

    CWnd* m_pMainWnd = nullptr;

private:
    mutable CString m_appName;
};

CWinApp* AfxGetApp();
// The title of message boxes opened without a caption.
const char* AfxGetAppName();
HINSTANCE AfxGetResourceHandle();
// A message box owned by the active window of the program, captioned with its title.
int AfxMessageBox(const char* text, UINT type = MB_OK);
// The program's main routine: runs InitInstance of the one application object. Answers the
// code of the WM_QUIT that ended the program, or 0.
int AfxWinMain();

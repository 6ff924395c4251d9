#include "app/accum_app.h"

#include "app/launcher_dlg.h"

BOOL CAccumApp::InitInstance() {
    CLauncherDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

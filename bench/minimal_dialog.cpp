// The smallest program built as Presovol.exe is: the same framework, toolchain and static
// link, one dialog whose button opens a second dialog modally. The start-up benchmark runs it
// beside Presovol.exe, so that the time the platform itself takes is known.
#include "bench/minimal_dialog.h"
#include "framework/framework.h"

namespace {

class CSecondDlg : public CDialog {
public:
    CSecondDlg() : CDialog(IDD_MINIMAL_SECOND, nullptr) {}
};

class CMinimalDlg : public CDialog {
public:
    CMinimalDlg() : CDialog(IDD_MINIMAL, nullptr) {}

protected:
    void OnOpen() {
        CSecondDlg dlg;
        dlg.DoModal();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMinimalDlg, CDialog)
ON_BN_CLICKED(IDC_MINIMAL_OPEN, OnOpen)
END_MESSAGE_MAP()

class CMinimalApp : public CWinApp {
public:
    BOOL InitInstance() override {
        CMinimalDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }
};

CMinimalApp theApp;

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return AfxWinMain();
}

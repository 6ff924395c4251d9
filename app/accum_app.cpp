#include "app/accum_app.h"

#include "app/launcher_dlg.h"

#include <objbase.h>

namespace {

// COM on the user-interface thread for the program's life: the shell may hand ShellExecute's
// work to extensions that need an apartment-threaded one, without OLE1 DDE.
class ComApartment {
public:
    ComApartment()
        : m_initialised(SUCCEEDED(
              ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (m_initialised) {
            ::CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_initialised;
};

} // namespace

BOOL CAccumApp::InitInstance() {
    const ComApartment com;
    CLauncherDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

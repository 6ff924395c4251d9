#include "app/accum_app.h"

#include "app/launcher_dlg.h"

#include <objbase.h>
#include <shellapi.h>

#include <string>

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

// The file named first on the program's command line, as Windows passes a sheet dropped on the
// program or opened with it; empty when none is.
std::wstring FileOnCommandLine() {
    int count = 0;
    LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::wstring file = args != nullptr && count > 1 ? args[1] : L"";
    ::LocalFree(args);
    return file;
}

} // namespace

BOOL CAccumApp::InitInstance() {
    const ComApartment com;
    CLauncherDlg dlg;
    dlg.OpenSheetOnStart(FileOnCommandLine());
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

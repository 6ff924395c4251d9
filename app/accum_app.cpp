#include "app/accum_app.h"

#include "app/launcher_dlg.h"

#include "base/late_win.h"

#include <cwctype>
#include <string>

namespace {

// Whether the command line names anything after the program itself, which is quoted or ends at
// the first blank.
bool HasArguments(const wchar_t* line) {
    if (*line == L'"') {
        ++line;
        while (*line != L'\0' && *line != L'"') {
            ++line;
        }
        if (*line == L'"') {
            ++line;
        }
    } else {
        while (*line != L'\0' && !std::iswspace(*line)) {
            ++line;
        }
    }
    while (std::iswspace(*line)) {
        ++line;
    }
    return *line != L'\0';
}

// The file named first on the program's command line, as Windows passes a sheet dropped on the
// program or opened with it; empty when none is. The shell, which splits the line, is loaded
// only when there is something to split.
std::wstring FileOnCommandLine() {
    const wchar_t* const line = ::GetCommandLineW();
    if (!HasArguments(line)) {
        return {};
    }
    auto* const split = base::late::CommandLineToArgvW.Load();
    if (split == nullptr) {
        return {};
    }
    int count = 0;
    LPWSTR* args = split(line, &count);
    std::wstring file = args != nullptr && count > 1 ? args[1] : L"";
    ::LocalFree(args);
    return file;
}

} // namespace

BOOL CAccumApp::InitInstance() {
    CLauncherDlg dlg;
    dlg.OpenSheetOnStart(FileOnCommandLine());
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

#include "base/late_win.h"

#include <objbase.h>

#include <string>

namespace base {
namespace {

LateLibrary g_ole32{L"ole32.dll", false};
LateFunction<decltype(::CoInitializeEx)> g_coInitializeEx{g_ole32, "CoInitializeEx"};
LateFunction<decltype(::CoUninitialize)> g_coUninitialize{g_ole32, "CoUninitialize"};

// The apartment the first library that wants one enters on its thread; left when the program
// ends, if it was entered. The shell may hand its work to extensions that need an
// apartment-threaded one, without OLE1 DDE.
class Apartment {
public:
    constexpr Apartment() = default;
    ~Apartment() {
        if (m_leave != nullptr && ::GetCurrentThreadId() == m_thread) {
            m_leave();
        }
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

    void Enter() {
        if (m_tried) {
            return;
        }
        m_tried = true;
        auto* const enter = g_coInitializeEx.Load();
        auto* const leave = g_coUninitialize.Load();
        if (enter != nullptr && leave != nullptr &&
            SUCCEEDED(enter(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
            m_leave = leave;
            m_thread = ::GetCurrentThreadId();
        }
    }

private:
    bool m_tried = false;
    decltype(::CoUninitialize)* m_leave = nullptr;
    DWORD m_thread = 0;
};

Apartment g_apartment;

// name, from the system folder only: never a file of that name elsewhere on the search path,
// nor one of the libraries it needs in turn (the program's own folder comes first in the usual
// order). A system without the flag (Windows 7 before its update KB2533623) refuses it as an
// invalid parameter; there the library is named by its full path.
HMODULE LoadSystemLibrary(const wchar_t* name) {
    if (HMODULE module = ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return module;
    }
    if (::GetLastError() != ERROR_INVALID_PARAMETER) {
        return nullptr;
    }
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    const std::wstring path = std::wstring(folder, length) + L'\\' + name;
    return ::LoadLibraryW(path.c_str());
}

} // namespace

HMODULE LateLibrary::Load() {
    if (!m_tried) {
        m_tried = true;
        m_module = LoadSystemLibrary(m_name);
        if (m_module != nullptr && m_apartment) {
            g_apartment.Enter();
        }
    }
    return m_module;
}

} // namespace base

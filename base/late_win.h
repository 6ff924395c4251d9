// Functions of system libraries that only a user's action needs, loaded when the action first
// comes rather than when the program starts: the program imports only what its launcher needs
// to show itself. For the user-interface thread only.
//
// A function is added with one line in the list at the end, naming its library and its name as
// the system's header declares it (the ...W or ...A form); callers take it with Load() and tell
// the user, as they do when the function itself fails, when it is null.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

namespace base {

// A library of the system folder, loaded at the first call of Load() and kept for the
// program's life.
class LateLibrary {
public:
    // name: the file name. apartment: whether the library's functions want COM on the thread
    // that calls them (the shell's and the common dialogs'): the thread enters a
    // single-threaded apartment when the library is loaded, and leaves it when the program
    // ends.
    constexpr LateLibrary(const wchar_t* name, bool apartment)
        : m_name(name), m_apartment(apartment) {}

    // The library's handle; null when it is missing.
    HMODULE Load();

private:
    const wchar_t* m_name;
    bool m_apartment;
    bool m_tried = false;
    HMODULE m_module = nullptr;
};

// A function of a late library, of the type its declaration in the system's header has.
template <typename Function> class LateFunction {
public:
    constexpr LateFunction(LateLibrary& library, const char* name)
        : m_library(&library), m_name(name) {}

    // The function, its library loaded first; null when the library or the function is
    // missing.
    Function* Load() {
        if (m_function == nullptr) {
            if (HMODULE module = m_library->Load()) {
                // Through the pointer type that every function pointer converts to and from.
                using AnyFunction = void (*)();
                m_function = reinterpret_cast<Function*>(
                    reinterpret_cast<AnyFunction>(::GetProcAddress(module, m_name)));
            }
        }
        return m_function;
    }

private:
    LateLibrary* m_library;
    const char* m_name;
    Function* m_function = nullptr;
};

// The late libraries and the functions the program takes from them.
namespace late {

inline LateLibrary comctl32{L"comctl32.dll", false};
inline LateLibrary comdlg32{L"comdlg32.dll", true};
inline LateLibrary shell32{L"shell32.dll", true};

// clang-format off
#define BASE_LATE_FUNCTION(library, name) inline LateFunction<decltype(::name)> name{library, #name}
// clang-format on

BASE_LATE_FUNCTION(comctl32, InitCommonControlsEx);
BASE_LATE_FUNCTION(comdlg32, GetSaveFileNameW);
BASE_LATE_FUNCTION(comdlg32, GetOpenFileNameW);
BASE_LATE_FUNCTION(comdlg32, CommDlgExtendedError);
BASE_LATE_FUNCTION(shell32, ShellExecuteA);
BASE_LATE_FUNCTION(shell32, ShellExecuteW);
BASE_LATE_FUNCTION(shell32, CommandLineToArgvW);
BASE_LATE_FUNCTION(shell32, DragQueryFileW);
BASE_LATE_FUNCTION(shell32, DragFinish);

} // namespace late
} // namespace base

#include "base/system_folders.h"

#include <windows.h>

#include <string>

namespace base {

std::filesystem::path ProgramFile() {
    // The longest path Windows has, in characters.
    constexpr DWORD kLongestPath = 32768;
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = ::GetModuleFileNameW(nullptr, &path[0], size);
        if (length == 0) {
            return std::filesystem::path();
        }
        if (length < size) {
            path.resize(length);
            return std::filesystem::path(path);
        }
        // The name was cut off to fit.
        if (size >= kLongestPath) {
            return std::filesystem::path();
        }
        path.resize(2 * path.size());
    }
}

std::filesystem::path UserSettingsFolder(std::string_view name) {
    // From the environment, where the system puts it for every process: no shell32 is needed.
    // Read from the system's own Unicode block, as the C runtime's copy may have passed through
    // the ANSI code page, which lacks the characters of many a user's name.
    std::wstring appData(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(appData.size());
        const DWORD length = ::GetEnvironmentVariableW(L"APPDATA", &appData[0], size);
        if (length == 0) {
            return std::filesystem::path();
        }
        if (length < size) {
            appData.resize(length);
            return std::filesystem::path(appData) / std::filesystem::u8path(name);
        }
        // Too small: length is the size needed, with the terminating null.
        appData.resize(length);
    }
}

} // namespace base

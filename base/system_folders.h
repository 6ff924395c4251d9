// The folders the system names for a program: where the running program is, and where its user's
// settings live. Platform-free API; each platform answers in its own file.
#pragma once

#include <filesystem>
#include <string_view>

namespace base {

// The running program's executable; empty when the system does not say.
std::filesystem::path ProgramFile();

// The folder that holds it.
inline std::filesystem::path ProgramFolder() {
    return ProgramFile().parent_path();
}

// The folder of the user's settings of the program called name: %APPDATA%\name on Windows;
// elsewhere $XDG_CONFIG_HOME/name, or ~/.config/name when that is unset or not absolute, with
// name in lower case, as is usual there. Empty when the system names no such folder.
std::filesystem::path UserSettingsFolder(std::string_view name);

} // namespace base

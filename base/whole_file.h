// Writing a file whole or not at all, as the calculation sheet is written.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace base {

// Writes content into a temporary file beside path, which then takes path's name, replacing a
// file of that name. On failure nothing is left behind, the answer is false and reason says
// why, in the system's words (UTF-8).
bool WriteWholeFile(const std::filesystem::path& path, std::string_view content,
                    std::string& reason);

} // namespace base

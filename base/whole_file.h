// Writing a file whole or not at all, as the calculation sheet is written, and reading the start
// of one, as a sheet is read back.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace base {

// Writes content into a temporary file beside path, which then takes path's name, replacing a
// file of that name. On failure nothing is left behind, the answer is false and reason says
// why, in the system's words (UTF-8).
bool WriteWholeFile(const std::filesystem::path& path, std::string_view content,
                    std::string& reason);

// Reads path's bytes into bytes, at most limit of them. On failure the answer is false and
// reason says why, in the system's words (UTF-8).
bool ReadFileStart(const std::filesystem::path& path, std::size_t limit, std::string& bytes,
                   std::string& reason);

} // namespace base

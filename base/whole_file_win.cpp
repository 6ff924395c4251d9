#include "base/whole_file.h"

#include "base/wide_win.h"

#include <windows.h>

#include <algorithm>
#include <memory>

namespace base {

namespace {

// The system's words for error, in UTF-8, without the line break it ends with.
std::string SystemMessage(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    const std::unique_ptr<wchar_t, decltype(&::LocalFree)> owned(text, &::LocalFree);
    std::wstring wide(text != nullptr ? text : L"", length);
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' ')) {
        wide.pop_back();
    }
    if (wide.empty()) {
        wide = L"error " + std::to_wstring(error);
    }
    return NarrowFrom(CP_UTF8, wide);
}

// path as the file functions take it however long it is. Made full, a path of MAX_PATH characters
// or more is given in the extended form "\\?\C:\..." ("\\?\UNC\server\share\..." on a
// share), which Windows takes past that limit also where long paths are not enabled; a shorter
// one, or one that cannot be made full, stays as it is.
std::wstring Reachable(const std::wstring& path) {
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    const DWORD length = size > 0 ? ::GetFullPathNameW(path.c_str(), size, &full[0], nullptr) : 0;
    if (length < MAX_PATH || length >= size) {
        return path;
    }
    full.resize(length);
    // Already in a form of the system's own: "\\?\..." or "\\.\...".
    if (full.rfind(L"\\\\?\\", 0) == 0 || full.rfind(L"\\\\.\\", 0) == 0) {
        return full;
    }
    return full.rfind(L"\\\\", 0) == 0 ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
}

} // namespace

bool WriteWholeFile(const std::filesystem::path& path, std::string_view content,
                    std::string& reason) {
    // The temporary name is the longer: it may need the extended form where path does not.
    const std::wstring temporary = Reachable(path.native() + L".part");
    const std::wstring target = Reachable(path.native());
    HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = SystemMessage(::GetLastError());
        return false;
    }
    DWORD written = 0;
    bool ok =
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
        written == content.size() && ::FlushFileBuffers(file);
    DWORD error = ok ? ERROR_SUCCESS : ::GetLastError();
    ok = ::CloseHandle(file) && ok;
    if (ok && ::MoveFileExW(temporary.c_str(), target.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    reason = SystemMessage(error != ERROR_SUCCESS ? error : ::GetLastError());
    ::DeleteFileW(temporary.c_str());
    return false;
}

bool ReadFileStart(const std::filesystem::path& path, std::size_t limit, std::string& bytes,
                   std::string& reason) {
    HANDLE file = ::CreateFileW(Reachable(path.native()).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = SystemMessage(::GetLastError());
        return false;
    }
    bytes.assign(limit, '\0');
    std::size_t done = 0;
    DWORD error = ERROR_SUCCESS;
    while (done < limit) {
        DWORD read = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(limit - done, 1u << 20));
        if (!::ReadFile(file, &bytes[done], chunk, &read, nullptr)) {
            error = ::GetLastError();
            break;
        }
        if (read == 0) {
            break;
        }
        done += read;
    }
    ::CloseHandle(file);
    if (error != ERROR_SUCCESS) {
        reason = SystemMessage(error);
        return false;
    }
    bytes.resize(done);
    return true;
}

} // namespace base

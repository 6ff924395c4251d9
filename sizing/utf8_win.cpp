#include "sizing/utf8.h"

#include <windows.h>

namespace sizing {

namespace {

// The program's texts are GBK whatever the system's code page.
constexpr UINT kProgramCodePage = 936;

} // namespace

std::string ProgramTextToUtf8(std::string_view text) {
    const int size = static_cast<int>(text.size());
    const int wideSize = ::MultiByteToWideChar(kProgramCodePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideSize), L'\0');
    ::MultiByteToWideChar(kProgramCodePage, 0, text.data(), size, &wide[0], wideSize);
    const int utf8Size =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(utf8Size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, &utf8[0], utf8Size, nullptr, nullptr);
    return utf8;
}

} // namespace sizing

#include "base/wide_win.h"

namespace base {

std::wstring WideFrom(UINT codePage, std::string_view text) {
    const int size = static_cast<int>(text.size());
    const int length =
        size > 0 ? ::MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0) : 0;
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) {
        ::MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
    }
    return wide;
}

std::string NarrowFrom(UINT codePage, std::wstring_view text, DWORD flags) {
    const int size = static_cast<int>(text.size());
    const int length = size > 0 ? ::WideCharToMultiByte(codePage, flags, text.data(), size, nullptr,
                                                        0, nullptr, nullptr)
                                : 0;
    std::string narrow(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) {
        ::WideCharToMultiByte(codePage, flags, text.data(), size, &narrow[0], length, nullptr,
                              nullptr);
    }
    return narrow;
}

} // namespace base

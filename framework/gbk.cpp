#include "framework/gbk.h"

namespace {

constexpr UINT kGbkCodePage = 936;

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

} // namespace

std::wstring WideFromGbk(const char* text) {
    return WideFrom(kGbkCodePage, text != nullptr ? text : "");
}

std::wstring WideFromUtf8(std::string_view text) {
    return WideFrom(CP_UTF8, text);
}

std::string GbkFromWide(std::wstring_view text) {
    const int size = static_cast<int>(text.size());
    const int length = size > 0 ? ::WideCharToMultiByte(kGbkCodePage, 0, text.data(), size, nullptr,
                                                        0, nullptr, nullptr)
                                : 0;
    std::string gbk(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) {
        ::WideCharToMultiByte(kGbkCodePage, 0, text.data(), size, &gbk[0], length, nullptr,
                              nullptr);
    }
    return gbk;
}

BOOL SetWindowTextGbk(HWND hwnd, const char* text) {
    return ::SetWindowTextW(hwnd, WideFromGbk(text).c_str());
}

std::string GetWindowTextGbk(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int copied = ::GetWindowTextW(hwnd, &text[0], static_cast<int>(text.size()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return GbkFromWide(text);
}

int MessageBoxGbk(HWND owner, const char* text, const char* caption, UINT type) {
    return ::MessageBoxW(owner, WideFromGbk(text).c_str(), WideFromGbk(caption).c_str(), type);
}

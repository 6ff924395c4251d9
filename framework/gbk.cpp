#include "framework/gbk.h"

#include "base/wide_win.h"

using base::kGbkCodePage;

std::wstring WideFromGbk(const char* text) {
    return base::WideFrom(kGbkCodePage, text != nullptr ? text : "");
}

std::wstring WideFromUtf8(std::string_view text) {
    return base::WideFrom(CP_UTF8, text);
}

std::string GbkFromWide(std::wstring_view text) {
    return base::NarrowFrom(kGbkCodePage, text);
}

BOOL SetWindowTextGbk(HWND hwnd, const char* text) {
    return ::SetWindowTextW(hwnd, WideFromGbk(text).c_str());
}

std::wstring GetWindowTextWide(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int copied = ::GetWindowTextW(hwnd, &text[0], static_cast<int>(text.size()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::string GetWindowTextGbk(HWND hwnd) {
    return GbkFromWide(GetWindowTextWide(hwnd));
}

int MessageBoxGbk(HWND owner, const char* text, const char* caption, UINT type) {
    return ::MessageBoxW(owner, WideFromGbk(text).c_str(), WideFromGbk(caption).c_str(), type);
}

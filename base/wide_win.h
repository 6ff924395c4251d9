// Texts between a code page and UTF-16, for the Windows build: the one place where the program
// calls MultiByteToWideChar and WideCharToMultiByte on whole texts.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace base {

// The program holds its own texts in GBK, code page 936, whatever the system's code page is.
constexpr UINT kGbkCodePage = 936;

// text, in codePage, as UTF-16; empty when text is empty.
std::wstring WideFrom(UINT codePage, std::string_view text);
// text in codePage; a character the code page lacks becomes its nearest one there, if the code
// page has one and flags do not hold WC_NO_BEST_FIT_CHARS, else '?' (UTF-8 has every one).
std::string NarrowFrom(UINT codePage, std::wstring_view text, DWORD flags = 0);

} // namespace base

// The program holds its texts in GBK (code page 936), whatever the system's ANSI code page is;
// windows hold UTF-16. Every text crosses between the two through these functions, converted
// explicitly with code page 936, so that the program shows the same on every Windows.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// A null text is an empty one, here and below.
std::wstring WideFromGbk(const char* text);
// Texts that leave the program as Unicode (the calculation sheet) are UTF-8.
std::wstring WideFromUtf8(std::string_view text);
// A character that GBK lacks becomes '?'.
std::string GbkFromWide(std::wstring_view text);

BOOL SetWindowTextGbk(HWND hwnd, const char* text);
std::wstring GetWindowTextWide(HWND hwnd);
std::string GetWindowTextGbk(HWND hwnd);
int MessageBoxGbk(HWND owner, const char* text, const char* caption, UINT type);

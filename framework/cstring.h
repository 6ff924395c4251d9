// CString: the framework's byte string in the ANSI code page.
#pragma once

#include <windows.h>

#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text ? text : "") {}
    CString(std::string text) : m_text(std::move(text)) {}

    operator const char*() const { return m_text.c_str(); }
    const std::string& Str() const { return m_text; }
    bool IsEmpty() const { return m_text.empty(); }

    // printf-style formatting into this string.
    void Format(const char* format, ...);
    // Loads string resource id of the program's module; FALSE when there is none.
    BOOL LoadString(UINT id);

private:
    std::string m_text;
};

#include "framework/cstring.h"

#include "framework/app.h"
#include "framework/gbk.h"

#include <cstdarg>
#include <cstdio>

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length < 0) {
        m_text.clear();
    } else {
        m_text.assign(static_cast<size_t>(length) + 1, '\0');
        std::vsnprintf(&m_text[0], m_text.size(), format, args);
        m_text.resize(static_cast<size_t>(length));
    }
    va_end(args);
}

BOOL CString::LoadString(UINT id) {
    // Without a buffer size the answer is the resource's own UTF-16 text, not terminated.
    const wchar_t* resource = nullptr;
    const int length =
        ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&resource), 0);
    m_text = length > 0 ? GbkFromWide({resource, static_cast<size_t>(length)}) : std::string();
    return length > 0;
}

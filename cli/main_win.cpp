// presovol-calc.exe, a console program: the arguments come as UTF-16 and go on as UTF-8; what it
// writes goes to a console as UTF-16, and into a file or a pipe in the console's code page.
#include "cli/calc_command.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <streambuf>

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size > 0 ? size : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], size, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    return utf8;
}

// A stream buffer that takes UTF-8 and hands whole lines to a console or a file.
class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(DWORD which) : m_handle(::GetStdHandle(which)) {
        DWORD mode = 0;
        m_console = ::GetConsoleMode(m_handle, &mode) != 0;
        m_codePage = ::GetConsoleOutputCP();
        if (m_codePage == 0) {
            m_codePage = ::GetACP();
        }
    }
    ~ConsoleBuffer() override { sync(); }
    ConsoleBuffer(const ConsoleBuffer&) = delete;
    ConsoleBuffer& operator=(const ConsoleBuffer&) = delete;

protected:
    int_type overflow(int_type c) override {
        if (c == traits_type::eof()) {
            return traits_type::not_eof(c);
        }
        m_pending.push_back(static_cast<char>(c));
        return c == '\n' && sync() != 0 ? traits_type::eof() : c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        m_pending.append(s, static_cast<size_t>(n));
        if (m_pending.find('\n') != std::string::npos && sync() != 0) {
            return 0;
        }
        return n;
    }
    int sync() override {
        if (m_pending.empty()) {
            return 0;
        }
        const int size = static_cast<int>(m_pending.size());
        const int wideSize = ::MultiByteToWideChar(CP_UTF8, 0, m_pending.data(), size, nullptr, 0);
        std::wstring wide(static_cast<size_t>(wideSize), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, m_pending.data(), size, &wide[0], wideSize);
        m_pending.clear();
        DWORD written = 0;
        if (m_console) {
            return ::WriteConsoleW(m_handle, wide.data(), static_cast<DWORD>(wide.size()), &written,
                                   nullptr)
                       ? 0
                       : -1;
        }
        const int bytes = ::WideCharToMultiByte(m_codePage, 0, wide.data(), wideSize, nullptr, 0,
                                                nullptr, nullptr);
        std::string text(static_cast<size_t>(bytes), '\0');
        ::WideCharToMultiByte(m_codePage, 0, wide.data(), wideSize, &text[0], bytes, nullptr,
                              nullptr);
        return ::WriteFile(m_handle, text.data(), static_cast<DWORD>(text.size()), &written,
                           nullptr) &&
                       written == text.size()
                   ? 0
                   : -1;
    }

private:
    HANDLE m_handle;
    bool m_console;
    UINT m_codePage;
    std::string m_pending;
};

} // namespace

int main() {
    int argc = 0;
    std::unique_ptr<LPWSTR, decltype(&::LocalFree)> wide(
        ::CommandLineToArgvW(::GetCommandLineW(), &argc), &::LocalFree);
    std::vector<std::string> args;
    for (int i = 0; wide && i < argc; ++i) {
        args.push_back(Utf8(wide.get()[i]));
    }
    // A batch read from standard input is taken byte for byte.
    _setmode(_fileno(stdin), _O_BINARY);
    ConsoleBuffer out(STD_OUTPUT_HANDLE);
    ConsoleBuffer err(STD_ERROR_HANDLE);
    std::ostream outStream(&out);
    std::ostream errStream(&err);
    return cli::RunCalc(args, {std::cin, outStream, errStream, true});
}

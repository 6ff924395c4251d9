// presovol-calc.exe, a console program: the arguments come as UTF-16 and go on as UTF-8; what it
// writes goes to a console as UTF-16, and into a file or a pipe in the console's code page.
#include "cli/calc_command.h"
#include "base/wide_win.h"
#include "sizing/catalogue_file.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <streambuf>

namespace {

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
        const std::wstring wide = base::WideFrom(CP_UTF8, m_pending);
        m_pending.clear();
        DWORD written = 0;
        if (m_console) {
            return ::WriteConsoleW(m_handle, wide.data(), static_cast<DWORD>(wide.size()), &written,
                                   nullptr)
                       ? 0
                       : -1;
        }
        const std::string text = base::NarrowFrom(m_codePage, wide);
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
        args.push_back(base::NarrowFrom(CP_UTF8, wide.get()[i]));
    }
    // A batch read from standard input is taken byte for byte.
    _setmode(_fileno(stdin), _O_BINARY);
    ConsoleBuffer out(STD_OUTPUT_HANDLE);
    ConsoleBuffer err(STD_ERROR_HANDLE);
    std::ostream outStream(&out);
    std::ostream errStream(&err);
    return cli::RunCalc(args, {std::cin, outStream, errStream, true}, sizing::CataloguePlaces());
}

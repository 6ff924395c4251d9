#include "sizing/utf8.h"

#include "sizing/wide_win.h"

namespace sizing {

namespace {

// The program's texts are GBK whatever the system's code page.
constexpr UINT kProgramCodePage = 936;

} // namespace

std::string ProgramTextToUtf8(std::string_view text) {
    return NarrowFrom(CP_UTF8, WideFrom(kProgramCodePage, text));
}

} // namespace sizing

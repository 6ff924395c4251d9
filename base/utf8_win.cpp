#include "base/utf8.h"

#include "base/wide_win.h"

namespace base {

std::string ProgramTextToUtf8(std::string_view text) {
    return NarrowFrom(CP_UTF8, WideFrom(kGbkCodePage, text));
}

} // namespace base

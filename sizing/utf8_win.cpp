#include "sizing/utf8.h"

#include "sizing/wide_win.h"

namespace sizing {

std::string ProgramTextToUtf8(std::string_view text) {
    return NarrowFrom(CP_UTF8, WideFrom(kGbkCodePage, text));
}

} // namespace sizing

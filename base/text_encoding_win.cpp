#include "base/text_encoding.h"

#include "base/wide_win.h"

namespace base {

std::string GbkToUtf8(std::string_view gbk) {
    return NarrowFrom(CP_UTF8, WideFrom(kGbkCodePage, gbk));
}

std::string Utf8ToGbk(std::string_view utf8) {
    return NarrowFrom(kGbkCodePage, WideFrom(CP_UTF8, utf8), WC_NO_BEST_FIT_CHARS);
}

} // namespace base

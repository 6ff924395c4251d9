#include "base/utf8.h"

#include "base/text_encoding.h"

namespace base {

std::string ProgramTextToUtf8(std::string_view text) {
    return GbkToUtf8(text);
}

} // namespace base

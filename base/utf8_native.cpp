#include "base/utf8.h"

namespace base {

std::string ProgramTextToUtf8(std::string_view text) {
    return std::string(text);
}

std::string Utf8ToProgramText(std::string_view utf8) {
    return std::string(utf8);
}

} // namespace base

#include "base/utf8.h"

namespace base {

std::string ProgramTextToUtf8(std::string_view text) {
    return std::string(text);
}

} // namespace base

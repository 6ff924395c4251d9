#include "sizing/utf8.h"

namespace sizing {

std::string ProgramTextToUtf8(std::string_view text) {
    return std::string(text);
}

} // namespace sizing

#include "base/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace base {

namespace {

// text from one encoding into another through glibc's iconv. Where a character cannot be
// read or written, replacement stands for it: for one byte of GBK, for a whole character of
// UTF-8 (its lead byte and the continuation bytes after it).
std::string Convert(const char* from, const char* to, std::string_view text,
                    std::string_view replacement) {
    const bool fromUtf8 = std::string_view(from) == "UTF-8";
    const iconv_t converter = ::iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::string(); // glibc always has both
    }
    const std::unique_ptr<void, int (*)(iconv_t)> closed(converter, &::iconv_close);
    std::string out;
    char buffer[4096];
    char* in = const_cast<char*>(text.data()); // iconv does not write to its input
    std::size_t inLeft = text.size();
    while (inLeft > 0) {
        char* next = buffer;
        std::size_t room = sizeof buffer;
        const std::size_t done = ::iconv(converter, &in, &inLeft, &next, &room);
        out.append(buffer, static_cast<std::size_t>(next - buffer));
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // EILSEQ or EINVAL: a byte that begins no character, or a character cut off.
            out += replacement;
            do {
                ++in;
                --inLeft;
            } while (fromUtf8 && inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0u) == 0x80u);
        }
    }
    return out;
}

} // namespace

std::string GbkToUtf8(std::string_view gbk) {
    return Convert("CP936", "UTF-8", gbk, "\xEF\xBF\xBD");
}

std::string Utf8ToGbk(std::string_view utf8) {
    return Convert("UTF-8", "CP936", utf8, "?");
}

} // namespace base

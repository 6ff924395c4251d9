#include "base/text_encoding.h"

namespace base {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

// The length of the well-formed UTF-8 sequence that begins text, 0 where none does. The range
// of the second byte rules out the overlong forms, the surrogates and what lies above U+10FFFF.
std::size_t SequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[k]);
        if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) {
            return 0;
        }
    }
    return length;
}

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16 bytes in either order as UTF-8; a lone surrogate or an odd last byte is U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    const auto unit = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    std::string out;
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(c, out);
    }
    if (i < bytes.size()) {
        AppendUtf8(kReplacement, out);
    }
    return out;
}

bool BeyondAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return true;
        }
    }
    return false;
}

} // namespace

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0, length = 0; i < text.size(); i += length) {
        if ((length = SequenceLength(text.substr(i))) == 0) {
            return false;
        }
    }
    return true;
}

const char* EncodingName(FileEncoding encoding) {
    switch (encoding) {
    case FileEncoding::Utf8:
        return "UTF-8";
    case FileEncoding::Gbk:
        return "GBK";
    case FileEncoding::Utf16Le:
        return "UTF-16 LE";
    default:
        return "UTF-16 BE";
    }
}

TextFile ReadTextFile(std::string_view bytes) {
    if (bytes.substr(0, 2) == kUtf16LeMark || bytes.substr(0, 2) == kUtf16BeMark) {
        const bool bigEndian = bytes.substr(0, 2) == kUtf16BeMark;
        return {bigEndian ? FileEncoding::Utf16Be : FileEncoding::Utf16Le,
                Utf16ToUtf8(bytes.substr(2), bigEndian)};
    }
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        return {FileEncoding::Utf8, std::string(bytes.substr(kUtf8Mark.size()))};
    }
    std::size_t valid = 0, invalid = 0;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
        const std::string_view line = bytes.substr(start, end - start);
        if (BeyondAscii(line)) {
            ++(IsValidUtf8(line) ? valid : invalid);
        }
        start = end + 1;
    }
    return {valid >= invalid ? FileEncoding::Utf8 : FileEncoding::Gbk, std::string(bytes)};
}

std::string FieldToUtf8(std::string_view field, FileEncoding encoding, bool& stray) {
    stray = false;
    if (encoding == FileEncoding::Gbk) {
        return GbkToUtf8(field);
    }
    // UTF-16 came as UTF-8 already.
    if (IsValidUtf8(field)) {
        return std::string(field);
    }
    stray = true;
    return GbkToUtf8(field);
}

} // namespace base

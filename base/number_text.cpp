#include "base/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace {

// GBK lead byte of the full-width ASCII forms (U+FF01..U+FF5E) and of the ideographic blank.
constexpr unsigned char kFullWidthLead = 0xA3;
constexpr unsigned char kSymbolLead = 0xA1;
constexpr unsigned char kIdeographicBlankTrail = 0xA1;

// Maps the text to plain ASCII, turning each full-width character into its ASCII twin. Any
// other double-byte character, a lead byte without its trail, or a control character other
// than the tab makes the whole text unreadable.
bool ToAscii(std::string_view text, std::string& out) {
    out.clear();
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c < 0x20 && c != '\t') {
                return false;
            }
            if (c == 0x7F) {
                return false;
            }
            out.push_back(static_cast<char>(c));
            continue;
        }
        if (i + 1 >= text.size()) {
            return false;
        }
        const auto t = static_cast<unsigned char>(text[i + 1]);
        if (c == kFullWidthLead && t >= 0xA1 && t <= 0xFE) {
            // 0xA3A1 is U+FF01 '!', so the trail byte less 0x80 is the ASCII code.
            out.push_back(static_cast<char>(t - 0x80));
        } else if (c == kSymbolLead && t == kIdeographicBlankTrail) {
            out.push_back(' ');
        } else {
            return false;
        }
        ++i;
    }
    return true;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the grammar: [sign] (digits [. digits] | . digits) [(e|E) [sign] digits].
bool IsPlainDecimal(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            ++i;
        }
        size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) {
            return false;
        }
    }
    return i == s.size();
}

// For a text that passed IsPlainDecimal (without sign): whether its magnitude is below 1,
// judged from the position of its first significant digit and its exponent. Only asked for
// texts whose value does not fit a double, where the answer tells underflow from overflow.
bool BelowOne(std::string_view s) {
    long long position = 0; // decimal exponent of the first significant digit
    bool found = false;
    bool afterPoint = false;
    size_t i = 0;
    for (; i < s.size() && s[i] != 'e' && s[i] != 'E'; ++i) {
        if (s[i] == '.') {
            afterPoint = true;
        } else if (!found && s[i] != '0') {
            found = true;
            position = afterPoint ? position - 1 : 0;
        } else if (found && !afterPoint) {
            ++position;
        } else if (!found && afterPoint) {
            --position;
        }
    }
    if (!found) {
        return true;
    }
    // The position lies within the length of the text either way: an exponent beyond that
    // length decides alone, so it need not be read further.
    const long long cap = static_cast<long long>(s.size()) + 1;
    long long exponent = 0;
    bool negativeExponent = false;
    if (i < s.size()) {
        ++i;
        if (s[i] == '+' || s[i] == '-') {
            negativeExponent = s[i] == '-';
            ++i;
        }
        for (; i < s.size() && exponent < cap; ++i) {
            exponent = exponent * 10 + (s[i] - '0');
        }
    }
    return position + (negativeExponent ? -exponent : exponent) < 0;
}

} // namespace

bool NumberTextToAscii(std::string_view text, std::string& ascii) {
    return ToAscii(text, ascii);
}

bool ParseNumberText(std::string_view text, double& value) {
    std::string ascii;
    if (!ToAscii(text, ascii)) {
        return false;
    }
    const size_t first = ascii.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return false;
    }
    const size_t last = ascii.find_last_not_of(" \t");
    std::string_view s(ascii.data() + first, last - first + 1);
    if (!IsPlainDecimal(s)) {
        return false;
    }
    // from_chars takes no plus sign.
    const bool negative = s.front() == '-';
    if (s.front() == '+' || negative) {
        s.remove_prefix(1);
    }
    double parsed = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), parsed);
    if (end != s.data() + s.size()) {
        return false;
    }
    if (ec == std::errc::result_out_of_range) {
        // Too small to hold reads as zero; too large to hold is no number the user can mean.
        if (!BelowOne(s)) {
            return false;
        }
        parsed = 0.0;
    } else if (ec != std::errc()) {
        return false;
    }
    value = negative ? -parsed : parsed;
    return true;
}

std::string FormatNumberText(double value) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc()) {
        return std::string();
    }
    return std::string(buffer, end);
}

std::string PlainNumberText(double value) {
    // The longest is the smallest subnormal: "-0.", 323 zeros and its digit.
    char buffer[512];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc()) {
        return std::string();
    }
    return std::string(buffer, end);
}

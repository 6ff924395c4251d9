// The number text of the edits: any bytes are read without fault; what is accepted is a finite
// double, and every double written reads back to itself.
#include "base/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    double value = 12345.0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (ParseNumberText(text, value)) {
        if (!std::isfinite(value)) {
            std::abort();
        }
        double back = 0.0;
        if (!ParseNumberText(FormatNumberText(value), back) || back != value ||
            std::signbit(back) != std::signbit(value)) {
            std::abort();
        }
    } else if (value != 12345.0) {
        std::abort(); // a rejected text must leave the value alone
    }
    if (size >= sizeof(double)) {
        double bits;
        std::memcpy(&bits, data, sizeof bits);
        if (std::isfinite(bits)) {
            double back = 0.0;
            if (!ParseNumberText(FormatNumberText(bits), back) || back != bits) {
                std::abort();
            }
        }
    }
    return 0;
}

// The browser command line of the link: any registry command and any address give either a
// line that fits the buffer and is the command cut at a real placeholder, one blank and the
// address, or nothing; the placeholder search never starts inside a double-byte character.
#include "link/link_logic.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

// Where the characters of text start: a lead byte of code page 936, any byte from 0x81 to
// 0xFE, takes the byte after it.
std::vector<bool> CharacterStarts(std::string_view text) {
    std::vector<bool> starts(text.size() + 1, false);
    size_t at = 0;
    while (at < text.size()) {
        starts[at] = true;
        const auto byte = static_cast<unsigned char>(text[at]);
        at += byte > 0x80 && byte < 0xFF && at + 1 < text.size() ? 2 : 1;
    }
    starts[text.size()] = true;
    return starts;
}

void CheckSearch(std::string_view text, std::string_view needle) {
    const std::vector<bool> starts = CharacterStarts(text);
    const size_t found = FindMultibyte(text, needle);
    for (size_t pos = 0; pos < text.size() && pos < found; ++pos) {
        if (starts[pos] && text.compare(pos, needle.size(), needle) == 0) {
            std::abort(); // an earlier occurrence was missed
        }
    }
    if (found != std::string_view::npos &&
        (!starts[found] || text.compare(found, needle.size(), needle) != 0)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    // Two bytes choose where the command ends and the address begins.
    const size_t split = (data[0] | static_cast<size_t>(data[1]) << 8) % (size - 1);
    const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::string_view command = rest.substr(0, split);
    const std::string_view url = rest.substr(split);

    CheckSearch(command, "%1");
    CheckSearch(command, "\"%1\"");

    const auto line = AssembleFallbackCommand(command, url);
    if (!line) {
        if (command.size() + 1 + url.size() + 1 <= kFallbackCommandCapacity) {
            std::abort(); // refused although even the whole command would fit
        }
        return 0;
    }
    if (line->size() + 1 > kFallbackCommandCapacity || line->size() < url.size() + 1) {
        std::abort();
    }
    const size_t kept = line->size() - url.size() - 1;
    const std::string_view made(*line);
    if (kept > command.size() || made.substr(0, kept) != command.substr(0, kept) ||
        made[kept] != ' ' || made.substr(kept + 1) != url) {
        std::abort();
    }
    if (kept < command.size()) {
        const std::string_view dropped = command.substr(kept);
        if (dropped.substr(0, 2) != "%1" && dropped.substr(0, 4) != "\"%1\"") {
            std::abort();
        }
    }
    return 0;
}

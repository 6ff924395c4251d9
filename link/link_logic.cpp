#include "link/link_logic.h"

#include <cstdio>

LinkColor ChooseLinkColor(bool hovering, bool visited, LinkColor hoverColor, LinkColor visitedColor,
                          LinkColor linkColor) {
    if (hovering) {
        return hoverColor;
    }
    return visited ? visitedColor : linkColor;
}

bool IsGbkLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

std::size_t FindMultibyte(std::string_view text, std::string_view needle,
                          LeadBytePredicate isLeadByte) {
    if (needle.empty()) {
        return 0;
    }
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text.compare(pos, needle.size(), needle) == 0) {
            return pos;
        }
        // A lead byte takes the next byte with it, whatever that byte is.
        const bool pair =
            isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size();
        pos += pair ? 2 : 1;
    }
    return std::string_view::npos;
}

std::optional<std::string> AssembleFallbackCommand(std::string_view command, std::string_view url,
                                                   std::size_t capacity,
                                                   LeadBytePredicate isLeadByte) {
    std::size_t cut = FindMultibyte(command, "\"%1\"", isLeadByte);
    if (cut == std::string_view::npos) {
        cut = FindMultibyte(command, "%1", isLeadByte);
    }
    const std::string_view program = command.substr(0, cut);
    // The command, one blank, the address and the terminator.
    if (program.size() + 1 + url.size() + 1 > capacity) {
        return std::nullopt;
    }
    std::string line;
    line.reserve(program.size() + 1 + url.size());
    line.append(program).append(1, ' ').append(url);
    return line;
}

std::string OpenErrorMessage(int code) {
    switch (code) {
    case 0:
        return "The operating system is out\nof memory or resources.";
    case 2:
        return "The specified file was not found.";
    case 3:
        return "The specified path was not found.";
    case 5:
        return "The operating system denied\naccess to the specified file.";
    case 8:
        return "There was not enough memory to complete the operation.";
    case 11:
        return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case 26:
        return "A sharing violation occurred. ";
    case 27:
        return "The filename association is\nincomplete or invalid.";
    case 28:
        return "The DDE transaction could not\nbe completed because the request timed out.";
    case 29:
        return "The DDE transaction failed.";
    case 30:
        return "The DDE transaction could not\nbe completed because other DDE transactions\n"
               "were being processed.";
    case 31:
        return "There is no application associated\nwith the given filename extension.";
    case 32:
        return "The specified dynamic-link library was not found.";
    default: {
        char text[64];
        std::snprintf(text, sizeof text, "Unknown Error (%d) occurred.", code);
        return text;
    }
    }
}

std::string OpenErrorReport(int code) {
    return "Unable to open hyperlink:\n\n" + OpenErrorMessage(code);
}

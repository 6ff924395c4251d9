#include "link/link_logic.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const LinkColor kHover = 0x000000FF;
const LinkColor kVisited = 0x008B1A55;
const LinkColor kLink = 0x00EE0000;

TEST(LinkColor, HoverWinsOverVisitedAndVisitedOverLink) {
    struct Case {
        bool hovering;
        bool visited;
        LinkColor expected;
    };
    const Case cases[] = {
        {false, false, kLink},
        {false, true, kVisited},
        {true, false, kHover},
        {true, true, kHover},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseLinkColor(c.hovering, c.visited, kHover, kVisited, kLink), c.expected)
            << "hovering " << c.hovering << ", visited " << c.visited;
    }
}

TEST(LinkMultibyteSearch, MatchesOnlyOnCharacterBoundaries) {
    struct Case {
        const char* text;
        const char* needle;
        size_t expected;
    };
    const size_t none = std::string::npos;
    const Case cases[] = {
        {"abc %1", "%1", 4},
        {"%1", "%1", 0},
        {"abc", "%1", none},
        {"", "%1", none},
        {"%", "%1", none},
        // A lead byte takes the '%' after it: no placeholder there, the later one counts.
        {"\x81%1 %1", "%1", 4},
        {"\x81%1", "%1", none},
        {"\xFE%1", "%1", none},
        // 0x80 and 0xFF lead nothing in code page 936.
        {"\x80%1", "%1", 1},
        {"\xFF%1", "%1", 1},
        // Whole GBK characters ("计算") before the placeholder are stepped over in pairs.
        {"\xBC\xC6\xCB\xE3%1", "%1", 4},
        // A lead byte at the very end stands alone.
        {"ab\xBC", "\xBC", 2},
        // The quoted form straddling a character: the quote is a trail byte here.
        {"\x81\"%1\"", "\"%1\"", none},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindMultibyte(c.text, c.needle), c.expected) << "text " << c.text;
    }
}

TEST(LinkMultibyteSearch, UsesTheGivenCodePagesLeadBytes) {
    // With no lead bytes at all, the search is a plain byte search.
    const auto noLeadBytes = [](unsigned char) { return false; };
    EXPECT_EQ(FindMultibyte("\x81%1", "%1", noLeadBytes), 1u);
    EXPECT_EQ(FindMultibyte("\x81%1", "%1"), std::string::npos);
}

TEST(LinkFallbackCommand, CutsAtThePlaceholderAndAppendsTheAddress) {
    struct Case {
        const char* command;
        const char* expected;
    };
    const char* const url = "http://www.example.com/ ";
    const Case cases[] = {
        // Quoted placeholder after a blank: the blank stays, so two blanks before the address.
        {"\"C:\\browser.exe\" \"%1\"", "\"C:\\browser.exe\"  http://www.example.com/ "},
        // Bare placeholder with later arguments: they go with it.
        {"C:\\browser.exe %1 -nohome -new", "C:\\browser.exe  http://www.example.com/ "},
        // No placeholder: the whole command, one blank, the address.
        {"C:\\browser.exe -url", "C:\\browser.exe -url http://www.example.com/ "},
        // Both forms: the cut is at the quoted one, a bare one in front of it stays.
        {"b.exe %1 \"%1\" tail", "b.exe %1  http://www.example.com/ "},
        // Placeholder right at the start.
        {"\"%1\"", " http://www.example.com/ "},
        {"%1", " http://www.example.com/ "},
        {"", " http://www.example.com/ "},
        // A "%1" whose '%' is the trail byte of a double-byte character is no placeholder.
        {"b\x81%1.exe", "b\x81%1.exe http://www.example.com/ "},
        {"b\x81%1.exe \"%1\"", "b\x81%1.exe  http://www.example.com/ "},
        // A Chinese path before the placeholder is kept whole.
        {"C:\\\xBC\xC6\xCB\xE3\\b.exe %1", "C:\\\xBC\xC6\xCB\xE3\\b.exe  http://www.example.com/ "},
    };
    for (const Case& c : cases) {
        const auto line = AssembleFallbackCommand(c.command, url);
        ASSERT_TRUE(line.has_value()) << c.command;
        EXPECT_EQ(*line, c.expected) << c.command;
    }
}

TEST(LinkFallbackCommand, RefusesWhatDoesNotFitTheBuffer) {
    // 519 characters and the terminator fill the 520 bytes exactly.
    const std::string program(300, 'p');
    const std::string fitting(519 - 301 - 1, 'u');
    const auto line = AssembleFallbackCommand(program + " \"%1\"", fitting);
    ASSERT_TRUE(line.has_value());
    // The cut keeps the blank before the placeholder: 301 + 1 + 217.
    EXPECT_EQ(line->size(), 519u);
    EXPECT_FALSE(AssembleFallbackCommand(program + " \"%1\"", fitting + "u").has_value());

    // Only what stays after the cut counts: a long tail after "%1" does not matter.
    EXPECT_TRUE(AssembleFallbackCommand("b.exe %1 " + std::string(600, 'x'), "u").has_value());
    // An address far beyond the buffer, and a smaller buffer.
    EXPECT_FALSE(AssembleFallbackCommand("b.exe", std::string(4096, 'u')).has_value());
    EXPECT_EQ(AssembleFallbackCommand("b.exe", "uv", 9).value(), "b.exe uv");
    EXPECT_FALSE(AssembleFallbackCommand("b.exe", "uvw", 9).has_value());
}

TEST(LinkOpenError, EveryCodeHasItsMessage) {
    struct Case {
        int code;
        const char* message;
    };
    const Case cases[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {3, "The specified path was not found."},
        {5, "The operating system denied\naccess to the specified file."},
        {8, "There was not enough memory to complete the operation."},
        {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        {26, "A sharing violation occurred. "},
        {27, "The filename association is\nincomplete or invalid."},
        {28, "The DDE transaction could not\nbe completed because the request timed out."},
        {29, "The DDE transaction failed."},
        {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
             "being processed."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {1, "Unknown Error (1) occurred."},
        {4, "Unknown Error (4) occurred."},
        {33, "Unknown Error (33) occurred."},
        {-1, "Unknown Error (-1) occurred."},
        {-2147483647 - 1, "Unknown Error (-2147483648) occurred."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OpenErrorMessage(c.code), c.message) << "code " << c.code;
        EXPECT_EQ(OpenErrorReport(c.code), std::string("Unable to open hyperlink:\n\n") + c.message)
            << "code " << c.code;
    }
}

} // namespace

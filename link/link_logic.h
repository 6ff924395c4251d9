// The hyperlink's decisions that need no window: the text colour, the command line of the
// browser started when the shell cannot open the address, and the texts of open errors.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A colour as Win32 keeps it: 0x00BBGGRR.
using LinkColor = std::uint32_t;

// The text colour of the link: hovered wins over visited, visited over the plain link.
LinkColor ChooseLinkColor(bool hovering, bool visited, LinkColor hoverColor, LinkColor visitedColor,
                          LinkColor linkColor);

// Whether a byte starts a double-byte character of the ANSI code page.
using LeadBytePredicate = bool (*)(unsigned char byte);

// Lead bytes of code page 936 (GBK): 0x81 to 0xFE.
bool IsGbkLeadByte(unsigned char byte);

// The first occurrence of needle in text that starts on a character boundary: a lead byte and
// the byte after it are one character, so a match never starts inside a double-byte
// character. npos when there is none.
std::size_t FindMultibyte(std::string_view text, std::string_view needle,
                          LeadBytePredicate isLeadByte = &IsGbkLeadByte);

// The size of the buffer the fallback command line is assembled in, terminator included.
constexpr std::size_t kFallbackCommandCapacity = 520;

// The browser command registered for web pages, cut at its "%1" placeholder (the quoted form
// first, then the bare one; everything from it on is dropped), followed by one blank and the
// address. Empty when the result and its terminator do not fit in capacity bytes.
std::optional<std::string> AssembleFallbackCommand(std::string_view command, std::string_view url,
                                                   std::size_t capacity = kFallbackCommandCapacity,
                                                   LeadBytePredicate isLeadByte = &IsGbkLeadByte);

// The message for a failed open's result code (of ShellExecute or WinExec).
std::string OpenErrorMessage(int code);

// The whole text the user is shown for a failed open.
std::string OpenErrorReport(int code);

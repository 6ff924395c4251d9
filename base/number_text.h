// Text form of the numbers that the dialogs exchange with their edit fields.
// Platform-free: the text is a byte string in the ANSI code page 936 (GBK).
#pragma once

#include <string>
#include <string_view>

// Reads a decimal number typed by the user. Accepts blanks and tabs around it (also the
// ideographic blank), an optional sign, digits with an optional decimal point and an optional
// exponent, in ASCII or in the full-width forms a Chinese input method types. Rejects anything
// else, and values too large for a double. On success writes value and answers true; on
// failure leaves value untouched.
bool ParseNumberText(std::string_view text, double& value);

// Maps the text to plain ASCII, turning each full-width character and the ideographic blank
// into its ASCII twin. Any other double-byte character, a lead byte without its trail, or a
// control character other than the tab makes the whole text unreadable: answers false.
bool NumberTextToAscii(std::string_view text, std::string& ascii);

// Writes a double as the shortest plain text that reads back to the same value ("0", "1",
// "1.4"); very large or small magnitudes use an exponent ("1e+300").
std::string FormatNumberText(double value);

// Writes a double as the shortest plain decimal that reads back to the same value, never with
// an exponent ("20000000", "0.0000001"): a value as it would be typed.
std::string PlainNumberText(double value);

// The encoding of a text file a user brings (a CSV saved by a spreadsheet, a catalogue): UTF-8,
// or GBK as a spreadsheet on a Chinese Windows saves it; and GBK for a file written back for
// such a spreadsheet. Platform-free API; the GBK conversions are the platform's own (code page
// 936 on Windows, glibc's iconv natively).
#pragma once

#include <string>
#include <string_view>

namespace base {

// Whether text is well-formed UTF-8: no stray or missing continuation byte, no overlong form,
// no surrogate, nothing above U+10FFFF. An empty text is.
bool IsValidUtf8(std::string_view text);

// The bytes of a text file as UTF-8: a UTF-8 byte order mark at the start is removed, the rest
// is taken as it is when it is valid UTF-8, and read as GBK otherwise. The answer is valid
// UTF-8 whatever the bytes.
std::string TextFileToUtf8(std::string_view bytes);

// gbk, in GBK (code page 936, with 0x80 for the euro sign), as UTF-8. A byte that begins no GBK
// character becomes U+FFFD (on Windows, what the system makes of it), so the answer is valid
// UTF-8 whatever the bytes.
std::string GbkToUtf8(std::string_view gbk);

// utf8 in GBK; a character GBK lacks becomes '?'.
std::string Utf8ToGbk(std::string_view utf8);

} // namespace base

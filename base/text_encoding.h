// The encoding of a text file a user brings (a CSV saved by a spreadsheet, a catalogue): UTF-8,
// UTF-16 with its byte order mark (a spreadsheet's "Unicode text"), or GBK as a spreadsheet on a
// Chinese Windows saves it; and GBK for a file written back for such a spreadsheet.
// Platform-free API; the GBK conversions are the platform's own (code page 936 on Windows,
// glibc's iconv natively).
#pragma once

#include <string>
#include <string_view>

namespace base {

// Whether text is well-formed UTF-8: no stray or missing continuation byte, no overlong form,
// no surrogate, nothing above U+10FFFF. An empty text is.
bool IsValidUtf8(std::string_view text);

// What a text file is read as.
enum class FileEncoding { Utf8, Gbk, Utf16Le, Utf16Be };

// The encoding's name as the program's messages give it: "UTF-8", "GBK", "UTF-16 LE"...
const char* EncodingName(FileEncoding encoding);

// A text file as read: the encoding judged from the whole file, and its text without the byte
// order mark: UTF-16 already as UTF-8, UTF-8 and GBK as the file has them, for FieldToUtf8 to
// make UTF-8 a field at a time. The separators of CSV (comma, quote, line breaks) are ASCII
// bytes in each, never a part of another character.
struct TextFile {
    FileEncoding encoding;
    std::string text;
};

// Judges the encoding of a file's bytes. A UTF-16 byte order mark, little- or big-endian, means
// UTF-16, and a UTF-8 mark UTF-8. Without a mark the file is UTF-8 when at least half of its
// lines that hold bytes beyond ASCII are valid UTF-8, so that a few stray bytes (a cell pasted
// in Latin-1 or GBK) do not change how the rest is read; else it is GBK.
TextFile ReadTextFile(std::string_view bytes);

// A field of a file read as encoding, as UTF-8. A field of a UTF-8 file that is not valid UTF-8
// is read as GBK on its own, and stray is set; it is left alone otherwise. The answer is valid
// UTF-8 whatever the bytes.
std::string FieldToUtf8(std::string_view field, FileEncoding encoding, bool& stray);

// gbk, in GBK (code page 936, with 0x80 for the euro sign), as UTF-8. A byte that begins no GBK
// character becomes U+FFFD (on Windows, what the system makes of it), so the answer is valid
// UTF-8 whatever the bytes.
std::string GbkToUtf8(std::string_view gbk);

// utf8 in GBK; a character GBK lacks becomes '?'.
std::string Utf8ToGbk(std::string_view utf8);

} // namespace base

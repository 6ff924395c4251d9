// Comma-separated values as RFC 4180 writes them: fields in double quotes where they hold a
// comma, a quote or a line break, quotes doubled inside. Platform-free.
#pragma once

#include "base/text_encoding.h"

#include <cstddef>
#include <istream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace base {

// Reads records one at a time from a stream; a record keeps at most maxRecord bytes, however
// long its line, so that no one record takes more memory than that. A UTF-8
// byte order mark at the start is skipped; CRLF, LF and a lone CR all end a record outside
// quotes. Text after a closing quote and a quote inside an unquoted field are kept as they
// stand, and a quote left open runs to the end of the input.
class CsvReader {
public:
    enum class Status { Record, TooLong, End };

    // A record longer than maxRecord bytes is read to its end but not kept.
    explicit CsvReader(std::istream& in, std::size_t maxRecord = 65536);

    // Reads the next record into fields. TooLong leaves fields empty.
    Status Next(std::vector<std::string>& fields);

private:
    std::streambuf* m_in;
    std::size_t m_maxRecord;
    bool m_started = false;
};

// The records of a CSV file a user brings, its encoding judged from all of its bytes
// (ReadTextFile), each field made UTF-8 (FieldToUtf8), and numbered as a spreadsheet numbers its
// rows, the first 1.
class CsvFile {
public:
    explicit CsvFile(std::string_view bytes, std::size_t maxRecord = 65536);

    FileEncoding Encoding() const { return m_encoding; }

    // Reads the next record into fields, as CsvReader::Next does, in UTF-8; stray takes the
    // positions, from 0, of the fields of a UTF-8 file that were not UTF-8 and were read as GBK.
    CsvReader::Status Next(std::vector<std::string>& fields, std::vector<std::size_t>& stray);

    // The number of the record read last.
    std::size_t Number() const { return m_number; }

private:
    CsvFile(TextFile file, std::size_t maxRecord);

    FileEncoding m_encoding;
    std::istringstream m_text;
    CsvReader m_reader;
    std::size_t m_number = 0;
};

// field as one CSV field: quoted when it must be.
std::string CsvField(std::string_view field);

} // namespace base

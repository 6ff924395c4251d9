// Comma-separated values as RFC 4180 writes them: fields in double quotes where they hold a
// comma, a quote or a line break, quotes doubled inside. Platform-free.
#pragma once

#include <cstddef>
#include <istream>
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

// field as one CSV field: quoted when it must be.
std::string CsvField(std::string_view field);

} // namespace base

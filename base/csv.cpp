#include "base/csv.h"

namespace base {

namespace {

constexpr int kEnd = std::char_traits<char>::eof();

} // namespace

CsvReader::CsvReader(std::istream& in, std::size_t maxRecord)
    : m_in(in.rdbuf()), m_maxRecord(maxRecord) {}

CsvReader::Status CsvReader::Next(std::vector<std::string>& fields) {
    if (!m_started) {
        m_started = true;
        // The byte order mark, when there is one.
        static const unsigned char kBom[] = {0xEF, 0xBB, 0xBF};
        int matched = 0;
        while (matched < 3 && m_in->sgetc() == kBom[matched]) {
            m_in->sbumpc();
            ++matched;
        }
        while (matched > 0 && matched < 3) {
            m_in->sungetc();
            --matched;
        }
    }
    fields.clear();
    if (m_in->sgetc() == kEnd) {
        return Status::End;
    }
    fields.emplace_back();
    std::size_t size = 0;
    bool quoted = false; // inside a quoted part of the current field
    bool fresh = true;   // nothing read of the current field yet
    for (int c = m_in->sbumpc(); c != kEnd; c = m_in->sbumpc()) {
        const bool kept = ++size <= m_maxRecord;
        if (quoted) {
            if (c == '"') {
                if (m_in->sgetc() != '"') {
                    quoted = false;
                    continue;
                }
                m_in->sbumpc();
            }
        } else if (c == '"' && fresh) {
            quoted = true;
            fresh = false;
            continue;
        } else if (c == ',') {
            if (kept) {
                fields.emplace_back();
            }
            fresh = true;
            continue;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && m_in->sgetc() == '\n') {
                m_in->sbumpc();
            }
            break;
        }
        fresh = false;
        if (kept) {
            fields.back().push_back(static_cast<char>(c));
        }
    }
    if (size > m_maxRecord) {
        fields.clear();
        return Status::TooLong;
    }
    return Status::Record;
}

CsvFile::CsvFile(std::string_view bytes, std::size_t maxRecord)
    : CsvFile(ReadTextFile(bytes), maxRecord) {}

CsvFile::CsvFile(TextFile file, std::size_t maxRecord)
    : m_encoding(file.encoding), m_text(std::move(file.text)), m_reader(m_text, maxRecord) {}

CsvReader::Status CsvFile::Next(std::vector<std::string>& fields, std::vector<std::size_t>& stray) {
    stray.clear();
    const CsvReader::Status status = m_reader.Next(fields);
    if (status != CsvReader::Status::End) {
        ++m_number;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
        bool notUtf8 = false;
        fields[i] = FieldToUtf8(fields[i], m_encoding, notUtf8);
        if (notUtf8) {
            stray.push_back(i);
        }
    }
    return status;
}

std::string CsvField(std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(field);
    }
    std::string quoted = "\"";
    for (char c : field) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    quoted += '"';
    return quoted;
}

} // namespace base

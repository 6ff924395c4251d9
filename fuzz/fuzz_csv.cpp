// The CSV reader of the batch and the catalogue over any bytes, their encoding judged from the
// whole file. A byte order mark decides; a file of valid UTF-8 is UTF-8. Every field comes out
// as valid UTF-8: a field of a UTF-8 file passes unchanged unless its bytes are no UTF-8 (then
// it is said to be stray), and one of a GBK file read without fault gives its bytes back when
// written as GBK again. Every record is read within the bound on a record, and, written out
// again field by field, reads back the same.
#include "base/text_encoding.h"
#include "base/csv.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr std::size_t kBound = 256;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const base::TextFile file = base::ReadTextFile(bytes);
    const std::string_view mark = bytes.substr(0, 2);
    const bool utf16 = mark == "\xFF\xFE" || mark == "\xFE\xFF";
    Check(utf16 == (file.encoding == base::FileEncoding::Utf16Le ||
                    file.encoding == base::FileEncoding::Utf16Be));
    if (utf16) {
        Check(base::IsValidUtf8(file.text));
    } else if (base::IsValidUtf8(bytes)) {
        Check(file.encoding == base::FileEncoding::Utf8 &&
              (file.text == bytes || "\xEF\xBB\xBF" + file.text == bytes));
    }

    std::istringstream in(file.text);
    base::CsvReader reader(in, kBound);
    std::vector<std::string> fields;
    for (base::CsvReader::Status status;
         (status = reader.Next(fields)) != base::CsvReader::Status::End;) {
        std::size_t sum = 0;
        std::string line;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            sum += fields[i].size() + 1;
            line += (i == 0 ? "" : ",") + base::CsvField(fields[i]);
        }
        Check(status == base::CsvReader::Status::TooLong ? fields.empty()
                                                         : !fields.empty() && sum <= kBound + 1);
        for (const std::string& field : fields) {
            bool stray = false;
            const std::string text = base::FieldToUtf8(field, file.encoding, stray);
            Check(base::IsValidUtf8(text));
            if (file.encoding != base::FileEncoding::Gbk) {
                Check(stray != base::IsValidUtf8(field) && (stray || text == field));
            } else if (text.find("\xEF\xBF\xBD") == std::string::npos) {
                Check(!stray && base::Utf8ToGbk(text) == field);
            }
        }
        // A field that starts with a second byte order mark is the one thing that does not
        // read back: the mark is skipped at the start of the input.
        if (status == base::CsvReader::Status::TooLong || line.rfind("\xEF\xBB\xBF", 0) == 0) {
            continue;
        }
        std::istringstream again(line + "\r\n");
        base::CsvReader back(again, line.size() + 2);
        std::vector<std::string> read;
        Check(back.Next(read) == base::CsvReader::Status::Record && read == fields);
    }
    return 0;
}

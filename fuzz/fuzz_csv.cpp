// The CSV reader of the batch over what the batch hands it: any bytes, read as UTF-8 or, when
// they are not, as GBK. The text is valid UTF-8; UTF-8 passes unchanged, and GBK read without
// fault gives its bytes back when written as GBK again. Every record is read within the bound
// on a record, and, written out again field by field, reads back the same.
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
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = base::TextFileToUtf8(bytes);
    Check(base::IsValidUtf8(text));
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
        bytes.remove_prefix(3);
    }
    if (base::IsValidUtf8(bytes)) {
        Check(text == bytes);
    } else if (text.find("\xEF\xBF\xBD") == std::string::npos) {
        Check(base::Utf8ToGbk(text) == bytes);
    }

    std::istringstream in(text);
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

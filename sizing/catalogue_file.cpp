#include "sizing/catalogue_file.h"

#include "base/csv.h"
#include "base/system_folders.h"
#include "base/whole_file.h"
#include "sizing/units.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace sizing {

const char* const kCatalogueFileName = "catalogue.csv";

namespace {

// The names a column's header may have: Chinese (UTF-8) or ASCII, this in any case.
struct ColumnName {
    CatalogueColumn column;
    const char* chinese;
    const char* ascii;
};
const ColumnName kColumnNames[kCatalogueColumns] = {
    {CatalogueColumn::Model, u8"型号", "model"},
    {CatalogueColumn::Type, u8"型式", "type"},
    {CatalogueColumn::Volume, u8"公称容积", "volume_l"},
    {CatalogueColumn::Pressure, u8"公称压力", "pressure_mpa"},
    {CatalogueColumn::MaxRatio, u8"最大压比", "max_ratio"},
};

// The Chinese names a type may have in a row (UTF-8), besides its ASCII name in any case.
struct TypeName {
    const char* name;
    AccumulatorType type;
};
const TypeName kTypeNames[] = {
    {u8"皮囊式", AccumulatorType::Bladder},
    {u8"囊式", AccumulatorType::Bladder},
    {u8"隔膜式", AccumulatorType::Diaphragm},
    {u8"活塞式", AccumulatorType::Piston},
};
constexpr AccumulatorType kTypes[kAccumulatorTypes] = {
    AccumulatorType::Bladder, AccumulatorType::Diaphragm, AccumulatorType::Piston};

// The fields the numbers of a row are read as, with the units they may carry.
const Input kVolumeField{"volume_l", "L", Quantity::Volume, "", "", 0.0};
const Input kPressureField{"pressure_mpa", "MPa", Quantity::Pressure, "", "", 0.0};
const Input kRatioField{"max_ratio", "", Quantity::Coefficient, "", "", 0.0};

// A header's name or a type as the user wrote it, against a name the program knows: ASCII
// letters in any case.
bool SameName(std::string_view written, std::string_view known) {
    return std::equal(written.begin(), written.end(), known.begin(), known.end(),
                      [](char a, char b) {
                          return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
                      });
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::string_view();
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Where each column stands in a row; npos for a column the header lacks.
using Positions = std::size_t[kCatalogueColumns];

// The cell of column in fields, without blanks around it; empty where the row has none.
std::string_view Cell(const std::vector<std::string>& fields, const Positions& at,
                      CatalogueColumn column) {
    const std::size_t i = at[static_cast<std::size_t>(column)];
    return i < fields.size() ? Trimmed(fields[i]) : std::string_view();
}

SkippedRow Skip(RowFault fault, CatalogueColumn column, std::string_view cell = {}) {
    return SkippedRow{0, fault, column, std::string(cell), 0};
}

// Reads the positive number of column, in field's unit, into value; an empty cell leaves value
// as it is when the column is optional. Answers why the row is skipped, or nothing.
std::optional<SkippedRow> ReadNumberCell(const std::vector<std::string>& fields,
                                         const Positions& at, CatalogueColumn column,
                                         const Input& field, bool optional, double& value) {
    const std::string_view cell = Cell(fields, at, column);
    if (cell.empty()) {
        return optional ? std::nullopt : std::optional(Skip(RowFault::Missing, column));
    }
    double read = 0.0;
    if (!ReadTypedQuantity(cell, field, read)) {
        return Skip(RowFault::NotANumber, column, cell);
    }
    if (!(read > 0.0)) {
        return Skip(RowFault::NotPositive, column, cell);
    }
    value = read;
    return std::nullopt;
}

// Reads one row of the file; answers why it is skipped, or nothing.
std::optional<SkippedRow> ReadRow(const std::vector<std::string>& fields, const Positions& at,
                                  CatalogueRow& row) {
    row.model = Cell(fields, at, CatalogueColumn::Model);
    if (row.model.empty()) {
        return Skip(RowFault::Missing, CatalogueColumn::Model);
    }
    const std::string_view type = Cell(fields, at, CatalogueColumn::Type);
    if (type.empty()) {
        return Skip(RowFault::Missing, CatalogueColumn::Type);
    }
    const auto named = std::find_if(std::begin(kTypeNames), std::end(kTypeNames),
                                    [&](const TypeName& t) { return type == t.name; });
    const auto key = std::find_if(std::begin(kTypes), std::end(kTypes),
                                  [&](AccumulatorType t) { return SameName(type, TypeKey(t)); });
    if (named != std::end(kTypeNames)) {
        row.type = named->type;
    } else if (key != std::end(kTypes)) {
        row.type = *key;
    } else {
        return Skip(RowFault::UnknownType, CatalogueColumn::Type, type);
    }
    row.maxRatio = DefaultRatioLimit(row.type);
    std::optional<SkippedRow> skipped =
        ReadNumberCell(fields, at, CatalogueColumn::Volume, kVolumeField, false, row.litres);
    if (!skipped) {
        skipped =
            ReadNumberCell(fields, at, CatalogueColumn::Pressure, kPressureField, false, row.mpa);
    }
    if (!skipped) {
        skipped =
            ReadNumberCell(fields, at, CatalogueColumn::MaxRatio, kRatioField, true, row.maxRatio);
    }
    return skipped;
}

// Reads the next record of file into fields, with each line break or other control character in
// a cell made a blank: a note is one line. The cells whose bytes were not UTF-8 are counted in
// the catalogue, the first named by its column in header.
base::CsvReader::Status NextRecord(base::CsvFile& file, const std::vector<std::string>& header,
                                   std::vector<std::string>& fields, Catalogue& catalogue) {
    std::vector<std::size_t> stray;
    const base::CsvReader::Status status = file.Next(fields, stray);
    for (std::string& field : fields) {
        std::replace_if(
            field.begin(), field.end(),
            [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, ' ');
    }
    if (!stray.empty() && catalogue.strayCells == 0) {
        const std::size_t i = stray.front();
        const std::vector<std::string>& names = file.Number() == 1 ? fields : header;
        catalogue.firstStray = {file.Number(), i + 1,
                                i < names.size() ? std::string(Trimmed(names[i])) : ""};
    }
    catalogue.strayCells += stray.size();
    return status;
}

bool Blank(const std::vector<std::string>& fields) {
    return std::all_of(fields.begin(), fields.end(),
                       [](const std::string& field) { return Trimmed(field).empty(); });
}

} // namespace

std::vector<std::filesystem::path> CataloguePlaces() {
    std::vector<std::filesystem::path> places;
    for (const std::filesystem::path& folder :
         {base::ProgramFolder(), base::UserSettingsFolder("Presovol")}) {
        if (!folder.empty()) {
            places.push_back(folder / kCatalogueFileName);
        }
    }
    return places;
}

Catalogue ReadCatalogue(std::string_view bytes, std::string source) {
    Catalogue catalogue;
    catalogue.source = std::move(source);
    base::CsvFile file(bytes);
    catalogue.encoding = file.Encoding();
    std::vector<std::string> fields;
    if (NextRecord(file, {}, fields, catalogue) != base::CsvReader::Status::Record) {
        fields.clear();
    }
    const std::vector<std::string> header = fields;
    Positions at;
    std::fill(std::begin(at), std::end(at), std::string::npos);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string_view name = Trimmed(fields[i]);
        for (const ColumnName& column : kColumnNames) {
            if (name != column.chinese && !SameName(name, column.ascii)) {
                continue;
            }
            std::size_t& position = at[static_cast<std::size_t>(column.column)];
            if (position != std::string::npos) {
                catalogue.fault = FileFault::DuplicateColumn;
                catalogue.faultColumn = column.column;
                return catalogue;
            }
            position = i;
        }
    }
    for (const ColumnName& column : kColumnNames) {
        if (column.column != CatalogueColumn::MaxRatio &&
            at[static_cast<std::size_t>(column.column)] == std::string::npos) {
            catalogue.fault = FileFault::MissingColumn;
            catalogue.faultColumn = column.column;
            return catalogue;
        }
    }

    std::unordered_map<std::string, std::size_t> models; // each model read, and its row
    for (base::CsvReader::Status status;
         (status = NextRecord(file, header, fields, catalogue)) != base::CsvReader::Status::End;) {
        const std::size_t number = file.Number();
        std::optional<SkippedRow> skipped;
        CatalogueRow row{};
        if (status == base::CsvReader::Status::TooLong) {
            skipped = Skip(RowFault::TooLong, CatalogueColumn::Model);
        } else if (Blank(fields)) {
            continue; // a spreadsheet's empty line
        } else if (!(skipped = ReadRow(fields, at, row))) {
            const auto [earlier, fresh] = models.emplace(row.model, number);
            if (!fresh) {
                skipped = Skip(RowFault::Duplicate, CatalogueColumn::Model, row.model);
                skipped->earlier = earlier->second;
            }
        }
        if (!skipped) {
            catalogue.rows.push_back(std::move(row));
            continue;
        }
        if (catalogue.skipped++ == 0) {
            catalogue.firstSkipped = std::move(*skipped);
            catalogue.firstSkipped.number = number;
        }
    }
    if (catalogue.rows.empty()) {
        catalogue.fault = FileFault::NoRows;
    }
    return catalogue;
}

std::shared_ptr<const Catalogue> LoadCatalogue(const std::vector<std::filesystem::path>& places) {
    for (const std::filesystem::path& place : places) {
        std::error_code error;
        const std::filesystem::file_status status = std::filesystem::status(place, error);
        if (!std::filesystem::exists(status)) {
            continue;
        }
        auto catalogue = std::make_shared<Catalogue>();
        catalogue->source = place.u8string();
        // One byte more than is taken, to tell a file that is too large.
        std::string bytes;
        std::string reason;
        if (!std::filesystem::is_regular_file(status) ||
            !base::ReadFileStart(place, kLargestCatalogue + 1, bytes, reason)) {
            catalogue->fault = FileFault::Unreadable;
        } else if (bytes.size() > kLargestCatalogue) {
            catalogue->fault = FileFault::TooLarge;
        } else {
            *catalogue = ReadCatalogue(bytes, catalogue->source);
        }
        return catalogue;
    }
    return nullptr;
}

} // namespace sizing

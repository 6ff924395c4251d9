// The catalogue file a user keeps, catalogue.csv: where the program looks for it, and how it is
// read. Columns are found by their header, in any order, with Chinese or ASCII names: 型号 /
// model, 型式 / type, 公称容积 / volume_l, 公称压力 / pressure_mpa, and optionally 最大压比 /
// max_ratio; other columns (备注 / note...) are the user's own.
//
// Platform-free, over the places the system names in base/system_folders.h.
#pragma once

#include "sizing/catalogue.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sizing {

// The name of the catalogue file.
extern const char* const kCatalogueFileName; // "catalogue.csv"

// Where the program looks for the catalogue file, in this order: beside the program, then in
// the user's settings folder (%APPDATA%\Presovol, ~/.config/presovol).
std::vector<std::filesystem::path> CataloguePlaces();

// Reads a catalogue file's bytes, UTF-8 with or without a byte order mark or else GBK, as RFC
// 4180 writes them; source names the file (UTF-8). Rows that cannot be read are skipped and
// counted; the first of them is kept with its reason.
Catalogue ReadCatalogue(std::string_view bytes, std::string source);

// The catalogue file in the first of places where one is, read; null when none of them holds
// one. A file larger than kLargestCatalogue is not read.
std::shared_ptr<const Catalogue> LoadCatalogue(const std::vector<std::filesystem::path>& places);

} // namespace sizing

// The catalogue file's reader over any bytes: every row kept has a model of its own on one line
// in valid UTF-8 (a cell of a UTF-8 file that is not is read as GBK), a known type, a positive
// finite volume and pressure and a positive ratio limit. Picked at the edges of its rows, the pick
// holds the volume as shown with a row that meets the pressure and the ratio; where nothing is
// picked, no row meets the limit the pick names.
#include "base/text_encoding.h"
#include "sizing/catalogue_file.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

void CheckPick(const sizing::Catalogue& catalogue, sizing::MethodId id, double litres,
               double highest, double ratio) {
    const sizing::Method& method = sizing::MethodOf(id);
    double values[sizing::kMaxInputs] = {};
    values[method.roles.highest] = highest;
    const sizing::Pick pick = sizing::PickFrom(catalogue, method, values, litres, ratio);
    const auto meets = [&](const sizing::CatalogueRow& row, bool ratioToo) {
        return row.mpa >= sizing::AsShown(highest) &&
               !(ratioToo && row.maxRatio < sizing::AsShown(ratio));
    };
    if (pick.row) {
        Check(pick.unmet == sizing::Unmet::None && meets(*pick.row, true));
        Check(pick.units >= 1.0 && pick.units == std::floor(pick.units) &&
              pick.units * pick.nominalLitres >= sizing::AsShown(litres));
        return;
    }
    Check(pick.units == 0.0 && pick.unmet != sizing::Unmet::None);
    for (const sizing::CatalogueRow& row : catalogue.rows) {
        Check(!meets(row, pick.unmet == sizing::Unmet::Ratio));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const sizing::Catalogue catalogue =
        sizing::ReadCatalogue(std::string_view(reinterpret_cast<const char*>(data), size), "f");
    std::set<std::string> models;
    for (const sizing::CatalogueRow& row : catalogue.rows) {
        Check(models.insert(row.model).second && !row.model.empty() &&
              base::IsValidUtf8(row.model));
        Check(std::none_of(row.model.begin(), row.model.end(),
                           [](char c) { return static_cast<unsigned char>(c) < 0x20; }));
        Check(static_cast<std::size_t>(row.type) < sizing::kAccumulatorTypes);
        Check(std::isfinite(row.litres) && row.litres > 0.0 && std::isfinite(row.mpa) &&
              row.mpa > 0.0 && row.maxRatio > 0.0);
    }
    for (std::size_t i = 0; i < catalogue.rows.size() && i < 8; ++i) {
        const sizing::CatalogueRow& row = catalogue.rows[i];
        const double limit = std::isfinite(row.maxRatio) ? row.maxRatio : NAN;
        for (const sizing::MethodId id : {sizing::MethodId::Aux, sizing::MethodId::PulseC}) {
            CheckPick(catalogue, id, row.litres, row.mpa, limit);
            CheckPick(catalogue, id, row.litres * 1.5, row.mpa + 0.01, limit + 0.01);
        }
    }
    return 0;
}

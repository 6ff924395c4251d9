// The sheet reader over any bytes: it gives a sheet or a reason, one non-empty sentence of valid
// UTF-8. A sheet it gives, calculated again and saved as a new sheet, reads back to the same
// method, typed inputs, typed temperatures and, exactly, the result of that calculation.
#include "base/text_encoding.h"
#include "sizing/result_texts.h"
#include "sizing/sheet.h"
#include "sizing/sheet_data.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string reason;
    const std::optional<sizing::SavedSheet> sheet = sizing::ReadSheet(bytes, reason);
    if (!sheet) {
        Check(!reason.empty() && base::IsValidUtf8(reason));
        return 0;
    }
    const sizing::Method& method = *sheet->method;
    const sizing::Calculation c =
        sizing::Calculate(method, sheet->values, sheet->typed, sheet->conditions);
    // The program saves a sheet only with a volume shown.
    if (!IsShownVolume(c.volume)) {
        return 0;
    }
    const std::optional<sizing::SavedSheet> again =
        sizing::ReadSheet(sizing::SheetHtml(c, {"fuzz", std::tm{}}), reason);
    Check(again.has_value() && again->method == &method);
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        Check(again->typed[i] == sheet->typed[i] && again->values[i] == sheet->values[i]);
    }
    for (std::size_t i = 0; i < 3; ++i) {
        Check(again->conditions.typedTemperatures[i] == sheet->conditions.typedTemperatures[i]);
    }
    const sizing::SavedResult& result = again->result;
    Check(result.volume == c.volume && result.corrected == c.corrected &&
          result.nominalLitres == c.pick.nominalLitres && result.units == c.pick.units &&
          result.classMpa == c.pick.classMpa);
    return 0;
}

// The sheet reader over any bytes: it gives a sheet or a reason, one non-empty sentence of valid
// UTF-8. A sheet it gives, calculated again and saved as a new sheet, reads back to the same
// method, typed inputs, typed temperatures and, exactly, the result of that calculation.
//
// Depth: each input also stands inside a data block, under as many brackets as it has bytes;
// under 16 or more (17 levels with the block's own) the block is refused for its depth, whatever
// the input holds, and at no depth does the reader crash. Inputs run up to 256 KiB, so that the
// brackets reach the depths that once overflowed the stack (100,000 levels).
#include "base/text_encoding.h"
#include "sizing/result_texts.h"
#include "sizing/sheet.h"
#include "sizing/sheet_data.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// Brackets from this many on nest the block deeper than the 16 levels the reader takes: the
// block's own object is the first level.
constexpr std::size_t kRefusedBrackets = 16;

// The data block with bytes under depth brackets; the rest of a sheet does not matter here.
std::string Nested(std::string_view bytes, std::size_t depth) {
    return "<script type=\"application/json\" id=\"presovol-calculation\">"
           "{\"format\":\"presovol-calculation\",\"version\":1,\"x\":" +
           std::string(depth, '[') + std::string(bytes) + std::string(depth, ']') + "}</script>";
}

} // namespace

// Inputs up to 256 KiB, unless the command line says otherwise: the flag goes ahead of its own,
// so that those win. The seeds hold a block 100,000 levels deep, mutated at its own length.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static char maxLen[] = "-max_len=262144";
    static std::vector<char*> args;
    args.assign(*argv, *argv + *argc);
    args.insert(args.begin() + 1, maxLen);
    args.push_back(nullptr);
    *argv = args.data();
    *argc = static_cast<int>(args.size()) - 1;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string reason;
    if (size >= kRefusedBrackets) {
        Check(!sizing::ReadSheet(Nested(bytes, size), reason) &&
              reason == u8"计算书的数据层次过深，不是 Presovol 的计算书。");
    }
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

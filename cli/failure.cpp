#include "cli/failure.h"

#include "cli/calc_command.h"
#include "sizing/units.h"
#include "base/utf8.h"

namespace cli {

std::string Text(const char* programText) {
    return base::ProgramTextToUtf8(programText);
}

Failure Usage(std::string text) {
    return {"usage", std::string(), std::move(text), kUsage};
}

Failure UnknownMethod(std::string_view name) {
    return {"method", std::string(),
            u8"未知的计算方法“" + std::string(name) + u8"”；可用的有：" + sizing::MethodNames() +
                u8"。",
            kUsage};
}

Failure NotANumber(const sizing::Input& input, std::string_view typed) {
    std::string text =
        u8"输入 " + std::string(input.name) + u8" 的值“" + std::string(typed) + u8"”不是一个数字";
    const std::string units = sizing::UnitSymbols(input.kind);
    if (*input.unit == '\0' || units.empty()) {
        text += u8"：它不带单位。";
    } else {
        text += u8"，或带了不属于它的单位：它以 " + std::string(input.unit) +
                u8" 计，也可写上这些单位之一：" + units + u8"。";
    }
    return {"number", input.name, std::move(text), kUsage};
}

std::string InputNames(const sizing::Method& method) {
    std::string names;
    for (std::size_t i = 0; i < method.inputCount; ++i) {
        names += i == 0 ? "" : " ";
        names += method.inputs[i].name;
    }
    return names;
}

} // namespace cli

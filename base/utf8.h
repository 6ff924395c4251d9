// The program's own texts in UTF-8, for what leaves the program as Unicode: the command line's
// output, its JSON and the calculation sheet.
#pragma once

#include <string>
#include <string_view>

namespace base {

// text, one of the program's texts (the method table's, the result sentence, a message), in
// UTF-8. The program holds them in the narrow encoding of its build: GBK (code page 936) in the
// Windows build, UTF-8 in the native one.
std::string ProgramTextToUtf8(std::string_view text);

} // namespace base

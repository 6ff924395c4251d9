// presovol-calc: the eight sizing methods on the command line, one case from its arguments or
// many from a CSV file. Platform-free: the platform hands in the arguments and the streams, in
// UTF-8, and shows what comes out.
#pragma once

#include <filesystem>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace cli {

// The exit codes.
constexpr int kShown = 0;    // a volume shown; in a batch, every row succeeded
constexpr int kNoVolume = 1; // no volume can be shown; in a batch, a row failed
constexpr int kUsage = 2;    // a usage error, or a value that is no number

struct Streams {
    std::istream& in;  // standard input, for a batch read from "-"
    std::ostream& out; // standard output
    std::ostream& err; // standard error
    bool asciiJson;    // JSON with every character beyond ASCII escaped
};

// Runs the command with args (UTF-8, the program's name first) and answers its exit code. The
// pick comes from the catalogue file in the first of cataloguePlaces that holds one, unless
// --catalogue names the file; from the built-in series when there is none.
int RunCalc(const std::vector<std::string>& args, const Streams& streams,
            const std::vector<std::filesystem::path>& cataloguePlaces = {});

} // namespace cli

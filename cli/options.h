#pragma once

// The options of tarnwick-res and their parsing (with CLI11).

#include <optional>
#include <string>
#include <vector>

namespace tarnwick::cli {

struct Options {
    bool only_custom = false;
    bool overwrite = false;
    bool to_stdout = false;
    bool recursive = false;
    std::vector<std::string> maps;
};

// Reads the command line (the program's name first) into `options`. Returns the exit
// status when the program has nothing more to do: 0 after --help or --version, 2 after a
// usage error, whose message has gone to standard error.
std::optional<int> parse_options(const std::vector<std::string>& arguments, Options& options);

} // namespace tarnwick::cli

#pragma once

// What tarnwick-res needs of the system it runs on. The entry point itself lives in
// os/posix_console.cpp or os/windows_console.cpp: it hands the command line to run()
// as UTF-8 texts.

#include <string>
#include <vector>

namespace tarnwick::cli {

// The program proper; `arguments` are UTF-8, the program's own name first.
int run(const std::vector<std::string>& arguments);

// True when standard error is a terminal that can show a progress bar.
bool stderr_is_terminal();

} // namespace tarnwick::cli

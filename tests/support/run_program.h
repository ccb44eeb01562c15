#pragma once

#include "synthetic_map.h"

#include <string>

namespace tarnwick::testing {

struct ProgramRun {
    int status;
    std::string out;
    std::string err;
};

// Runs `program` in `dir` as a user would from a shell; `arguments` are UTF-8 and may be
// "quoted". Its output goes through the files stdout and stderr in `dir`.
ProgramRun run_program(const TempDir& dir, std::string program, const std::string& arguments);

} // namespace tarnwick::testing

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

#ifdef TARNWICK_RES
// tarnwick-res run in `dir`; its report without the CR Windows puts before each LF.
inline ProgramRun run_res(const TempDir& dir, const std::string& arguments) {
    auto r = run_program(dir, TARNWICK_RES, arguments);
    std::erase(r.err, '\r');
    return r;
}
#endif

} // namespace tarnwick::testing

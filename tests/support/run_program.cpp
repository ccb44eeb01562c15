#include "run_program.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace tarnwick::testing {

ProgramRun run_program(const TempDir& dir, std::string program, const std::string& arguments) {
    const auto out = dir.file("stdout"), err = dir.file("stderr");
#ifdef _WIN32
    std::replace(program.begin(), program.end(), '/', '\\');
    const auto command = "cd /d \"" + dir.file(".") + "\" && \"" + program + "\" " + arguments +
                         " >\"" + out + "\" 2>\"" + err + "\"";
    // Under wine the command shell now and then fails to start at all, and then makes no
    // output file: that run is made again, a few times at most.
    int status = -1;
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::error_code ignored;
        std::filesystem::remove(utf8_path(out), ignored);
        status = _wsystem(utf8_path(command).c_str());
        if (std::filesystem::exists(utf8_path(out))) break;
    }
#else
    const auto command = "cd '" + dir.file(".") + "' && '" + program + "' " + arguments + " >'" +
                         out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    return {status, read_file(out), read_file(err)};
}

} // namespace tarnwick::testing

#include "cli/console.h"

#include <unistd.h>

namespace tarnwick::cli {

bool stderr_is_terminal() {
    return isatty(STDERR_FILENO) != 0;
}

} // namespace tarnwick::cli

int main(int argc, char** argv) {
    return tarnwick::cli::run(std::vector<std::string>(argv, argv + argc));
}

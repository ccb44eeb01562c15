#include "web_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tarnwick::testing::web_process {

long start_nginx(const std::string& arguments, const std::filesystem::path& log) {
    std::vector<std::string> words;
    std::istringstream split(arguments);
    for (std::string word; split >> word;)
        words.push_back(word);
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("cannot start nginx: no process");
    if (pid == 0) {
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(out, 2);
        std::vector<char*> argv{const_cast<char*>("nginx")};
        for (auto& w : words)
            argv.push_back(w.data());
        argv.push_back(nullptr);
        // Debian puts it in /usr/sbin, which a user's PATH may lack.
        execv("/usr/sbin/nginx", argv.data());
        execvp("nginx", argv.data());
        _exit(127);
    }
    return pid;
}

bool still_running(long id) {
    int status = 0;
    return waitpid(static_cast<pid_t>(id), &status, WNOHANG) == 0;
}

std::string unix_path(const std::filesystem::path& path) {
    return path.string();
}

void stop(long pid) {
    if (pid <= 0 || kill(static_cast<pid_t>(pid), SIGTERM) != 0) return;
    int status = 0;
    waitpid(static_cast<pid_t>(pid), &status, 0);
}

} // namespace tarnwick::testing::web_process

#include "web_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tarnwick::testing::web_process {
namespace {

sockaddr_in local(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

} // namespace

void init_sockets() {}

int bound_free_port() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    auto address = local(0);
    socklen_t size = sizeof address;
    if (s < 0 || bind(s, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("no free local port");
    close(s);
    return ntohs(address.sin_port);
}

bool answers(int port) {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    const auto address = local(port);
    const bool connected =
        s >= 0 && connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (s >= 0) close(s);
    return connected;
}

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

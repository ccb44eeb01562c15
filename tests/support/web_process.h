#pragma once

// The system's side of the tests' web server, its process, in os/<system>/web_process.cpp.

#include <filesystem>
#include <string>

namespace tarnwick::testing::web_process {
// Starts nginx with `arguments` (paths in the system's own form); its output goes to
// `log`. Returns an id to stop it by, or throws.
long start_nginx(const std::string& arguments, const std::filesystem::path& log);
// False when the process is known to have ended already.
bool still_running(long id);
// The path as nginx, a Linux program, sees it.
std::string unix_path(const std::filesystem::path& path);
void stop(long pid);
} // namespace tarnwick::testing::web_process

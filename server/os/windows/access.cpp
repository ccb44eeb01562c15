#include "server/os/files.h"

namespace tarnwick::server::os {

// Whoever runs the server reads what its folder holds: the rule is left to the system's
// own access lists, which a copy never widens.
struct ServerUser::Known {};

ServerUser::ServerUser(const std::filesystem::path&) {}
ServerUser::~ServerUser() = default;

bool ServerUser::can_read(const std::filesystem::path&) {
    return true;
}

} // namespace tarnwick::server::os

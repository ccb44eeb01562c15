#include "server/os/files.h"

#include <grp.h>
#include <map>
#include <pwd.h>
#include <sys/stat.h>
#include <vector>

namespace tarnwick::server::os {

// The user and the groups whose permissions a file's mode gives that user, and the folders
// already searched.
struct ServerUser::Known {
    bool anyone = true; // root, or no folder to tell
    uid_t id = 0;
    std::vector<gid_t> groups;
    std::map<std::filesystem::path, bool> searched;

    bool may(const struct stat& status, mode_t user, mode_t group, mode_t others) const {
        if (status.st_uid == id) return (status.st_mode & user) != 0;
        for (const auto g : groups)
            if (status.st_gid == g) return (status.st_mode & group) != 0;
        return (status.st_mode & others) != 0;
    }
    // Every folder on the way to `folder` and `folder` itself; a link among them leads the
    // way on from where it points, after the folders up to it.
    bool may_search(const std::filesystem::path& folder) {
        if (const auto found = searched.find(folder); found != searched.end()) return found->second;
        struct stat status {};
        const auto up = folder.parent_path();
        const bool top = up == folder || up.empty();
        bool may = ::lstat(folder.c_str(), &status) == 0;
        if (may && S_ISLNK(status.st_mode)) {
            std::error_code ec;
            const auto real = std::filesystem::canonical(folder, ec);
            may = !ec && (top || may_search(up)) && may_search(real);
        } else {
            may = may && this->may(status, S_IXUSR, S_IXGRP, S_IXOTH) && (top || may_search(up));
        }
        return searched[folder] = may;
    }
};

ServerUser::ServerUser(const std::filesystem::path& mod_folder)
    : known_(std::make_unique<Known>()) {
    struct stat status {};
    if (mod_folder.empty() || ::stat(mod_folder.c_str(), &status) != 0 || status.st_uid == 0)
        return;
    known_->anyone = false;
    known_->id = status.st_uid;
    known_->groups = {status.st_gid};
    if (const auto* entry = ::getpwuid(status.st_uid)) {
        int count = 256;
        std::vector<gid_t> groups(static_cast<std::size_t>(count));
        if (::getgrouplist(entry->pw_name, entry->pw_gid, groups.data(), &count) >= 0) {
            groups.resize(static_cast<std::size_t>(count));
            known_->groups = groups;
        }
    }
}

ServerUser::~ServerUser() = default;

bool ServerUser::can_read(const std::filesystem::path& file) {
    if (known_->anyone) return true;
    struct stat status {};
    if (::lstat(file.c_str(), &status) != 0) return false;
    std::error_code ec;
    const auto path = std::filesystem::absolute(file, ec);
    if (ec || !known_->may_search(path.parent_path())) return false;
    // A link: the folders on the way to where it leads are searched too.
    if (S_ISLNK(status.st_mode)) {
        const auto real = std::filesystem::canonical(path, ec);
        if (ec || ::stat(real.c_str(), &status) != 0 || !known_->may_search(real.parent_path()))
            return false;
    }
    return known_->may(status, S_IRUSR, S_IRGRP, S_IROTH);
}

} // namespace tarnwick::server::os

#include "server/os/files.h"

#include "analysis/file_system.h"
#include "analysis/os/windows/common.h"

namespace tarnwick::server::os {

namespace fs = std::filesystem;

// Through std::filesystem, whose count of time the stamps already recorded use.
Look look_at(const fs::path& path, Links links) {
    std::error_code ec;
    const auto status = links == Links::kept ? fs::symlink_status(path, ec) : fs::status(path, ec);
    if (ec || !fs::exists(status)) return {};
    if (fs::is_symlink(status)) return {Look::Kind::link};
    if (fs::is_directory(status)) return {Look::Kind::folder};
    if (!fs::is_regular_file(status)) return {Look::Kind::other};
    const auto size = fs::file_size(path, ec);
    const auto time = fs::last_write_time(path, ec);
    // Gone or locked since: as good as not there.
    if (ec) return {};
    return {Look::Kind::plain, {size, static_cast<std::int64_t>(time.time_since_epoch().count())}};
}

// By the path: std::filesystem's count of time is the one the stamps recorded use.
Stamp stamp_of(Handle, const fs::path& path) {
    const auto look = look_at(path, Links::followed);
    if (look.kind != Look::Kind::plain) throw analysis::FileError("cannot look at the file");
    return look.stamp;
}

// By the name, which sees a file written to and one renamed over alike.
bool still_as_opened(Handle, const fs::path& path, const Stamp& stamp) {
    const auto look = look_at(path, Links::followed);
    return look.kind == Look::Kind::plain && look.stamp == stamp;
}

Handle open_stamped(const fs::path& path, Stamp& stamp) {
    const auto file = analysis::os::open_for_reading(analysis::utf8_of(path));
    try {
        stamp = stamp_of(file, path);
    } catch (...) {
        analysis::os::close_file(file);
        throw;
    }
    return file;
}

// Looked at by its name once closed: the system may set the time of the last write only
// when the file is closed.
Stamp flush_and_stamp(analysis::ReplacementFile& file) {
    file.flush();
    const auto look = look_at(file.part());
    if (look.kind != Look::Kind::plain)
        throw analysis::FileError("cannot look at what was written");
    return look.stamp;
}

} // namespace tarnwick::server::os

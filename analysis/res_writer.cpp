// The resource file writer. The file is written beside the destination under a
// temporary name, flushed to disk and closed, and only then renamed over the
// destination, so a failure at any point leaves the old file as it was.

#include "analysis/file_system.h"
#include "analysis/map_names.h"
#include "analysis/module1.h"
#include "analysis/os/files.h"
#include "analysis/single_byte.h"

#include <random>
#include <system_error>
#include <utility>

namespace tarnwick::analysis {
namespace {

constexpr std::string_view line_end = "\r\n";

// The new contents of `destination`, in a file beside it that is removed again unless
// it is committed.
class ReplacementFile {
public:
    explicit ReplacementFile(const std::filesystem::path& destination) : destination_(destination) {
        std::random_device seed;
        for (int attempt = 0; attempt < 16 && file_ == os::no_handle; ++attempt) {
            // Hidden (by the dot, or by create_new on Windows), so that a file left by a
            // crash does not look like a resource file.
            std::filesystem::path name(".");
            name += destination.filename();
            name += ".tmp-" + std::to_string(seed() % 1000000000u);
            path_ = destination.parent_path() / name;
            file_ = os::create_new(path_);
        }
        if (file_ == os::no_handle) throw ResWriteError("cannot find a free temporary name");
    }

    ~ReplacementFile() {
        if (file_ != os::no_handle) os::close_file(file_);
        if (!committed_) os::remove_file(path_);
    }

    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    void write(std::string_view bytes) { os::write_all(file_, bytes); }

    // Flushes to disk, closes and puts the file in the destination's place, with the
    // permissions the file it replaces had.
    void commit() {
        const auto file = std::exchange(file_, os::no_handle);
        os::flush_and_close(file);
        os::copy_permissions(destination_, path_);
        os::replace(path_, destination_);
        committed_ = true;
    }

private:
    std::filesystem::path destination_;
    std::filesystem::path path_;
    os::Handle file_ = os::no_handle;
    bool committed_ = false;
};

// A resource file reached through a link is replaced where it really lies.
std::filesystem::path real_destination(const std::filesystem::path& destination) {
    std::error_code ec;
    if (std::filesystem::is_symlink(destination, ec)) {
        auto target = std::filesystem::canonical(destination, ec);
        if (!ec) return target;
    }
    return destination;
}

} // namespace

std::string res_path_for(const std::string& map_path) {
    if (char_count(map_path) < 4) return {};
    return drop_last_chars(map_path, 4) + ".res";
}

std::string format_res_file(const std::vector<std::string>& entries, const std::string& map_name) {
    if (char_count(map_name) < 4)
        throw ResWriteError("the map name is shorter than four characters");
    const auto names = map_names(map_name);
    if (!names.usable)
        throw ResWriteError("the map name has characters that a resource file cannot hold");
    std::string out;
    std::size_t size = 2 * (names.name.size() + 10);
    for (const auto& e : entries)
        size += e.size() + line_end.size();
    out.reserve(size);
    out.append(names.map_line()).append(line_end);
    out.append(names.res_line()).append(line_end);
    for (const auto& e : entries)
        out.append(e).append(line_end);
    return out;
}

WriteResult write_res_file(const std::vector<std::string>& entries, const std::string& map_path) {
    WriteResult result;
    result.destination = res_path_for(map_path);
    try {
        if (result.destination.empty())
            throw ResWriteError("the map path is shorter than four characters");
        // The map lines name the map whose path decides where the file goes.
        const auto contents = format_res_file(entries, file_name_of(map_path));
        const auto destination = real_destination(to_path(result.destination));
        if (const auto why = os::why_not_replaceable(destination); !why.empty())
            throw ResWriteError(why);
        ReplacementFile file(destination);
        file.write(contents);
        file.commit();
        result.ok = true;
    } catch (const std::exception& e) {
        result.reason = e.what();
    }
    return result;
}

} // namespace tarnwick::analysis

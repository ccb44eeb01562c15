// The resource file writer. The file is written beside the destination under a
// temporary name, flushed to disk and closed, and only then renamed over the
// destination, so a failure at any point leaves the old file as it was.

#include "analysis/file_system.h"
#include "analysis/map_names.h"
#include "analysis/module1.h"
#include "analysis/os/files.h"
#include "analysis/replacement_file.h"
#include "analysis/single_byte.h"

#include <system_error>
#include <utility>

namespace tarnwick::analysis {
namespace {

constexpr std::string_view line_end = "\r\n";

// A resource file reached through a link to a file is replaced where it really lies (a link
// to anything else has been refused).
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
    if (has_control_byte(map_name))
        throw ResWriteError("the map name holds a control byte, which would break the .res's "
                            "lines");
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
        if (const auto why = os::why_not_replaceable(to_path(result.destination)); !why.empty())
            throw ResWriteError(why);
        const auto destination = real_destination(to_path(result.destination));
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

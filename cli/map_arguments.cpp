#include "cli/map_arguments.h"

#include "analysis/file_system.h"
#include "analysis/os/files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace tarnwick::cli {

namespace {

namespace fs = std::filesystem;

// The maps in `folder` and, with `recursive`, in its subfolders (never through a link to a
// folder, which could lead round in a circle). A folder that cannot be read is a problem.
void add_folder(const fs::path& folder, bool recursive, std::vector<MapArgument>& found) {
    std::error_code ec;
    fs::directory_iterator entries(folder, ec);
    for (; !ec && entries != fs::directory_iterator(); entries.increment(ec)) {
        const auto& entry = *entries;
        std::error_code kind;
        if (recursive && entry.is_directory(kind) && !entry.is_symlink(kind))
            add_folder(entry.path(), recursive, found);
        else if (entry.is_regular_file(kind) && has_map_extension(analysis::utf8_of(entry.path())))
            found.push_back({analysis::utf8_of(entry.path()), {}});
    }
    if (ec) found.push_back({analysis::utf8_of(folder), "cannot read the folder: " + ec.message()});
}

void add_argument(const std::string& path, bool recursive, std::vector<MapArgument>& maps) {
    std::error_code ec;
    if (!fs::is_directory(analysis::to_path(path), ec)) {
        maps.push_back({path, {}});
        return;
    }
    std::vector<MapArgument> found;
    add_folder(analysis::to_path(path), recursive, found);
    // By name, folder by folder: compared as paths, "a/z.bsp" comes before "a-b.bsp".
    std::sort(found.begin(), found.end(), [](const MapArgument& a, const MapArgument& b) {
        return analysis::to_path(a.path) < analysis::to_path(b.path);
    });
    if (found.empty())
        found.push_back({path, recursive ? "no .bsp map in the folder or its subfolders"
                                         : "no .bsp map in the folder (-r looks in subfolders)"});
    maps.insert(maps.end(), found.begin(), found.end());
}

} // namespace

bool has_map_extension(const std::string& path) {
    if (path.size() < 4) return false;
    std::string ext = path.substr(path.size() - 4);
    for (auto& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".bsp";
}

std::vector<MapArgument> expand_map_arguments(const std::vector<std::string>& arguments,
                                              bool recursive) {
    std::vector<MapArgument> maps;
    for (const auto& argument : arguments) {
        const auto paths = analysis::os::expand_wildcards(argument);
        if (paths.empty()) maps.push_back({argument, "no file matches"});
        for (const auto& path : paths)
            add_argument(path, recursive, maps);
    }
    return maps;
}

} // namespace tarnwick::cli

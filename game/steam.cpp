#include "game/steam.h"

#include "analysis/file_system.h"
#include "game/file_source.h"
#include "game/formats/library_folders.h"

namespace tarnwick::game {
namespace {

namespace fs = std::filesystem;

// Older installations spell it with capitals; a case-sensitive disk may hold either.
constexpr const char* steamapps_spellings[] = {"steamapps", "SteamApps"};

// The libraries that root's vdf lists, or none when it cannot be read.
std::vector<fs::path> listed_libraries(const fs::path& root) {
    std::vector<fs::path> libraries;
    for (const char* steamapps : steamapps_spellings) {
        const auto vdf = root / steamapps / "libraryfolders.vdf";
        std::error_code ec;
        if (!fs::is_regular_file(vdf, ec)) continue;
        try {
            const FileSource source(analysis::utf8_of(vdf));
            for (const auto& folder :
                 read_library_folders(read_small_file(source, max_library_folders_file))) {
                const auto path = analysis::to_path(folder);
                if (path.is_absolute()) libraries.push_back(path);
            }
        } catch (const std::runtime_error&) {
            // Unreadable (FileError), damaged or too large (FormatError), or a path the
            // system cannot spell (filesystem_error): the other roots are still looked in.
        }
        return libraries;
    }
    return libraries;
}

std::optional<fs::path> mod_in(const fs::path& library, const fs::path& mod) {
    for (const char* steamapps : steamapps_spellings) {
        auto folder = library / steamapps / "common" / "Half-Life" / mod;
        std::error_code ec;
        if (fs::is_directory(folder, ec)) return folder;
    }
    return std::nullopt;
}

} // namespace

std::optional<fs::path> find_steam_mod(const std::vector<fs::path>& steam_roots,
                                       std::string_view mod) {
    const auto mod_path = analysis::to_path(std::string(mod));
    for (const auto& root : steam_roots) {
        if (auto found = mod_in(root, mod_path)) return found;
        for (const auto& library : listed_libraries(root))
            if (auto found = mod_in(library, mod_path)) return found;
    }
    return std::nullopt;
}

} // namespace tarnwick::game

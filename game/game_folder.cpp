#include "game/game_folder.h"

#include "analysis/file_system.h"
#include "analysis/os/files.h"
#include "analysis/single_byte.h"
#include "game/file_source.h"
#include "game/formats/liblist.h"
#include "game/formats/names.h"
#include "game/formats/pak.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>

namespace tarnwick::game {
namespace {

namespace fs = std::filesystem;
using analysis::utf8_of;

// Entries are single-byte text; a disk name that the single-byte text cannot hold keeps
// its UTF-8 bytes (no entry can name it, but it is still listed).
std::string entry_spelling(const std::string& utf8) {
    auto single = analysis::utf8_to_single_byte(utf8);
    return single ? *single : utf8;
}

// The relative paths (UTF-8) of the ordinary files under `root`, sorted, so that two files
// whose names differ only in case come in the same order on every run. Links to folders
// are followed, as the server opens files through them (a server's sounds shared with
// another, say), but never into a folder that is being listed already: round a loop.
std::vector<std::string> list_files(const fs::path& root) {
    std::vector<std::string> files;
    std::error_code ec;
    // The folders from the root down to the one being listed, as the system names them.
    std::vector<fs::path> open{fs::canonical(root, ec)};
    if (ec) return files;
    fs::recursive_directory_iterator it(root,
                                        fs::directory_options::skip_permission_denied |
                                            fs::directory_options::follow_directory_symlink,
                                        ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code type_error;
        if (it->is_directory(type_error)) {
            open.resize(static_cast<std::size_t>(it.depth()) + 1);
            std::error_code real_error;
            auto real = it->is_symlink(type_error) ? fs::canonical(it->path(), real_error)
                                                   : open.back() / it->path().filename();
            if (real_error || std::find(open.begin(), open.end(), real) != open.end())
                it.disable_recursion_pending();
            else
                open.push_back(std::move(real));
        } else if (it->is_regular_file(type_error)) {
            files.push_back(utf8_of(it->path().lexically_relative(root)));
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The spelling of the file `name` at the top of a listing, or nothing.
std::optional<std::string> top_file(const std::vector<std::string>& files, std::string_view name) {
    for (const auto& file : files)
        if (file.find('/') == std::string::npos && same_name(file, name)) return file;
    return std::nullopt;
}

} // namespace

std::string with_slashes(std::string_view relative) {
    std::string out(relative);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

std::string index_key(std::string_view relative) {
    return lower_ascii(with_slashes(relative));
}

GameFolder::GameFolder(const fs::path& mod_given, bool addon) {
    std::error_code ec;
    auto mod = fs::absolute(mod_given, ec).lexically_normal();
    if (!mod.has_filename()) mod = mod.parent_path();
    if (!fs::is_directory(mod, ec))
        throw std::runtime_error("the game folder " + utf8_of(mod_given) + " is not a folder");
    if (addon) add_beside(FolderRole::addon, mod, "_addon");
    auto files = add_folder(FolderRole::mod, mod);
    add_beside(FolderRole::hd, mod, "_hd");
    add_beside(FolderRole::downloads, mod, "_downloads");
    // Each fallback names its own in turn; valve ends the chain, and a loop does too.
    std::vector<std::string> chain = {utf8_of(mod.filename())};
    const auto in_chain = [&](const std::string& name) {
        return std::any_of(chain.begin(), chain.end(),
                           [&](const std::string& n) { return same_name(n, name); });
    };
    for (auto folder = mod;;) {
        const auto name = fallback_of(folder, files);
        if (!name || same_name(*name, "valve") || in_chain(*name)) break;
        chain.push_back(*name);
        folder = mod.parent_path() / analysis::to_path(*name);
        if (!fs::is_directory(folder, ec)) {
            warnings_.push_back("the fallback folder " + utf8_of(folder) + " is not there");
            absent_.push_back(*name);
            break;
        }
        files = add_folder(FolderRole::fallback, folder);
        add_beside(FolderRole::hd, folder, "_hd");
    }
    const auto valve = mod.parent_path() / "valve";
    if (!in_chain("valve") && fs::is_directory(valve, ec)) {
        add_folder(FolderRole::fallback, valve);
        add_beside(FolderRole::hd, valve, "_hd");
    } else if (!in_chain("valve")) {
        absent_.push_back("valve");
    }
}

void GameFolder::add_beside(FolderRole role, const fs::path& path, const char* suffix) {
    auto beside = path;
    beside += suffix;
    std::error_code ec;
    if (fs::is_directory(beside, ec)) add_folder(role, beside);
}

std::optional<std::string> GameFolder::fallback_of(const fs::path& folder,
                                                   const std::vector<std::string>& files) {
    const auto liblist = top_file(files, "liblist.gam");
    if (!liblist) return std::nullopt;
    try {
        const FileSource source(utf8_of(folder / analysis::to_path(*liblist)));
        return read_fallback_dir(read_small_file(source));
    } catch (const std::exception& e) {
        warnings_.push_back(*liblist + ": " + e.what());
        return std::nullopt;
    }
}

std::vector<std::string> GameFolder::add_folder(FolderRole role, const fs::path& path) {
    const auto folder = folders_.size();
    folders_.push_back({role, path, {}});
    auto files = list_files(path);
    for (const auto& file : files) {
        auto spelled = entry_spelling(file);
        const auto key = index_key(spelled);
        add_place(key, {folder, -1, std::move(spelled), file, 0, 0});
    }
    for (int n = 0;; ++n) {
        const auto pack = top_file(files, "pak" + std::to_string(n) + ".pak");
        if (!pack) break;
        add_pack(folder, path / analysis::to_path(*pack));
    }
    return files;
}

void GameFolder::add_pack(std::size_t folder, const fs::path& pack) {
    auto& search = folders_[folder];
    try {
        const auto entries = read_pak_directory(FileSource(utf8_of(pack)));
        const int index = static_cast<int>(search.packs.size());
        search.packs.push_back(pack);
        for (const auto& entry : entries)
            add_place(index_key(entry.name),
                      {folder, index, with_slashes(entry.name), {}, entry.offset, entry.length});
    } catch (const std::exception& e) {
        warnings_.push_back(utf8_of(pack) + ": " + e.what());
    }
}

void GameFolder::add_place(const std::string& key, Place place) {
    const auto [at, added] = index_.try_emplace(key);
    at->second.push_back(std::move(place));
    const auto slash = key.rfind('/');
    if (added && slash != std::string::npos)
        below_top_[key.substr(slash + 1)].push_back(&at->first);
}

const std::vector<Place>& GameFolder::candidates(std::string_view relative) const {
    static const std::vector<Place> none;
    const auto found = index_.find(index_key(relative));
    return found == index_.end() ? none : found->second;
}

bool GameFolder::ships_with_game(const Place& place) const {
    const auto role = folders_[place.folder].role;
    return place.pack >= 0 || role == FolderRole::fallback || role == FolderRole::hd;
}

std::string GameFolder::describe(const Place& place) const {
    const auto& folder = folders_[place.folder];
    if (place.pack < 0) return utf8_of(folder.path / analysis::to_path(place.disk_name));
    return utf8_of(folder.packs[static_cast<std::size_t>(place.pack)]) + "/" +
           analysis::single_byte_to_utf8(place.spelled);
}

std::string GameFolder::disk_path(const Place& place) const {
    return place.pack < 0 ? describe(place) : std::string();
}

std::unique_ptr<ByteSource> GameFolder::open(const Place& place) const {
    if (place.pack < 0) return std::make_unique<FileSource>(describe(place));
    const auto& pack = folders_[place.folder].packs[static_cast<std::size_t>(place.pack)];
    return std::make_unique<FileSource>(utf8_of(pack), place.offset, place.length);
}

// The first spelling of each key that `keep` takes, in the order of the keys.
std::vector<std::string>
GameFolder::spellings(const std::function<bool(const std::string&)>& keep) const {
    std::vector<std::pair<std::string, std::string>> keyed;
    for (const auto& [key, places] : index_)
        if (keep(key)) keyed.emplace_back(key, places.front().spelled);
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::string> paths;
    paths.reserve(keyed.size());
    for (auto& [key, spelled] : keyed)
        paths.push_back(std::move(spelled));
    return paths;
}

std::vector<std::string> GameFolder::paths_named(std::string_view name) const {
    const auto found = below_top_.find(lower_ascii(name));
    if (found == below_top_.end()) return {};
    auto keys = found->second;
    std::sort(keys.begin(), keys.end(), [](auto* a, auto* b) { return *a < *b; });
    std::vector<std::string> paths;
    for (const auto* key : keys)
        paths.push_back(index_.at(*key).front().spelled);
    return paths;
}

std::vector<std::string> GameFolder::all_paths() const {
    return spellings([](const std::string&) { return true; });
}

} // namespace tarnwick::game

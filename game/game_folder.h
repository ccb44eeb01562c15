#pragma once

// The folders the game loads a mod's files from, in the game's order, each listed once
// into one index of relative paths compared without regard to case:
//   <mod>_addon (only when asked, as the game's own option for it), the mod folder,
//   <mod>_downloads, then the fallback folder that the mod's liblist.gam names, that
//   folder's own fallback in turn (czero → cstrike), and valve last, once; beside the mod
//   and each fallback its _hd folder, whose files ship with the game; and in each folder
//   its pack files pak0.pak, …

#include "game/formats/byte_source.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarnwick::game {

enum class FolderRole { mod, downloads, fallback, addon, hd };

struct SearchFolder {
    FolderRole role = FolderRole::mod;
    std::filesystem::path path;
    std::vector<std::filesystem::path> packs; // the readable ones, in order
};

// One file of the game: loose in a search folder or inside one of its pack files.
struct Place {
    std::size_t folder = 0;
    int pack = -1;         // index into the folder's packs; -1 when loose
    std::string spelled;   // the relative path as the disk or pack spells it, '/' between parts
    std::string disk_name; // a loose file's relative path on the disk (UTF-8)
    std::uint32_t offset = 0, length = 0; // inside the pack
};

class GameFolder {
public:
    // Lists the folders of the mod at `mod`, <mod>_addon first when `addon`. Throws
    // std::runtime_error when `mod` is not a folder; the other folders are left out when
    // they are not there.
    explicit GameFolder(const std::filesystem::path& mod, bool addon = false);

    const std::vector<SearchFolder>& folders() const { return folders_; }
    // Damaged pack files and a liblist.gam that could not be used, each a line.
    const std::vector<std::string>& warnings() const { return warnings_; }
    // The fallback folders of the chain that are not there ("valve"): what they would hold
    // cannot be known.
    const std::vector<std::string>& absent_fallbacks() const { return absent_; }

    // Every file whose relative path is `relative` without regard to case (a backslash
    // counts as a slash), in search order; empty when there is none.
    const std::vector<Place>& candidates(std::string_view relative) const;
    // True for a file the game ships with: in a fallback or _hd folder, or in a pack file.
    bool ships_with_game(const Place& place) const;

    // Where the file lies, for people: ".../cstrike/models/x.mdl" or ".../valve/pak0.pak/x".
    std::string describe(const Place& place) const;
    // The loose file's path on the disk (UTF-8); empty for a file inside a pack.
    std::string disk_path(const Place& place) const;
    // The file's bytes. Throws analysis::FileError or FormatError.
    std::unique_ptr<ByteSource> open(const Place& place) const;

    // Each relative path of the index once, as first spelled, sorted without regard to case.
    std::vector<std::string> all_paths() const;
    // The paths below the top of a search folder whose file name is `name` (without a
    // folder) in any case, as the disk spells them, sorted as all_paths() sorts them. One
    // look-up, whatever the size of the folder: a map may name thousands of missing files.
    std::vector<std::string> paths_named(std::string_view name) const;

private:
    std::vector<std::string> spellings(const std::function<bool(const std::string&)>& keep) const;
    // Returns the folder's loose files, for a look at its top.
    std::vector<std::string> add_folder(FolderRole role, const std::filesystem::path& path);
    // The folder with `suffix` after `path`'s name, added when it is there.
    void add_beside(FolderRole role, const std::filesystem::path& path, const char* suffix);
    void add_pack(std::size_t folder, const std::filesystem::path& pack);
    void add_place(const std::string& key, Place place);
    // The fallback folder that the liblist.gam among `files` of `folder` names, if any.
    std::optional<std::string> fallback_of(const std::filesystem::path& folder,
                                           const std::vector<std::string>& files);

    std::vector<SearchFolder> folders_;
    std::vector<std::string> warnings_;
    std::vector<std::string> absent_;
    std::unordered_map<std::string, std::vector<Place>> index_;
    // The file name of each key below the top of a folder → those keys (in index_, whose
    // keys stay where they are).
    std::unordered_map<std::string, std::vector<const std::string*>> below_top_;
};

// The key of the index for a relative path: lower case, '/' for '\'.
std::string index_key(std::string_view relative);
// The relative path as the index spells it: '/' for '\'.
std::string with_slashes(std::string_view relative);

} // namespace tarnwick::game

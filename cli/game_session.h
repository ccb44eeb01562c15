#pragma once

// What tarnwick-res does with the game folder when asked: resolve each map's entries,
// report them, choose the .res's lines, collect the download folder, and write the JSON
// report at the end. The plain scan does none of this.

#include "cli/options.h"
#include "game/game_folder.h"
#include "game/resolver.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick::cli {

class GameSession {
public:
    using Report = std::function<void(const std::string&)>;

    // Throws std::runtime_error when the stock list cannot be read.
    explicit GameSession(GameOptions options);

    // Resolves the entries of the map at `map_path` and reports them; nothing when the
    // game folder cannot be found or listed (reported).
    std::optional<game::MapResolution> resolve(const std::string& map_path,
                                               const std::vector<std::string>& entries,
                                               const Report& report);
    // Copies the map's download folder (--collect); false when anything failed.
    bool collect(const game::MapResolution& resolution, const std::string& map_path,
                 const std::string& res_bytes, bool overwrite, const Report& report) const;
    // Writes the JSON report of every map resolved (--report); false when it failed.
    bool write_report(const Report& report) const;

    const GameOptions& options() const { return options_; }

private:
    const game::GameFolder& folder_for(const std::string& map_path);

    GameOptions options_;
    game::NameSet stock_;
    std::map<std::filesystem::path, std::unique_ptr<game::GameFolder>> folders_;
    std::map<const game::GameFolder*, bool> warned_;
    std::vector<game::MapResolution> resolved_;
};

// The sorted list of what a clean installation's mod folder and its fallback folder hold
// (--make-stock-list). Throws std::runtime_error when `mod` is not a folder.
std::string stock_list_of(const std::string& mod);

} // namespace tarnwick::cli

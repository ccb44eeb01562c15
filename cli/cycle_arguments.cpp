#include "cli/cycle_arguments.h"

#include "analysis/file_system.h"
#include "analysis/single_byte.h"
#include "game/file_source.h"
#include "server/cycle.h"

#include <filesystem>
#include <stdexcept>

namespace tarnwick::cli {

namespace {
// Far past any cycle a server runs, and still small enough to read whole.
constexpr std::uint64_t cycle_limit = 16u << 20;
} // namespace

std::vector<MapArgument> cycle_arguments(const std::string& file, const std::string& mod,
                                         game::Session& session,
                                         const std::function<void(const std::string&)>& report) {
    std::string text;
    try {
        text = game::read_small_file(game::FileSource(file), cycle_limit);
    } catch (const std::exception& e) {
        throw std::runtime_error("cannot read the cycle " + file + ": " + e.what());
    }
    const auto name = analysis::utf8_of(analysis::to_path(file).filename());
    const auto cycle = server::read_cycle(session.game_folder(analysis::to_path(mod)), text, name);
    for (const auto& line : cycle.lines)
        report(line);
    std::vector<MapArgument> maps;
    for (const auto& map : cycle.maps) {
        const auto shown = analysis::single_byte_to_utf8(map.name);
        if (map.skipped)
            maps.push_back(
                {shown, "not a map the server has: the server skips it", {}, false, true});
        else if (map.in_pack)
            maps.push_back({shown, "in a pack file: it ships with the game", {}, true});
        else
            maps.push_back({map.path, {}, map.name});
    }
    return maps;
}

std::string mod_of_cycle(const std::string& file) {
    std::error_code ec;
    const auto path = std::filesystem::absolute(analysis::to_path(file), ec);
    return analysis::utf8_of((ec ? analysis::to_path(file) : path).parent_path());
}

} // namespace tarnwick::cli

#include "server/cycle.h"

#include "analysis/single_byte.h"
#include "game/formats/mapcycle.h"
#include "game/formats/names.h"

namespace tarnwick::server {

Cycle read_cycle(const game::GameFolder& game, std::string_view text, const std::string& file) {
    const auto read = game::read_map_cycle(text);
    Cycle cycle;
    for (const auto& warning : read.warnings)
        cycle.lines.push_back(file + ": " + warning);
    game::NameSet seen;
    for (const auto& map : read.maps) {
        if (map.name.starts_with(';'))
            cycle.lines.push_back(file + " line " + std::to_string(map.line) +
                                  ": ';' starts no comment in mapcycle.txt: the server takes "
                                  "each word as a map name and skips it; start the line with //");
        // The server lists every name, but runs a map the same way each time: check it once.
        if (!seen.insert(map.name)) continue;
        CycleMap entry{map.name, {}, map.line};
        // The name is looked up in the listing only, so a hostile one reaches no file.
        const auto& places = game.candidates("maps/" + map.name + ".bsp");
        if (places.empty()) {
            entry.skipped = true;
            cycle.lines.push_back(file + " line " + std::to_string(map.line) + ": Skipping " +
                                  analysis::single_byte_to_utf8(map.name) +
                                  " from mapcycle, not a valid map");
        } else if (places.front().pack >= 0) {
            entry.in_pack = true;
        } else {
            entry.path = game.disk_path(places.front());
        }
        cycle.maps.push_back(std::move(entry));
    }
    if (read.maps.empty())
        cycle.lines.push_back(file +
                              ": the cycle names no map: the server falls back to its default map");
    return cycle;
}

} // namespace tarnwick::server

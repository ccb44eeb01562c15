#include "server/cycle.h"

#include "analysis/single_byte.h"
#include "game/formats/mapcycle.h"
#include "game/formats/names.h"
#include "server/requests.h"

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
        const auto sought = "maps/" + map.name + ".bsp";
        const auto& places = game.candidates(sought);
        if (places.empty()) {
            entry.skipped = true;
            cycle.lines.push_back(file + " line " + std::to_string(map.line) + ": Skipping " +
                                  analysis::single_byte_to_utf8(map.name) +
                                  " from mapcycle, not a valid map");
        } else if (const auto& opened = as_opened(places, sought); opened.pack >= 0) {
            entry.in_pack = true;
        } else {
            entry.path = game.disk_path(opened);
            if (opened.spelled != sought)
                cycle.lines.push_back(file + " line " + std::to_string(map.line) + ": no " +
                                      analysis::single_byte_to_utf8(sought) +
                                      ": the server opens " +
                                      analysis::single_byte_to_utf8(opened.spelled) +
                                      ", which the site gets under the name asked for");
        }
        cycle.maps.push_back(std::move(entry));
    }
    if (read.maps.empty())
        cycle.lines.push_back(file +
                              ": the cycle names no map: the server falls back to its default map");
    return cycle;
}

} // namespace tarnwick::server

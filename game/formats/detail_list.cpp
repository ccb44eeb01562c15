#include "game/formats/detail_list.h"

#include "game/formats/names.h"
#include "game/formats/text_lines.h"

namespace tarnwick::game {

std::vector<std::string> read_detail_textures(std::string_view detail_file) {
    std::vector<std::string> textures;
    NameSet seen;
    for_each_line(detail_file, [&](std::string_view line, std::size_t) {
        const auto fields = split_fields(line);
        if (fields.size() < 2 || fields[1].empty()) return;
        auto path = "gfx/" + fields[1] + ".tga";
        if (seen.insert(path)) textures.push_back(std::move(path));
    });
    return textures;
}

} // namespace tarnwick::game

#include "game/formats/detail_list.h"

#include "game/formats/names.h"
#include "game/formats/words.h"

namespace tarnwick::game {

std::vector<std::string> read_detail_textures(std::string_view detail_file) {
    std::vector<std::string> textures;
    NameSet seen;
    std::vector<std::string_view> record;
    for_each_word(detail_file, [&](std::string_view word) {
        record.push_back(word);
        if (record.size() < 4) return;
        auto path = "gfx/" + std::string(record[1]) + ".tga";
        if (seen.insert(path)) textures.push_back(std::move(path));
        record.clear();
    });
    return textures;
}

} // namespace tarnwick::game

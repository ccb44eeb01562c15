#include "game/formats/overview.h"

#include "game/formats/names.h"
#include "game/formats/words.h"

namespace tarnwick::game {

std::vector<std::string> read_overview_images(std::string_view description) {
    std::vector<std::string> images;
    NameSet seen;
    bool image_next = false;
    for_each_word(description, [&](std::string_view word) {
        if (image_next && seen.insert(word)) images.emplace_back(word);
        image_next = !image_next && same_name(word, "image");
    });
    return images;
}

} // namespace tarnwick::game

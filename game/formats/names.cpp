#include "game/formats/names.h"

namespace tarnwick::game {

std::string lower_ascii(std::string_view text) {
    std::string out(text);
    for (auto& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool same_name(std::string_view a, std::string_view b) {
    return a.size() == b.size() && lower_ascii(a) == lower_ascii(b);
}

bool ends_with_name(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           same_name(text.substr(text.size() - suffix.size()), suffix);
}

} // namespace tarnwick::game

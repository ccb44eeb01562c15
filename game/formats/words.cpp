#include "game/formats/words.h"

namespace tarnwick::game {
namespace {

bool separates(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= ' ' || byte >= 0x80 || c == ',';
}

bool stands_alone(char c) {
    return c == '{' || c == '}' || c == '(' || c == ')' || c == '\'' || c == ':';
}

} // namespace

void for_each_word(std::string_view text, const std::function<void(std::string_view)>& visit) {
    text = text.substr(0, text.find('\0'));
    std::size_t at = 0;
    for (;;) {
        while (at < text.size() && separates(text[at]))
            ++at;
        if (at == text.size()) return;
        if (text.substr(at, 2) == "//") {
            at = std::min(text.find('\n', at), text.size());
            continue;
        }
        std::string_view word;
        if (text[at] == '"') {
            const auto close = std::min(text.find('"', at + 1), text.size());
            word = text.substr(at + 1, close - at - 1);
            at = std::min(close + 1, text.size());
            if (word.empty()) return;
        } else if (stands_alone(text[at])) {
            word = text.substr(at++, 1);
        } else {
            const auto start = at;
            while (at < text.size() && !separates(text[at]) && !stands_alone(text[at]))
                ++at;
            word = text.substr(start, at - start);
        }
        visit(word);
    }
}

} // namespace tarnwick::game

#include "game/formats/text_lines.h"

namespace tarnwick::game {

void for_each_line(std::string_view text,
                   const std::function<void(std::string_view, std::size_t)>& visit) {
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        visit(text.substr(start, end - start), start);
        start = end + 1;
        if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
}

std::vector<std::string> split_fields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    for (;;) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string_view::npos || line.substr(at, 2) == "//") return fields;
        if (line[at] == '"') {
            const auto close = line.find('"', at + 1);
            const auto end = close == std::string_view::npos ? line.size() : close;
            fields.emplace_back(line.substr(at + 1, end - at - 1));
            at = end + 1;
        } else {
            const auto end = std::min(line.find_first_of(" \t", at), line.size());
            fields.emplace_back(line.substr(at, end - at));
            at = end;
        }
    }
}

} // namespace tarnwick::game

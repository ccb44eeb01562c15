#include "game/formats/mapcycle.h"

#include <algorithm>
#include <cstddef>

namespace tarnwick::game {
namespace {

bool is_single(char c) {
    return c == '{' || c == '}' || c == '(' || c == ')' || c == '\'' || c == ',';
}

// The bytes the server's parser skips: signed, so every byte from 0x80 up is one of them.
bool is_skipped(char c) {
    return static_cast<signed char>(c) <= ' ';
}

// The blanks of the C library's isspace; any other byte is "more on the line".
bool is_blank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The server's parser over the bytes of the file, which end as if a NUL followed them.
class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    // The next token and where it starts; false at the end of the text (or a NUL).
    bool next(std::string& token, std::size_t& start) {
        token.clear();
        if (ended_) return false;
        for (;;) {
            while (is_skipped(at(pos_))) {
                if (at(pos_) == 0) return end();
                ++pos_;
            }
            if (at(pos_) != '/' || at(pos_ + 1) != '/') break;
            while (at(pos_) != 0 && at(pos_) != '\n')
                ++pos_;
        }
        start = pos_;
        if (at(pos_) == '"') {
            // To the closing quote, or a NUL (after which the parser goes on), or the end.
            for (++pos_; pos_ <= text_.size();) {
                const char c = at(pos_++);
                if (c == '"' || c == 0) break;
                token += c;
            }
            return true;
        }
        if (is_single(at(pos_))) {
            token = at(pos_++);
            return true;
        }
        do
            token += at(pos_++);
        while (!is_single(at(pos_)) && !is_skipped(at(pos_)));
        return true;
    }

    // Something but blanks before the end of the line.
    bool token_waiting() const {
        for (auto p = pos_; at(p) != 0 && at(p) != '\n'; ++p)
            if (!is_blank(at(p))) return true;
        return false;
    }

    // The rest of the line is a comment.
    bool comment_follows() const {
        auto p = pos_;
        while (at(p) != 0 && at(p) != '\n' && is_blank(at(p)))
            ++p;
        return at(p) == '/' && at(p + 1) == '/';
    }

    // Asked in the order of the text, so the lines are counted once.
    std::size_t line_of(std::size_t offset) {
        for (offset = std::min(offset, text_.size()); counted_ < offset; ++counted_)
            lines_ += text_[counted_] == '\n';
        return lines_;
    }

private:
    char at(std::size_t i) const { return i < text_.size() ? text_[i] : '\0'; }
    bool end() {
        ended_ = true;
        return false;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    bool ended_ = false;
    std::size_t counted_ = 0, lines_ = 1;
};

std::string lost_warning(const CycleMap& map, const std::string& lost, std::size_t lost_line,
                         bool comment) {
    return "line " + std::to_string(map.line) + ": " +
           (comment ? "a comment follows " : "more follows ") + map.name +
           " on its line, so the server takes " + lost + " of line " + std::to_string(lost_line) +
           " as its rules and leaves " + lost + " out of the cycle";
}

} // namespace

MapCycle read_map_cycle(std::string_view text) {
    MapCycle cycle;
    Parser parser(text);
    std::string token;
    std::size_t start = 0;
    while (parser.next(token, start) && !token.empty()) {
        CycleMap map{token.substr(0, max_cycle_name), {}, parser.line_of(start)};
        if (parser.token_waiting()) {
            const bool comment = parser.comment_follows();
            if (parser.next(token, start) && !token.empty()) {
                const auto line = parser.line_of(start);
                if (line != map.line)
                    cycle.warnings.push_back(lost_warning(map, token, line, comment));
                map.rules = token;
            }
        }
        cycle.maps.push_back(std::move(map));
    }
    return cycle;
}

} // namespace tarnwick::game

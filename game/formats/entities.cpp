#include "game/formats/entities.h"

#include "game/formats/bsp.h"

#include <algorithm>
#include <optional>

namespace tarnwick::game {
namespace {

constexpr std::size_t entity_lump = 0;

// The tokens of the entity text, one after the other.
class Tokens {
public:
    explicit Tokens(std::string_view text) : text_(text) {}

    // The next token, or nothing at the end; `quoted` says whether it was a quoted string
    // (so that a quoted "}" is text, not a brace).
    std::optional<std::string_view> next(bool& quoted) {
        while (at_ < text_.size() && static_cast<unsigned char>(text_[at_]) <= ' ')
            ++at_;
        if (at_ == text_.size()) return std::nullopt;
        const auto start = at_;
        quoted = text_[at_] == '"';
        if (quoted) {
            const auto end = std::min(text_.find('"', start + 1), text_.size());
            at_ = std::min(end + 1, text_.size());
            return text_.substr(start + 1, end - start - 1);
        }
        if (text_[at_] == '{' || text_[at_] == '}') return text_.substr(at_++, 1);
        while (at_ < text_.size() && static_cast<unsigned char>(text_[at_]) > ' ' &&
               text_[at_] != '"' && text_[at_] != '{' && text_[at_] != '}')
            ++at_;
        return text_.substr(start, at_ - start);
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

} // namespace

std::string read_bsp_entity_text(const ByteSource& map) {
    const auto lump = read_bsp_lump(map, entity_lump, "the entity lump");
    if (lump.length > max_entity_text)
        damaged(4 + entity_lump * 8, "an entity lump of " + std::to_string(lump.length) +
                                         " bytes, more than the " +
                                         std::to_string(max_entity_text) + " read");
    auto text = map.read(lump.at, lump.length);
    text.resize(std::min(text.find('\0'), text.size()));
    return text;
}

void for_each_entity(std::string_view text, const std::function<void(const EntityPairs&)>& visit) {
    Tokens tokens(text);
    EntityPairs pairs;
    bool inside = false;
    std::optional<std::string_view> key;
    bool quoted = false;
    while (const auto token = tokens.next(quoted)) {
        const bool open = !quoted && *token == "{", close = !quoted && *token == "}";
        if (inside && (open || close)) {
            visit(pairs);
            inside = false;
        }
        if (open) {
            inside = true;
            pairs.clear();
            key.reset();
        } else if (inside && key) {
            pairs.emplace_back(*key, *token);
            key.reset();
        } else if (inside) {
            key = *token;
        }
    }
    if (inside) visit(pairs);
}

} // namespace tarnwick::game

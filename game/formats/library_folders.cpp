#include "game/formats/library_folders.h"

#include "game/formats/byte_source.h"
#include "game/formats/names.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace tarnwick::game {
namespace {

struct Token {
    enum class Kind { open, close, text, end } kind;
    std::string text;
    std::size_t offset;
};

// The tokens of KeyValues text: braces, quoted strings, and words between blanks;
// // starts a comment that runs to the end of the line.
class Tokens {
public:
    explicit Tokens(std::string_view text) : text_(text) {
        if (text_.starts_with("\xEF\xBB\xBF")) at_ = 3;
    }

    Token next() {
        skip_blanks_and_comments();
        const auto start = at_;
        if (at_ == text_.size()) return {Token::Kind::end, {}, start};
        const char c = text_[at_];
        if (c == '{' || c == '}') {
            ++at_;
            return {c == '{' ? Token::Kind::open : Token::Kind::close, {}, start};
        }
        if (c == '"') return {Token::Kind::text, quoted(), start};
        while (at_ < text_.size() && !is_blank(text_[at_]) && text_[at_] != '"' &&
               text_[at_] != '{' && text_[at_] != '}')
            ++at_;
        return {Token::Kind::text, std::string(text_.substr(start, at_ - start)), start};
    }

private:
    static bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    void skip_blanks_and_comments() {
        while (at_ < text_.size()) {
            if (is_blank(text_[at_])) {
                ++at_;
            } else if (text_.substr(at_, 2) == "//") {
                const auto end = text_.find('\n', at_);
                at_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else {
                return;
            }
        }
    }

    // The string that starts at the quote at `at_`, its escapes undone.
    std::string quoted() {
        const auto start = at_++;
        std::string out;
        while (at_ < text_.size() && text_[at_] != '"') {
            const char c = text_[at_++];
            if (c != '\\' || at_ == text_.size()) {
                out += c;
                continue;
            }
            const char e = text_[at_++];
            if (e == 'n')
                out += '\n';
            else if (e == 't')
                out += '\t';
            else if (e == '\\' || e == '"')
                out += e;
            else
                out += {c, e};
        }
        if (at_ == text_.size()) damaged(start, "a string is not closed");
        ++at_;
        return out;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

// A "path" anywhere, or a numbered key directly inside "libraryfolders".
bool names_a_library(std::string_view key, const std::vector<std::string>& blocks) {
    if (same_name(key, "path")) return true;
    return blocks.size() == 1 && same_name(blocks[0], "libraryfolders") && !key.empty() &&
           std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::vector<std::string> read_library_folders(std::string_view vdf) {
    std::vector<std::string> folders;
    std::unordered_set<std::string> seen;
    std::vector<std::string> blocks; // the keys of the open blocks, outermost first
    std::optional<std::string> key;
    Tokens tokens(vdf);
    for (auto token = tokens.next();; token = tokens.next()) {
        if (token.kind == Token::Kind::end) {
            if (key) damaged(token.offset, "the key \"" + *key + "\" has no value");
            if (!blocks.empty()) damaged(token.offset, "a block is not closed");
            return folders;
        }
        if (token.kind == Token::Kind::open) {
            if (!key) damaged(token.offset, "a block without a key");
            if (blocks.size() == max_library_nesting)
                damaged(token.offset,
                        "blocks nested deeper than " + std::to_string(max_library_nesting));
            blocks.push_back(std::move(*key));
            key.reset();
        } else if (token.kind == Token::Kind::close) {
            if (key) damaged(token.offset, "the key \"" + *key + "\" has no value");
            if (blocks.empty()) damaged(token.offset, "a \"}\" that closes no block");
            blocks.pop_back();
        } else if (!key) {
            key = std::move(token.text);
        } else {
            const bool listed = names_a_library(*key, blocks);
            key.reset();
            if (listed && !token.text.empty() && token.text.find('\0') == std::string::npos &&
                seen.insert(token.text).second)
                folders.push_back(std::move(token.text));
        }
    }
}

} // namespace tarnwick::game

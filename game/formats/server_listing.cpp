#include "game/formats/server_listing.h"

#include "game/formats/byte_source.h"
#include "game/formats/names.h"
#include "game/formats/text_lines.h"

#include <algorithm>

namespace tarnwick::game {
namespace {

// RESOURCE_MAX_COUNT (ReHLDS server.h): the most of its whole list, and so of one table.
constexpr std::size_t max_listed = 4096;

std::vector<std::string_view> words_of(std::string_view line) {
    std::vector<std::string_view> words;
    for (std::size_t at = 0;;) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) return words;
        const auto end = std::min(line.find_first_of(" \t", at), line.size());
        words.push_back(line.substr(at, end - at));
        at = end;
    }
}

bool is_digits(std::string_view word) {
    return !word.empty() && word.size() <= 9 &&
           word.find_first_not_of("0123456789") == std::string_view::npos;
}

// "12", "12." or "12)": a resource's number in a listing.
bool is_number(std::string_view word) {
    if (!word.empty() && (word.back() == '.' || word.back() == ')' || word.back() == ':'))
        word.remove_suffix(1);
    return is_digits(word);
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

class Reader {
public:
    void line(std::string_view text, std::size_t number) {
        line_ = number;
        const auto words = words_of(text);
        if (words.empty()) return;
        if (const auto colon = text.find(':'); colon != std::string_view::npos)
            if (const auto table = table_named(trimmed(text.substr(0, colon))))
                return total(*table, words_of(text.substr(colon + 1)));
        const auto command = std::find_if(
            words.begin(), words.end(), [](std::string_view w) { return same_name(w, "reslist"); });
        if (command != words.end()) return start_list(command + 1 == words.end() ? "" : command[1]);
        if (!is_number(words[0])) return;                             // a heading
        if (words.size() > 1 && same_name(words[1], "total")) return; // rescount's sum
        resource(words);
    }
    ServerListing done() {
        if (!listing_.has_totals() && !listing_.has_names())
            throw FormatError("line 1: neither a rescount table nor a reslist listing");
        return std::move(listing_);
    }

private:
    [[noreturn]] void fail(const std::string& why) const {
        throw FormatError("line " + std::to_string(line_) + ": " + why);
    }

    void total(Table table, const std::vector<std::string_view>& after) {
        auto& total = listing_.totals[static_cast<std::size_t>(table)];
        if (after.empty() || !is_digits(after[0]))
            fail("a rescount row of " + std::string(table_name(table)) + " without its total");
        if (total) fail("a second total of " + std::string(table_name(table)));
        total = std::stoul(std::string(after[0]));
    }

    void start_list(std::string_view word) {
        table_ = table_named(word);
        if (!table_) fail("reslist of no table the server has: \"" + std::string(word) + "\"");
        listing_.listed[static_cast<std::size_t>(*table_)] = true;
    }

    // The number, the index (in brackets or not), then the name.
    void resource(const std::vector<std::string_view>& words) {
        if (!table_) fail("a resource before any reslist line says its table");
        std::size_t at = 1;
        while (at < words.size() && words[at].find_first_not_of("([") == std::string_view::npos)
            ++at;
        if (at + 1 >= words.size() ||
            words[at].find_first_of("0123456789") == std::string_view::npos)
            fail("not a reslist line: its number, index and name");
        auto& names = listing_.names[static_cast<std::size_t>(*table_)];
        if (names.size() == max_listed)
            fail("more resources of one table than the " + std::to_string(max_listed) +
                 " the engine holds");
        const auto name = words[at + 1];
        if (name.size() > max_listed_name)
            fail("a name longer than the " + std::to_string(max_listed_name) +
                 " characters the engine holds");
        if (std::any_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
            fail("a name holding a control byte");
        names.emplace_back(name);
    }

    ServerListing listing_;
    std::optional<Table> table_;
    std::size_t line_ = 0;
};

} // namespace

bool ServerListing::has_totals() const {
    return std::any_of(totals.begin(), totals.end(), [](const auto& t) { return t.has_value(); });
}

bool ServerListing::has_names() const {
    return std::any_of(listed.begin(), listed.end(), [](bool b) { return b; });
}

ServerListing read_server_listing(std::string_view text) {
    Reader reader;
    std::size_t number = 0;
    for_each_line(text, [&](std::string_view line, std::size_t) { reader.line(line, ++number); });
    return reader.done();
}

} // namespace tarnwick::game

#include "game/old_res.h"

#include "analysis/file_system.h"
#include "analysis/map_names.h"
#include "analysis/module1.h"
#include "game/formats/names.h"
#include "game/rules.h"

namespace tarnwick::game {
namespace {

// The keys of the new list and of the map's own two lines, which every .res written holds.
NameSet written_keys(const std::string& map_path, const std::vector<std::string>& lines) {
    NameSet keys;
    const auto names = analysis::map_names_of_path(map_path);
    keys.insert(index_key(names.map_line()));
    keys.insert(index_key(names.res_line()));
    for (const auto& line : lines)
        keys.insert(index_key(line));
    return keys;
}

// Why the new file does not take `word`; empty when it names a file the server has that
// clients may download and the options keep.
std::string refusal(const std::string& word, const Outcome& looked, const WriteChoice& choice) {
    if (auto why = res_word_refusal(word); !why.empty()) return why;
    if (looked.status == Status::missing) return "no such file";
    return left_out_by(looked, choice);
}

} // namespace

std::string res_word_refusal(const std::string& word) {
    if (const auto reasons = server_refusals(word); !reasons.empty()) return reasons.front();
    if (is_unsafe_entry(word)) return "it would leave the game's folders";
    if (const auto reasons = download_refusals(word); !reasons.empty()) return reasons.front();
    return {};
}

std::vector<std::string> OldRes::lines(const WriteChoice& choice) const {
    std::vector<std::string> out;
    for (const auto& outcome : carried)
        out.push_back(res_line(outcome, choice));
    return out;
}

OldRes carry_old_res(const Resolver& resolver, const std::string& map_path,
                     const std::vector<std::string>& lines, const ResText& old,
                     const WriteChoice& choice) {
    OldRes result;
    auto seen = written_keys(map_path, lines);
    for (const auto& word : old.lines) {
        if (!seen.insert(index_key(word))) continue;
        auto looked = resolver.look_up(word, From::res());
        if (auto why = refusal(word, looked, choice); !why.empty())
            result.left_out.push_back({word, std::move(why)});
        else
            result.carried.push_back(std::move(looked));
    }
    return result;
}

OldRes carry_old_res(const Resolver& resolver, const std::string& map_path,
                     const std::vector<std::string>& lines, const WriteChoice& choice) {
    const auto path = analysis::res_path_for(map_path);
    OldRes result;
    try {
        const auto old = read_res_file(path);
        if (!old) return result;
        result = carry_old_res(resolver, map_path, lines, *old, choice);
    } catch (const std::exception& e) {
        result.unreadable = e.what();
    }
    result.path = path;
    return result;
}

std::vector<std::string> words_lacking(const std::string& map_path,
                                       const std::vector<std::string>& lines, const ResText& old) {
    std::vector<std::string> lacking;
    auto seen = written_keys(map_path, lines);
    for (const auto& word : old.lines)
        if (seen.insert(index_key(word))) lacking.push_back(word);
    return lacking;
}

} // namespace tarnwick::game

#include "game/audit.h"

#include "analysis/file_system.h"
#include "analysis/map_names.h"
#include "analysis/module1.h"
#include "game/file_source.h"
#include "game/formats/words.h"

#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <unordered_set>

namespace tarnwick::game {
namespace {

// The two lines every .res starts with: the map and the .res itself.
std::unordered_set<std::string> own_lines(const std::string& map_path) {
    const auto names = analysis::map_names_of_path(map_path);
    return {index_key(names.map_line()), index_key(names.res_line())};
}

} // namespace

ResText read_res_text(std::string_view bytes) {
    ResText text;
    text.cut = bytes.size() > res_read_limit;
    bytes = bytes.substr(0, res_read_limit);
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        text.utf16 = true;
        return text;
    }
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    for_each_word(bytes, [&](std::string_view word) {
        if (text.lines.size() == res_line_limit)
            ++text.dropped;
        else
            text.lines.emplace_back(word);
    });
    return text;
}

std::optional<ResText> read_res_file(const std::string& utf8_path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(analysis::to_path(utf8_path), error)) return std::nullopt;
    const FileSource file(utf8_path);
    auto text = read_res_text(file.read(0, std::min<std::uint64_t>(file.size(), res_read_limit)));
    text.cut = file.size() > res_read_limit;
    return text;
}

Audit audit_res(const Resolver& resolver, const MapResolution& resolution,
                std::optional<std::string> res, ResText text) {
    Audit audit;
    audit.res = std::move(res);
    audit.text = std::move(text);
    std::unordered_map<std::string, const Outcome*> needed;
    for (const auto& o : resolution.entries)
        needed.emplace(index_key(o.entry), &o);
    const auto own = own_lines(resolution.map);
    std::unordered_set<std::string> named;
    for (const auto& line : audit.text.lines) {
        if (const auto reasons = server_refusals(line); !reasons.empty()) {
            audit.refused.push_back({line, reasons.front()});
            continue;
        }
        const auto key = index_key(line);
        named.insert(key);
        if (own.contains(key)) continue;
        const auto it = needed.find(key);
        if (it == needed.end()) {
            const auto looked = resolver.look_up(line, From::res());
            // A word naming a file that is not there is that, not extra as well.
            if (looked.status == Status::missing)
                audit.missing.push_back(line);
            else
                audit.extra.push_back({line, looked.place.has_value()});
        } else if (it->second->status == Status::missing) {
            audit.missing.push_back(line);
        } else if (it->second->place && with_slashes(line) != it->second->spelled) {
            audit.case_lines.push_back({line, it->second->spelled});
        }
    }
    for (const auto& o : resolution.entries) {
        const bool found = present(o.status);
        if (found && !named.contains(index_key(o.entry)))
            audit.lacking.push_back({o.entry, o.from});
    }
    return audit;
}

Audit audit_map(const Resolver& resolver, const MapResolution& resolution) {
    const auto res = analysis::res_path_for(resolution.map);
    std::optional<ResText> text;
    try {
        text = read_res_file(res);
    } catch (const std::exception& e) {
        auto audit = audit_res(resolver, resolution, res, {});
        audit.unreadable = std::string("cannot read the .res: ") + e.what();
        return audit;
    }
    if (!text) return audit_res(resolver, resolution, std::nullopt, {});
    auto audit = audit_res(resolver, resolution, res, std::move(*text));
    if (audit.text.utf16)
        audit.unreadable = "the server reads none of this file (UTF-16); save it as ANSI or UTF-8";
    if (audit.text.cut)
        audit.notes.push_back("only the first " + std::to_string(res_read_limit >> 20) +
                              " MB of the .res was read");
    if (audit.text.dropped)
        audit.notes.push_back(std::to_string(audit.text.dropped) + " lines past the first " +
                              std::to_string(res_line_limit) + " were counted, not compared");
    return audit;
}

} // namespace tarnwick::game

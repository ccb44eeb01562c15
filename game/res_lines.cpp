#include "game/res_lines.h"

#include "analysis/stock_filter.h"
#include "game/formats/names.h"
#include "game/rules.h"

namespace tarnwick::game {
namespace {

bool is_wad(std::string_view entry) {
    return ends_with_name(entry, ".wad");
}

} // namespace

std::vector<const Outcome*> selected(const MapResolution& resolution, const WriteChoice& choice) {
    std::vector<const Outcome*> chosen;
    for (const auto& o : resolution.entries) {
        if (o.followed && !choice.follow) continue;
        if (o.status == Status::replaced || o.status == Status::refused) continue;
        if (choice.skip_missing && o.status == Status::missing) continue;
        if (choice.skip_stock && o.status == Status::stock) continue;
        if (choice.only_custom && is_wad(o.entry) &&
            (analysis::is_stock_wad(res_line(o, choice)) || is_spray_package(o.entry)))
            continue;
        chosen.push_back(&o);
    }
    return chosen;
}

// With fix_case, as the disk spells it, and with '/' between the parts either way: the
// server drops a word with a backslash.
std::string res_line(const Outcome& outcome, const WriteChoice& choice) {
    if (!choice.fix_case) return outcome.entry;
    return outcome.status == Status::case_mismatch ? outcome.spelled : with_slashes(outcome.entry);
}

std::vector<std::string> res_entries(const MapResolution& resolution, const WriteChoice& choice) {
    std::vector<std::string> lines;
    for (const auto* outcome : selected(resolution, choice))
        lines.push_back(res_line(*outcome, choice));
    return lines;
}

} // namespace tarnwick::game

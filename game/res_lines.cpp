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

std::string left_out_by(const Outcome& o, const WriteChoice& choice) {
    if (choice.skip_missing && o.status == Status::missing) return "not found (--skip-missing)";
    if (choice.skip_stock && o.status == Status::stock) return "ships with the game (--skip-stock)";
    if (choice.only_custom && is_wad(o.entry) &&
        (analysis::is_stock_wad(res_line(o, choice)) || is_spray_package(o.entry)))
        return "ships with the game (--only-custom)";
    return {};
}

std::vector<const Outcome*> selected(const MapResolution& resolution, const WriteChoice& choice) {
    std::vector<const Outcome*> chosen;
    for (const auto& o : resolution.entries) {
        if (o.followed && !choice.follow) continue;
        if (o.status == Status::replaced || o.status == Status::refused) continue;
        if (left_out_by(o, choice).empty()) chosen.push_back(&o);
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

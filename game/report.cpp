#include "game/report.h"

#include "analysis/single_byte.h"
#include "game/old_res.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace tarnwick::game {
namespace {

using analysis::single_byte_to_utf8;

nlohmann::ordered_json strings(const std::vector<std::string>& texts) {
    auto list = nlohmann::ordered_json::array();
    for (const auto& text : texts)
        list.push_back(single_byte_to_utf8(text));
    return list;
}

nlohmann::ordered_json entry_json(const Outcome& o) {
    nlohmann::ordered_json entry = {{"entry", single_byte_to_utf8(o.entry)},
                                    {"status", status_name(o.status)},
                                    {"file", o.file},
                                    {"spelled", single_byte_to_utf8(o.spelled)},
                                    {"from", single_byte_to_utf8(o.from.name())},
                                    {"followed", o.followed}};
    if (!o.reason.empty()) entry["reason"] = o.reason;
    if (!o.warnings.empty()) entry["warnings"] = o.warnings;
    if (o.engine_sends) entry["engine_sends"] = "the engine sends it";
    for (const auto& e : o.entities) {
        nlohmann::ordered_json entity = {{"classname", single_byte_to_utf8(e.classname)}};
        if (!e.targetname.empty()) entity["targetname"] = single_byte_to_utf8(e.targetname);
        entry["entities"].push_back(std::move(entity));
    }
    return entry;
}

nlohmann::ordered_json audit_json(const Audit& a) {
    auto extra = nlohmann::ordered_json::array(), lacking = extra, case_lines = extra,
         refused = extra;
    for (const auto& e : a.extra)
        extra.push_back({{"line", single_byte_to_utf8(e.line)}, {"exists", e.exists}});
    for (const auto& l : a.lacking)
        lacking.push_back({{"entry", single_byte_to_utf8(l.entry)},
                           {"from", single_byte_to_utf8(l.from.name())}});
    for (const auto& c : a.case_lines)
        case_lines.push_back(
            {{"line", single_byte_to_utf8(c.line)}, {"spelled", single_byte_to_utf8(c.spelled)}});
    for (const auto& r : a.refused)
        refused.push_back({{"line", single_byte_to_utf8(r.line)}, {"reason", r.reason}});
    nlohmann::ordered_json audit = {
        {"res", a.res ? nlohmann::ordered_json(*a.res) : nlohmann::ordered_json()},
        {"lines", strings(a.text.lines)},
        {"extra", std::move(extra)},
        {"lacking", std::move(lacking)},
        {"case", std::move(case_lines)},
        {"missing", strings(a.missing)},
        {"refused", std::move(refused)}};
    // What is said of the .res as a whole, as its text says it.
    std::vector<std::string> warnings;
    for (const auto& row : audit_rows(a))
        if (row.kind == RowKind::unreadable || row.kind == RowKind::over_limit ||
            row.kind == RowKind::res_warning)
            warnings.push_back(row_text(row).substr(2));
    if (!warnings.empty()) audit["warnings"] = warnings;
    return audit;
}

void add_old_res(const OldRes& old, nlohmann::ordered_json& map) {
    if (old.path.empty()) return;
    auto carried = nlohmann::ordered_json::array(), left_out = carried;
    for (const auto& o : old.carried)
        carried.push_back(single_byte_to_utf8(o.entry));
    for (const auto& l : old.left_out)
        left_out.push_back({{"word", single_byte_to_utf8(l.word)}, {"reason", l.reason}});
    map["carried"] = std::move(carried);
    map["left_out"] = std::move(left_out);
}

} // namespace

std::string json_report(const std::vector<MapResolution>& maps, const std::vector<Audit>& audits,
                        const std::vector<OldRes>& olds) {
    return json_text(json_document(maps, audits, olds));
}

nlohmann::ordered_json extra_json(const std::vector<Outcome>& extra) {
    auto list = nlohmann::ordered_json::array();
    for (const auto& o : extra) {
        auto entry = entry_json(o);
        if (const auto refused = res_word_refusal(o.entry); !refused.empty())
            entry["refused"] = refused;
        list.push_back(std::move(entry));
    }
    return list;
}

std::string json_text(const nlohmann::ordered_json& document) {
    // Names that are not UTF-8 (a map path given in another encoding) are shown, not refused.
    return document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

nlohmann::ordered_json json_document(const std::vector<MapResolution>& maps,
                                     const std::vector<Audit>& audits,
                                     const std::vector<OldRes>& olds) {
    auto list = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < maps.size(); ++i) {
        const auto& r = maps[i];
        auto entries = nlohmann::ordered_json::array();
        for (const auto& o : r.entries)
            entries.push_back(entry_json(o));
        nlohmann::ordered_json map = {{"map", r.map},
                                      {"entries", std::move(entries)},
                                      {"unused_wads", strings(r.unused_wads)},
                                      {"missing_textures", strings(r.missing_textures)}};
        if (!r.unchecked_textures.empty())
            map["unchecked_textures"] = strings(r.unchecked_textures);
        if (!r.warnings.empty()) map["warnings"] = r.warnings;
        if (!r.damaged.empty()) map["damaged"] = r.damaged;
        for (const auto& l : r.limits)
            map["limits"][l.what] = {{"count", l.count}, {"limit", l.limit}};
        if (!r.limits.empty()) map["counts_alone"] = r.counts_alone;
        if (i < audits.size()) map["audit"] = audit_json(audits[i]);
        if (i < olds.size()) add_old_res(olds[i], map);
        list.push_back(std::move(map));
    }
    return nlohmann::ordered_json{{"maps", std::move(list)}};
}

} // namespace tarnwick::game

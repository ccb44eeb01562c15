#include "game/resolution.h"

#include <algorithm>

namespace tarnwick::game {
namespace {

constexpr std::string_view status_names[status_count] = {
    "found", "case", "missing", "stock", "unsafe", "replaced", "refused", "damaged", "unchecked"};

bool is_problem(Status status) {
    return status == Status::unsafe || status == Status::refused || status == Status::damaged;
}

} // namespace

std::string From::name() const {
    switch (kind) {
    case Kind::map:
        return "map";
    case Kind::entities:
        return "entities";
    case Kind::res:
        return "res";
    case Kind::entry:
        break;
    }
    return entry;
}

std::string_view status_name(Status status) {
    return status_names[static_cast<int>(status)];
}

std::size_t MapResolution::count(Status status) const {
    return static_cast<std::size_t>(std::count_if(
        entries.begin(), entries.end(), [&](const Outcome& o) { return o.status == status; }));
}

std::size_t MapResolution::entry_warnings() const {
    std::size_t n = 0;
    for (const auto& o : entries)
        n += o.warnings.size() + (is_problem(o.status) ? 1 : 0);
    return n;
}

bool MapResolution::over_limit() const {
    return std::any_of(limits.begin(), limits.end(), [](const LimitCount& l) { return l.over(); });
}

bool MapResolution::incomplete() const {
    return count(Status::missing) > 0 || !missing_textures.empty();
}

bool MapResolution::has_problems() const {
    return !damaged.empty() || std::any_of(entries.begin(), entries.end(),
                                           [](const Outcome& o) { return is_problem(o.status); });
}

} // namespace tarnwick::game

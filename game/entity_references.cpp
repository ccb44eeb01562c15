#include "game/entity_references.h"

#include "analysis/references.h"
#include "game/formats/entities.h"
#include "game/formats/names.h"
#include "game/rules.h"

namespace tarnwick::game {
namespace {

using analysis::reference_kinds;

// The parts of `text` between `separator`s, each in turn.
template <typename Visit> void for_each_part(std::string_view text, char separator, Visit visit) {
    for (std::size_t start = 0;;) {
        const auto end = text.find(separator, start);
        visit(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) return;
        start = end + 1;
    }
}

std::string_view part_name(std::string_view part) {
    return part.substr(part.find_last_of("/\\") + 1);
}

} // namespace

std::string wad_of_part(std::string_view part) {
    if (is_spray_package(part)) return {};
    auto name = part_name(part);
    name = name.substr(0, name.find_last_of('.'));
    if (name.empty()) return {};
    return std::string(name) + ".wad";
}

namespace {

class EntityNameCollector {
public:
    explicit EntityNameCollector(EntityReferences& out) : out_(out) {}

    void entity(const EntityPairs& pairs) {
        const bool first = first_;
        first_ = false;
        EntityName name;
        for (const auto& [key, value] : pairs) {
            if (key == "classname") name.classname = value;
            if (key == "targetname") name.targetname = value;
        }
        const auto before = out_.references.size();
        for (const auto& [key, value] : pairs)
            pair(key, value, first);
        if (out_.references.size() != before) out_.entities.push_back(std::move(name));
    }

private:
    void add(std::string entry, bool scanned) {
        if (out_.references.size() == max_entity_references) {
            out_.cut = true;
            return;
        }
        out_.references.push_back({std::move(entry), out_.entities.size(), scanned});
    }

    void pair(std::string_view key, std::string_view value, bool first) {
        if (same_name(key, analysis::sky_key)) {
            if (!first || key != analysis::sky_key) {
                std::string ignored(1, '"');
                ignored.append(key).append("\" \"").append(value).append(1, '"');
                out_.ignored_skies.push_back(std::move(ignored));
                return;
            }
            const std::string sky = std::string(analysis::sky_folder) + std::string(value);
            for (const auto face : analysis::sky_faces)
                add(sky + std::string(face), true);
        } else if (first && key == "wad") {
            for_each_part(value, ';', [&](std::string_view part) {
                auto wad = wad_of_part(part);
                if (wad.empty()) return;
                add(wad, wad == part_name(part));
                out_.wads.push_back(std::move(wad));
            });
        } else {
            path(value.substr(value.find_last_of(';') + 1));
        }
    }

    // As the scan cuts a path at a ';' and puts the kind's folder in front.
    void path(std::string_view path) {
        for (const auto& kind : reference_kinds) {
            if (kind.leading_directory.empty() || !ends_with_name(path, kind.extension)) continue;
            auto entry = path.starts_with(kind.leading_directory)
                             ? std::string(path)
                             : std::string(kind.leading_directory) + std::string(path);
            if (entry.size() > 4) add(std::move(entry), path.ends_with(kind.extension));
        }
    }

    EntityReferences& out_;
    bool first_ = true;
};

} // namespace

EntityReferences entity_references(std::string_view entity_text) {
    EntityReferences out;
    EntityNameCollector collector(out);
    for_each_entity(entity_text, [&](const EntityPairs& pairs) { collector.entity(pairs); });
    return out;
}

} // namespace tarnwick::game

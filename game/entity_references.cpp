#include "game/entity_references.h"

#include "analysis/references.h"
#include "game/formats/entities.h"
#include "game/formats/names.h"

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

class Collector {
public:
    explicit Collector(EntityReferences& out) : out_(out) {}

    void entity(const EntityPairs& pairs) {
        EntityName name;
        for (const auto& [key, value] : pairs) {
            if (key == "classname") name.classname = value;
            if (key == "targetname") name.targetname = value;
        }
        const auto before = out_.references.size();
        for (const auto& [key, value] : pairs)
            pair(key, value);
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

    void pair(std::string_view key, std::string_view value) {
        if (same_name(key, analysis::sky_key)) {
            const std::string sky = std::string(analysis::sky_folder) + std::string(value);
            for (const auto face : analysis::sky_faces)
                add(sky + std::string(face), key == analysis::sky_key);
        } else if (same_name(key, "wad")) {
            // A package is looked up by its bare name, whatever folder the value gives.
            for_each_part(value, ';', [&](std::string_view path) {
                const auto name = path.substr(path.find_last_of("/\\") + 1);
                if (name.size() > 4 && ends_with_name(name, ".wad"))
                    add(std::string(name), name.ends_with(".wad"));
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
};

} // namespace

EntityReferences entity_references(std::string_view entity_text) {
    EntityReferences out;
    Collector collector(out);
    for_each_entity(entity_text, [&](const EntityPairs& pairs) { collector.entity(pairs); });
    return out;
}

} // namespace tarnwick::game

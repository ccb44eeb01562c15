// One reader of the game's file formats on any bytes (built once per reader of
// fuzz/readers.txt, chosen by TARNWICK_FORMAT_<name>): it returns what it read or throws
// FormatError, and what it returns holds only what the bytes hold. A crash, a hang, a read
// out of bounds or any other exception is a fault.

#include "analysis/references.h"
#include "fuzz_support.h"
#include "game/audit.h"
#include "game/entity_references.h"
#include "game/follow.h"
#include "game/formats/bsp.h"
#include "game/formats/detail_list.h"
#include "game/formats/entities.h"
#include "game/formats/liblist.h"
#include "game/formats/library_folders.h"
#include "game/formats/mapcycle.h"
#include "game/formats/names.h"
#include "game/formats/overview.h"
#include "game/formats/pak.h"
#include "game/formats/server_config.h"
#include "game/formats/server_listing.h"
#include "game/formats/studio_model.h"
#include "game/formats/wad.h"
#include "game/rules.h"
#include "server/manifest.h"
#include "server/requests.h"

#include <algorithm>
#include <set>
#include <string>

namespace tarnwick::fuzzing {
namespace {

using namespace tarnwick::game;

// A name read from a fixed field of `size` bytes, up to its NUL.
[[maybe_unused]] void check_name(const std::string& name, std::size_t size) {
    FUZZ_REQUIRE(name.size() <= size && name.find('\0') == std::string::npos, shown(name));
}

void read(std::string_view bytes) {
    const MemorySource source(bytes);
#if defined(TARNWICK_FORMAT_bsp)
    for (const auto& name : read_bsp_textures(source).external) {
        check_name(name, 16);
        FUZZ_REQUIRE(!name.empty(), "an empty texture name");
    }
#elif defined(TARNWICK_FORMAT_wad)
    const auto names = read_wad_names(source);
    // The directory may overlap the header, but never run past the end.
    FUZZ_REQUIRE(names.size() * 32 <= bytes.size(), std::to_string(names.size()));
    for (const auto& name : names)
        check_name(name, 16);
#elif defined(TARNWICK_FORMAT_pak)
    for (const auto& entry : read_pak_directory(source)) {
        check_name(entry.name, 56);
        FUZZ_REQUIRE(std::uint64_t{entry.offset} + entry.length <= bytes.size(), entry.name);
    }
#elif defined(TARNWICK_FORMAT_studio_model)
    const auto model = read_studio_model(source);
    FUZZ_REQUIRE(model.sequence_files.size() < max_sequence_groups,
                 std::to_string(model.sequence_files.size()));
    for (const auto& file : model.sequence_files) {
        check_name(file, 64);
        FUZZ_REQUIRE(!file.empty() && file.find('\\') == std::string::npos, shown(file));
    }
    for (const auto& sound : model.sounds)
        check_name(sound, 64);
    const auto needs = model_needs("models/x.mdl", model);
    FUZZ_REQUIRE(needs.size() == (model.has_textures ? 0 : 1) + model.sequence_files.size() +
                                     model.sounds.size(),
                 std::to_string(needs.size()));
    // What following keeps of a model is of its kind and what the clients download.
    for (const auto& need : model_follow_needs("models/x.mdl", model)) {
        Outcome named;
        named.entry = need.entry;
        if (!followed_refusal(named, need.kind).empty()) continue;
        FUZZ_REQUIRE(download_refusals(need.entry).empty() &&
                         need.entry.find_first_of(" \r\n") == std::string::npos &&
                         (ends_with_name(need.entry, ".mdl") || ends_with_name(need.entry, ".wav")),
                     shown(need.entry));
    }
#elif defined(TARNWICK_FORMAT_liblist)
    if (const auto dir = read_fallback_dir(bytes))
        FUZZ_REQUIRE(!dir->empty() && *dir != ".." &&
                         dir->find_first_of("/\\:") == std::string::npos,
                     shown(*dir));
#elif defined(TARNWICK_FORMAT_library_folders)
    // Each path is a string of the text, its escapes undone, so together they are no longer.
    std::size_t length = 0;
    std::set<std::string> seen;
    for (const auto& path : read_library_folders(bytes)) {
        FUZZ_REQUIRE(!path.empty() && path.find('\0') == std::string::npos &&
                         seen.insert(path).second,
                     shown(path));
        length += path.size();
    }
    FUZZ_REQUIRE(length <= bytes.size(), std::to_string(length));
#elif defined(TARNWICK_FORMAT_detail_list)
    // A quoted word may hold any byte but NUL, a line end too.
    for (const auto& path : read_detail_textures(bytes))
        FUZZ_REQUIRE(path.starts_with("gfx/") && path.ends_with(".tga") && path.size() > 8 &&
                         path.find('\0') == std::string::npos,
                     shown(path));
#elif defined(TARNWICK_FORMAT_overview)
    for (const auto& image : read_overview_images(bytes))
        FUZZ_REQUIRE(!image.empty() && image.find('\0') == std::string::npos, shown(image));
#elif defined(TARNWICK_FORMAT_res)
    const auto text = read_res_text(bytes);
    FUZZ_REQUIRE(text.lines.size() <= res_line_limit && text.count() <= bytes.size(),
                 std::to_string(text.count()));
    // Words are never empty (an empty one ends the reading) and never hold a NUL (which
    // ends the text).
    for (const auto& word : text.lines)
        FUZZ_REQUIRE(!word.empty() && word.find('\0') == std::string::npos, shown(word));
#elif defined(TARNWICK_FORMAT_entities)
    const auto text = read_bsp_entity_text(source);
    FUZZ_REQUIRE(text.size() <= bytes.size() && text.find('\0') == std::string::npos,
                 std::to_string(text.size()));
    const auto inside = [&](std::string_view part) {
        return part.data() >= text.data() && part.data() + part.size() <= text.data() + text.size();
    };
    std::size_t pairs = 0;
    for_each_entity(text, [&](const EntityPairs& entity) {
        for (const auto& [key, value] : entity)
            FUZZ_REQUIRE(inside(key) && inside(value), shown(key) + " " + shown(value));
        pairs += entity.size();
    });
    FUZZ_REQUIRE(pairs <= text.size(), std::to_string(pairs));
    const auto named = entity_references(text);
    FUZZ_REQUIRE(named.references.size() <= max_entity_references,
                 std::to_string(named.references.size()));
    for (const auto& reference : named.references)
        FUZZ_REQUIRE(reference.entity < named.entities.size() && reference.entry.size() > 4 &&
                         std::any_of(analysis::reference_kinds.begin(),
                                     analysis::reference_kinds.end(),
                                     [&](const auto& kind) {
                                         return ends_with_name(reference.entry, kind.extension);
                                     }),
                     shown(reference.entry));
    for (const auto& wad : named.wads)
        FUZZ_REQUIRE(wad.size() > 4 && wad.ends_with(".wad") && !is_spray_package(wad), shown(wad));
#elif defined(TARNWICK_FORMAT_server_config)
    // Every exec finds the same bytes again: loops and nesting must end all the same, and no
    // more is asked for than is left to run.
    const auto config =
        read_server_config(bytes, "server.cfg", [&](std::string_view, std::size_t limit) {
            FUZZ_REQUIRE(limit <= max_config_bytes + 1, std::to_string(limit));
            return std::optional<std::string>(bytes.substr(0, limit));
        });
    if (const auto& url = config.download_url)
        FUZZ_REQUIRE(url->value.size() <= bytes.size() &&
                         url->value.find('\0') == std::string::npos &&
                         config.url_error.has_value() == (url->value.size() > max_download_url),
                     shown(url->value));
#elif defined(TARNWICK_FORMAT_mapcycle)
    const auto cycle = read_map_cycle(bytes);
    // Every map is a token of the text: never empty, never longer than the server keeps.
    FUZZ_REQUIRE(cycle.maps.size() <= bytes.size() && cycle.warnings.size() <= cycle.maps.size(),
                 std::to_string(cycle.maps.size()));
    for (const auto& map : cycle.maps)
        FUZZ_REQUIRE(!map.name.empty() && map.name.size() <= max_cycle_name &&
                         map.rules.size() <= bytes.size() && map.line <= bytes.size() + 1,
                     shown(map.name));
#elif defined(TARNWICK_FORMAT_manifest)
    // A record read back is the same record, and names only paths a download folder holds.
    const auto manifest = server::read_manifest(bytes);
    FUZZ_REQUIRE(server::read_manifest(server::manifest_text(manifest)) == manifest,
                 std::to_string(manifest.size()));
    for (const auto& [path, placed] : manifest)
        FUZZ_REQUIRE(!path.empty() && path.find("..") == std::string::npos && path[0] != '/',
                     shown(path));
#elif defined(TARNWICK_FORMAT_journal)
    // A journal applied names only paths a download folder holds, and what it says of each
    // is what the record then keeps.
    server::Manifest manifest;
    server::apply_journal(bytes, manifest);
    FUZZ_REQUIRE(server::read_manifest(server::manifest_text(manifest)) == manifest,
                 std::to_string(manifest.size()));
    for (const auto& [path, placed] : manifest)
        FUZZ_REQUIRE(!path.empty() && path.find("..") == std::string::npos && path[0] != '/',
                     shown(path));
#elif defined(TARNWICK_FORMAT_server_listing)
    // Every name is a word of one line of the text: never empty, never longer than the
    // engine keeps, with no blank or control byte.
    const auto listing = read_server_listing(bytes);
    std::size_t length = 0;
    for (const auto& names : listing.names) {
        FUZZ_REQUIRE(names.size() <= 4096, std::to_string(names.size()));
        for (const auto& name : names) {
            FUZZ_REQUIRE(
                !name.empty() && name.size() <= max_listed_name &&
                    std::none_of(name.begin(), name.end(),
                                 [](char c) { return static_cast<unsigned char>(c) <= ' '; }),
                shown(name));
            length += name.size() + 1;
        }
    }
    FUZZ_REQUIRE(length <= bytes.size() && (listing.has_names() || listing.has_totals()),
                 std::to_string(length));
#else
#error "no TARNWICK_FORMAT_<name> of a reader in fuzz/readers.txt"
#endif
}

} // namespace
} // namespace tarnwick::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        tarnwick::fuzzing::read({reinterpret_cast<const char*>(data), size});
    } catch (const tarnwick::game::FormatError&) {
        // A foreign or damaged file: the one failure a reader may have.
    }
    return 0;
}

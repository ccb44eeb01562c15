#include "game/rules.h"

#include "analysis/file_system.h"
#include "analysis/single_byte.h"
#include "game/formats/names.h"

#include <algorithm>
#include <cstdio>

namespace tarnwick::game {
namespace {

// The server splits each line of a .res into words at these.
constexpr std::string_view word_breaks = " (){}':,";

std::string_view file_name_part(std::string_view entry) {
    const auto slash = entry.find_last_of("/\\");
    return slash == std::string_view::npos ? entry : entry.substr(slash + 1);
}

std::string shown_byte(char c) {
    if (c == ' ') return "a space";
    char text[8];
    std::snprintf(text, sizeof text, "'%c'", c);
    return text;
}

std::string too_long(std::string_view entry, const GameFolder*) {
    if (entry.size() <= max_resource_name) return {};
    return std::to_string(entry.size()) + " characters, longer than the " +
           std::to_string(max_resource_name) + " the engine holds in a resource name";
}

std::string word_break(std::string_view entry, const GameFolder*) {
    std::string breaks;
    for (const char c : word_breaks)
        if (entry.find(c) != std::string_view::npos)
            breaks += (breaks.empty() ? "" : ", ") + shown_byte(c);
    if (breaks.empty()) return {};
    return "holds " + breaks + ", at which the server splits a .res line into words";
}

std::string not_printable(std::string_view entry, const GameFolder*) {
    if (std::none_of(entry.begin(), entry.end(),
                     [](unsigned char c) { return c < 0x20 || c > 0x7e; }))
        return {};
    return "holds bytes outside printable ASCII, which break the download";
}

// The download filter of the clients and the server, which looks at the name in lower case.
constexpr const char* refused = ": clients refuse to download it";

std::string backslash(std::string_view entry, const GameFolder*) {
    if (entry.find('\\') == std::string_view::npos) return {};
    return "holds a backslash: the server drops the .res word, and clients refuse to download it";
}

std::string tilde(std::string_view entry, const GameFolder*) {
    if (entry.find('~') == std::string_view::npos) return {};
    return std::string("holds '~'") + refused;
}

std::string leading_slash(std::string_view entry, const GameFolder*) {
    if (!entry.starts_with('/')) return {};
    return std::string("starts with '/'") + refused;
}

std::string colon_or_dots(std::string_view entry, const GameFolder*) {
    const bool colon = entry.find(':') != std::string_view::npos;
    const bool dots = entry.find("..") != std::string_view::npos;
    if (!colon && !dots) return {};
    return std::string("holds ") + (colon ? "':'" : "'..'") +
           ": the server drops the .res word, and clients refuse to download it";
}

std::string many_dots(std::string_view entry, const GameFolder*) {
    if (std::count(entry.begin(), entry.end(), '.') <= 1) return {};
    return std::string("more than one dot in the path") + refused;
}

std::string_view extension_of(std::string_view entry) {
    const auto name = file_name_part(entry);
    const auto dot = name.find_last_of('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

std::string extension_length(std::string_view entry, const GameFolder*) {
    const auto length = extension_of(entry).size();
    if (length == 3) return {};
    return "an extension of " + std::to_string(length) +
           " characters: clients download only files with one of three";
}

std::string refused_name(std::string_view entry, const GameFolder*) {
    const auto lower = lower_ascii(entry);
    for (const char* name : {"halflife.wad", "xeno.wad", "pak0.pak"})
        if (lower.find(name) != std::string::npos) return std::string("names ") + name + refused;
    return {};
}

constexpr std::string_view refused_extensions[] = {".cfg", ".lst", ".exe",   ".vbs",
                                                   ".com", ".bat", ".dll",   ".ini",
                                                   ".log", ".so",  ".dylib", ".sys"};

std::string refused_extension(std::string_view entry, const GameFolder*) {
    const auto lower = lower_ascii(entry);
    for (const auto extension : refused_extensions)
        if (lower.ends_with(extension))
            return "a " + std::string(extension) +
                   " file: clients refuse to download it and the original server drops the "
                   ".res word";
    return {};
}

// The original server drops a .res word that holds one of the extensions anywhere.
std::string extension_inside(std::string_view entry, const GameFolder*) {
    const auto lower = lower_ascii(entry);
    for (const auto extension : refused_extensions) {
        const auto at = lower.find(extension);
        if (at != std::string::npos && at + extension.size() != lower.size())
            return "holds " + std::string(extension) +
                   " inside: the original server drops a .res word that holds it anywhere";
    }
    return {};
}

// What is sent to the clients: not what ships with the game, nor what is never looked up.
// What could not be checked may be sent too, so the rules hold for it as well.
bool is_sent(const Outcome& o) {
    return present(o.status) || o.status == Status::missing || o.status == Status::unchecked;
}

// Not found where the engine looks, whether or not a fallback folder could hold it: where
// it lies instead is known either way.
bool absent_wad(const Outcome& o) {
    return (o.status == Status::missing || o.status == Status::unchecked) &&
           ends_with_name(o.entry, ".wad");
}

std::string deep_wad(std::string_view entry, const GameFolder* game) {
    return deep_wad_warning(*game, entry);
}

// One rule of the clients or the server. `applies` picks the entries it is checked on,
// nullptr for every entry; `broken` gives its warning, or nothing when the entry keeps it.
// `by_name` rules need only the name; `server` ones are what the server refuses in a .res
// word, `download` ones what the clients' download filter refuses.
struct Rule {
    const char* what;
    bool (*applies)(const Outcome&);
    std::string (*broken)(std::string_view entry, const GameFolder* game);
    bool by_name = true;
    bool server = false;
    bool download = false;
};

const Rule rules[] = {
    {"the engine's length of a resource name", nullptr, too_long},
    {"the bytes at which the server splits a .res line", nullptr, word_break},
    {"printable ASCII, for the download", nullptr, not_printable, true, false, true},
    {"no backslash, for the server and the download", is_sent, backslash, true, true, true},
    {"no '~', for the download", is_sent, tilde, true, false, true},
    {"no leading '/', for the download", is_sent, leading_slash, true, false, true},
    {"no ':' or '..', for the server and the download", is_sent, colon_or_dots, true, true, true},
    {"one dot in the path, for the download", is_sent, many_dots, true, false, true},
    {"a three-character extension, for the download", is_sent, extension_length, true, false, true},
    {"none of the game's own packages, for the download", is_sent, refused_name, true, false, true},
    {"no program or setting file, for the download and the server", is_sent, refused_extension,
     true, true, true},
    {"no program extension inside a .res word, for the original server", is_sent, extension_inside,
     true, true},
    {"texture packages at the top of a search folder", absent_wad, deep_wad, false},
};

// What the rules that `pick` takes say of a name by itself.
std::vector<std::string> said_of_name(std::string_view name, bool Rule::*pick,
                                      bool Rule::*or_pick = nullptr) {
    std::vector<std::string> said;
    for (const auto& rule : rules)
        if (rule.*pick || (or_pick && rule.*or_pick))
            if (auto text = rule.broken(name, nullptr); !text.empty())
                said.push_back(std::move(text));
    return said;
}

std::string joined(const std::vector<std::string>& texts, std::string_view between) {
    std::string out;
    for (const auto& text : texts)
        out += (out.empty() ? "" : std::string(between)) + text;
    return out;
}

std::string not_of_kind(std::string_view entry, const FileKind& kind) {
    std::vector<std::string> extensions;
    for (const auto extension : kind.extensions) {
        if (ends_with_name(entry, extension)) return {};
        extensions.emplace_back(extension);
    }
    return std::string(kind.what) + " that is not a " + joined(extensions, " or ") + " file";
}

} // namespace

bool is_spray_package(std::string_view name) {
    return name.find("pldecal") != std::string_view::npos ||
           name.find("tempdecal") != std::string_view::npos;
}

bool is_unsafe_entry(std::string_view entry) {
    const auto path = with_slashes(entry);
    if (path.empty() || path.front() == '/' || path.find(':') != std::string::npos) return true;
    std::size_t start = 0;
    for (;;) {
        const auto end = path.find('/', start);
        if (path.substr(start, end == std::string::npos ? end : end - start) == "..") return true;
        if (end == std::string::npos) return false;
        start = end + 1;
    }
}

std::vector<std::string> name_warnings(std::string_view entry) {
    return said_of_name(entry, &Rule::by_name);
}

std::vector<std::string> server_refusals(std::string_view word) {
    return said_of_name(word, &Rule::server);
}

std::vector<std::string> download_refusals(std::string_view name) {
    return said_of_name(name, &Rule::download);
}

std::string followed_refusal(const Outcome& named, const FileKind* kind) {
    const auto control = std::find_if(named.entry.begin(), named.entry.end(),
                                      [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    if (control != named.entry.end()) {
        char text[8];
        std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(*control));
        return std::string("holds the control byte ") + text +
               ", which would break the .res's lines";
    }
    if (kind)
        if (auto why = not_of_kind(named.entry, *kind); !why.empty()) return why;
    if (named.status == Status::unsafe) return "it would leave the game's folders";
    if (!is_sent(named)) return {};
    auto why = said_of_name(named.entry, &Rule::download, &Rule::server);
    if (auto breaks = word_break(named.entry, nullptr); !breaks.empty())
        why.push_back(std::move(breaks));
    return joined(why, "; ");
}

std::string deep_wad_warning(const GameFolder& game, std::string_view wad) {
    const auto name = file_name_part(wad);
    for (const auto& path : game.paths_named(name)) {
        for (const auto& place : game.candidates(path)) {
            if (place.pack >= 0) continue;
            const auto top = game.folders()[place.folder].path /
                             analysis::to_path(analysis::single_byte_to_utf8(name));
            const auto to = top.generic_u8string();
            return "not at the top of any search folder, where the engine looks: it lies at " +
                   game.describe(place) + " and must go to " + std::string(to.begin(), to.end());
        }
    }
    return {};
}

// A refused entry's reason says what the rules would.
void apply_rules(const GameFolder& game, MapResolution& r) {
    for (auto& o : r.entries)
        for (const auto& rule : rules)
            if (o.status != Status::refused)
                if (!rule.applies || rule.applies(o))
                    if (auto warning = rule.broken(o.entry, &game); !warning.empty())
                        o.warnings.push_back(std::move(warning));
}

} // namespace tarnwick::game

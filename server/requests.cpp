#include "server/requests.h"

#include "analysis/file_system.h"
#include "analysis/map_names.h"
#include "analysis/module1.h"
#include "game/old_res.h"
#include "game/resolver.h"
#include "game/rules.h"

#include <algorithm>
#include <filesystem>

namespace tarnwick::server {
namespace {

namespace fs = std::filesystem;

class RequestCollector {
public:
    // The .res is requested as any other word of it: the server precaches each word, its
    // own name included, and a client that lacks it asks for it.
    RequestCollector(const RequestSource& source, MapRequests& out)
        : source_(source), out_(out), counter_strike_(game::counter_strike_game(source.game)) {}

    // A word of the .res: requested when it names a file the server has that does not ship
    // with the game, and it may be requested as the server reads it.
    void add_word(const std::string& word) {
        const auto& places = source_.game.candidates(word);
        const auto key = game::with_slashes(word);
        if (places.empty() || done_.contains(key) || shipped(key, as_opened(places, word))) return;
        // A word refused as it is read sends nothing: its file is left to what names it
        // otherwise.
        if (auto why = download_refusal(word); !why.empty()) {
            if (refused_words_.insert(key)) out_.refused.push_back({key, std::move(why)});
            return;
        }
        done_.insert(key);
        add(word, as_opened(places, word));
    }

    void add(const std::string& sent, const game::Place& place) {
        const auto key = game::with_slashes(sent);
        if (shipped(key, place)) return;
        if (auto why = download_refusal(key); !why.empty())
            return out_.refused.push_back({key, std::move(why)});
        const auto path = source_.game.disk_path(place);
        std::error_code ec;
        const auto size = fs::file_size(analysis::to_path(path), ec);
        out_.files.push_back({key, path, ec ? 0 : size});
    }

    void add_map() {
        auto sent = source_.map_sent.empty()
                        ? analysis::map_names_of_path(source_.resolution.map).map_line()
                        : "maps/" + source_.map_sent + ".bsp";
        if (!done_.insert(sent)) return;
        const auto& places = source_.game.candidates(sent);
        if (!places.empty()) return add(sent, as_opened(places, sent));
        // A map outside the game folder is still the one the server runs.
        std::error_code ec;
        const auto size = fs::file_size(analysis::to_path(source_.resolution.map), ec);
        if (auto why = download_refusal(sent); !why.empty())
            return out_.refused.push_back({sent, std::move(why)});
        out_.files.push_back({sent, source_.resolution.map, ec ? 0 : size});
    }

    void add_entry(const game::Outcome& outcome) {
        if (!game::present(outcome.status) || !outcome.place) return;
        if (!done_.insert(game::with_slashes(outcome.entry))) return;
        add(outcome.entry, *outcome.place);
    }

private:
    // A file the game ships may sit in the mod folder (a server's cstrike/ holds the whole
    // game): clients have it, so it is never requested.
    bool shipped(const std::string& key, const game::Place& place) const {
        return source_.game.ships_with_game(place) || source_.stock.contains(key) ||
               game::known_to_ship(key, counter_strike_);
    }

    const RequestSource& source_;
    MapRequests& out_;
    game::NameSet done_;
    game::NameSet refused_words_;
    bool counter_strike_;
};

// The files of `requests` to copy; the .res of this run (`res`, read as `text`) in place
// of the one on the disk, which it may not be yet.
std::vector<game::CollectFile> folder_files(const MapRequests& requests, const game::ResText* text,
                                            const std::string* res) {
    const auto res_line = analysis::map_names_of_path(requests.map).res_line();
    const auto is_res = [&](const std::string& name) { return game::same_name(name, res_line); };
    std::vector<game::CollectFile> files;
    for (const auto& file : requests.files)
        if (!res || !is_res(file.sent)) files.push_back({file.sent, file.source});
    if (text)
        if (const auto own = std::find_if(text->lines.begin(), text->lines.end(), is_res);
            own != text->lines.end() && download_refusal(*own).empty())
            files.insert(files.begin() + (files.empty() ? 0 : 1),
                         {game::with_slashes(*own), {}, *res});
    for (const auto& refused : requests.refused)
        files.push_back({refused.name, {}, {}, refused.reason});
    return files;
}

} // namespace

std::uint64_t MapRequests::bytes() const {
    std::uint64_t total = 0;
    for (const auto& file : files)
        total += file.size;
    return total;
}

const Request* MapRequests::largest() const {
    const auto at = std::max_element(files.begin(), files.end(),
                                     [](auto& a, auto& b) { return a.size < b.size; });
    return at == files.end() ? nullptr : &*at;
}

MapRequests map_requests(const RequestSource& source) {
    MapRequests out{source.resolution.map, {}, {}};
    RequestCollector collector(source, out);
    collector.add_map();
    if (source.res)
        for (const auto& word : source.res->lines)
            collector.add_word(word);
    for (const auto& outcome : source.resolution.entries)
        collector.add_entry(outcome);
    // What the extra list names that a .res cannot is said once a run, not here.
    for (const auto& word : source.extra)
        if (game::res_word_refusal(word).empty()) collector.add_word(word);
    return out;
}

MapRequests map_requests(const game::Session& session, const game::CheckedMap& map,
                         const std::string& map_sent) {
    std::optional<game::ResText> res;
    try {
        res = game::read_res_file(analysis::res_path_for(map.resolution.map));
    } catch (const std::exception&) {
        // A .res that cannot be read sends nothing; the audit says why.
    }
    return map_requests({session.game_folder(map), map.resolution, session.stock(),
                         res ? &*res : nullptr, map_sent, session.settings().extra});
}

std::vector<game::CollectFile> folder_files(const game::Session& session,
                                            const game::CheckedMap& map,
                                            const std::string& map_sent, const std::string* res) {
    if (!res) return folder_files(map_requests(session, map, map_sent), nullptr, nullptr);
    const auto text = game::read_res_text(*res);
    return folder_files(map_requests({session.game_folder(map), map.resolution, session.stock(),
                                      &text, map_sent, session.settings().extra}),
                        &text, res);
}

const game::Place& as_opened(const std::vector<game::Place>& places, std::string_view name) {
    const auto exact = std::find_if(places.begin(), places.end(), [&](const game::Place& place) {
        return place.spelled == game::with_slashes(name);
    });
    return exact == places.end() ? places.front() : *exact;
}

std::string download_refusal(std::string_view name) {
    if (game::is_unsafe_entry(name)) return "would leave the download folder";
    for (const auto& reasons : {game::server_refusals(name), game::download_refusals(name)})
        if (!reasons.empty()) return reasons.front();
    return {};
}

} // namespace tarnwick::server

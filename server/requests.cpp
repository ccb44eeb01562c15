#include "server/requests.h"

#include "analysis/file_system.h"
#include "analysis/map_names.h"
#include "analysis/module1.h"
#include "game/old_res.h"
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
    RequestCollector(const RequestSource& source, MapRequests& out) : source_(source), out_(out) {}

    // A file of the game folder named `sent`: requested when the server has it and it does
    // not ship with the game.
    void add_named(const std::string& sent) {
        const auto& places = source_.game.candidates(sent);
        if (places.empty() || !done_.insert(game::with_slashes(sent))) return;
        add(sent, places.front());
    }

    void add(const std::string& sent, const game::Place& place) {
        const auto key = game::with_slashes(sent);
        if (source_.game.ships_with_game(place) || source_.stock.contains(key)) return;
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
        if (!places.empty()) return add(sent, places.front());
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
    const RequestSource& source_;
    MapRequests& out_;
    game::NameSet done_;
};

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
            if (game::server_refusals(word).empty() && !game::is_unsafe_entry(word))
                collector.add_named(word);
    for (const auto& outcome : source.resolution.entries)
        collector.add_entry(outcome);
    // What the extra list names that a .res cannot is said once a run, not here.
    for (const auto& word : source.extra)
        if (game::res_word_refusal(word).empty()) collector.add_named(word);
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

std::string download_refusal(std::string_view name) {
    if (game::is_unsafe_entry(name)) return "would leave the download folder";
    const auto reasons = game::download_refusals(name);
    return reasons.empty() ? std::string() : reasons.front();
}

} // namespace tarnwick::server

#include "server/sync.h"

#include "analysis/file_system.h"
#include "game/file_source.h"
#include "server/manifest.h"
#include "server/placing.h"
#include "server/sync_plan.h"

#include <map>
#include <stdexcept>

namespace tarnwick::server {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t manifest_limit = 64u << 20;

Manifest load_manifest(const fs::path& dir) {
    const auto path = dir / std::string(manifest_name);
    std::error_code ec;
    const auto status = fs::symlink_status(path, ec);
    if (!fs::exists(status)) return {};
    try {
        if (!fs::is_regular_file(status)) throw game::FormatError("not a plain file");
        return read_manifest(
            game::read_small_file(game::FileSource(analysis::utf8_of(path)), manifest_limit));
    } catch (const std::exception& e) {
        throw std::runtime_error("the download folder's record " + analysis::utf8_of(path) + ": " +
                                 e.what() + "; nothing was changed");
    }
}

bool writes(const Step& step) {
    return step.action == Action::add || step.action == Action::replace;
}

class Runner {
public:
    Runner(const SyncOptions& options, SyncResult& result, Manifest& record, Folders& folders)
        : options_(options), result_(result), record_(record), folders_(folders) {}

    void carry_out(const std::vector<Step>& steps);
    bool dirty() const { return dirty_; }

private:
    // Writes `steps` (a file, its .gz, or both: the .gz second), all from one source.
    void put(const std::vector<const Step*>& steps);
    void remove(const Step& step);
    void forget(const std::string& path) {
        record_.erase(path);
        dirty_ = true;
    }
    void listed(const Step& step);
    void failed(const Step& step, const std::string& why) {
        result_.steps.push_back({step, Outcome::failed, why});
        result_.ok = false;
    }

    const SyncOptions& options_;
    SyncResult& result_;
    Manifest& record_;
    Folders& folders_;
    bool dirty_ = false;
};

void Runner::listed(const Step& step) {
    switch (step.action) {
    case Action::add:
        return result_.added.push_back(step.path);
    case Action::replace:
        return result_.replaced.push_back(step.path);
    case Action::remove:
        return result_.removed.push_back(step.path);
    case Action::keep:
        return result_.foreign.push_back(step.path);
    case Action::unchanged:
        return result_.unchanged.push_back(step.path);
    case Action::forget:
        return;
    }
}

void Runner::carry_out(const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const auto& step = steps[i];
        if (step.action == Action::unchanged) {
            listed(step);
            continue;
        }
        if (writes(step)) {
            std::vector<const Step*> together{&step};
            if (i + 1 < steps.size() && writes(steps[i + 1]) && steps[i + 1].source == step.source)
                together.push_back(&steps[++i]);
            put(together);
            continue;
        }
        if (options_.dry_run) {
            listed(step);
            result_.steps.push_back({step, Outcome::planned, {}});
            continue;
        }
        if (step.action == Action::remove) {
            remove(step);
            continue;
        }
        // A file changed since it was placed is no longer this program's.
        if (step.action == Action::forget || step.reason == Reason::changed_since_placed)
            forget(step.path);
        listed(step);
        result_.steps.push_back({step, Outcome::done, {}});
    }
}

void Runner::put(const std::vector<const Step*>& steps) {
    const auto& request = *steps.front()->source;
    const bool file = steps.front()->path == request.sent;
    const bool gzip = steps.back()->path != request.sent;
    if (options_.dry_run) {
        result_.bytes += file ? request.size : 0;
        for (const auto* step : steps) {
            listed(*step);
            result_.steps.push_back({*step, Outcome::planned, {}});
        }
        return;
    }
    try {
        folders_.make(folder_of(request.sent));
        const auto written =
            place_file(analysis::to_path(request.source), folders_.place(request.sent), file, gzip);
        const auto gz = request.sent + ".gz";
        if (written.file) record_[request.sent] = {*written.file};
        if (written.gz) record_[gz] = {*written.gz};
        for (auto* placed :
             {written.file ? &record_[request.sent] : nullptr, written.gz ? &record_[gz] : nullptr})
            if (placed) {
                placed->stamp = settled(placed->stamp);
                placed->source = settled(written.source);
                result_.bytes += placed->size;
            }
        dirty_ = true;
    } catch (const std::exception& e) {
        // A .gz put in place before its file failed was taken away again.
        for (const auto* step : steps)
            if (record_.count(step->path) &&
                look_at(folders_.place(step->path)).kind != Look::Kind::plain)
                forget(step->path);
        return failed(*steps.front(), e.what());
    }
    for (const auto* step : steps) {
        listed(*step);
        result_.steps.push_back({*step, Outcome::done, {}});
    }
}

void Runner::remove(const Step& step) {
    std::error_code ec;
    fs::remove(folders_.place(step.path), ec);
    if (ec) return failed(step, ec.message());
    forget(step.path);
    listed(step);
    result_.steps.push_back({step, Outcome::done, {}});
}

std::vector<const Request*> wanted_of(const std::vector<MapRequests>& maps) {
    std::map<std::string, const Request*> wanted;
    for (const auto& map : maps)
        for (const auto& file : map.files)
            wanted.emplace(file.sent, &file);
    std::vector<const Request*> sorted;
    for (const auto& [path, request] : wanted)
        sorted.push_back(request);
    return sorted;
}

} // namespace

bool falls_short(const Step& step) {
    return step.action == Action::keep && step.reason == Reason::in_the_way;
}

SyncResult sync_download_folder(const std::vector<MapRequests>& maps, const SyncOptions& options) {
    SyncResult result;
    auto record = load_manifest(options.dir);
    Folders folders(options.dir);
    auto plan = plan_sync(wanted_of(maps), options, record, folders);
    result.unneeded = plan.unneeded;
    for (const auto& step : plan.steps)
        if (falls_short(step)) result.ok = false;
    if (!options.dry_run) fs::create_directories(options.dir);
    Runner runner(options, result, record, folders);
    runner.carry_out(plan.steps);
    if (!options.dry_run && (runner.dirty() || plan.restamped))
        // The record was read as this program's own, hidden or not.
        game::replace_whole_file(options.dir / std::string(manifest_name),
                                 game::MemorySource(manifest_text(record)),
                                 analysis::os::Hidden::replaced);
    return result;
}

} // namespace tarnwick::server

#include "server/sync.h"

#include "analysis/file_system.h"
#include "server/manifest.h"
#include "server/placing.h"
#include "server/record.h"
#include "server/sync_plan.h"

#include <map>
#include <optional>
#include <utility>

namespace tarnwick::server {
namespace {

namespace fs = std::filesystem;

bool writes(const Step& step) {
    return step.action == Action::add || step.action == Action::replace;
}

class Runner {
public:
    Runner(const SyncOptions& options, SyncResult& result, Manifest& entries, HeldRecord* held,
           Folders& folders)
        : options_(options), result_(result), entries_(entries), held_(held), folders_(folders) {}

    void carry_out(const std::vector<Step>& steps);

private:
    bool stopped() {
        if (lost_) return true;
        if (!options_.stop || !*options_.stop) return false;
        result_.stopped = *options_.stop;
        return true;
    }
    // False, and the run stopped, when another run may be writing the folder.
    bool holding() {
        try {
            if (held_) held_->check();
            return true;
        } catch (const LockLost& e) {
            lose(e);
            return false;
        }
    }
    void lose(const LockLost& e) {
        lost_ = true;
        result_.record_failure = e.what();
        result_.ok = false;
    }
    void one(const std::vector<Step>& steps, std::size_t& i);
    // Writes `steps` (a file, its .gz, or both: the .gz second), all from one source.
    // False when the source changed while it was copied.
    bool put(const std::vector<const Step*>& steps, bool last_try);
    void landed(const Request& request, const Written& written);
    // After a failure: the record says what the disk has.
    void mend(const std::vector<const Step*>& steps, const Manifest& before);
    void remove(const Step& step);
    void forget(const std::string& path) {
        if (held_) held_->forget(path);
    }
    void listed(const Step& step);
    void result(const Step& step, Outcome outcome, std::string detail = {}) {
        if (outcome == Outcome::done || outcome == Outcome::planned) listed(step);
        // A source that changed is tried again, and that try decides.
        if (outcome == Outcome::failed || outcome == Outcome::not_reached ||
            outcome == Outcome::source_changing)
            result_.ok = false;
        result_.steps.push_back({step, outcome, std::move(detail)});
    }

    const SyncOptions& options_;
    SyncResult& result_;
    Manifest& entries_;
    HeldRecord* held_;
    Folders& folders_;
    std::vector<std::vector<const Step*>> again_;
    bool lost_ = false;
    bool asked_ = false; // whether the folder is held, by the file placed last
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
        if (stopped()) {
            for (; i < steps.size(); ++i)
                if (writes(steps[i]) || steps[i].action == Action::remove)
                    result(steps[i], Outcome::not_reached);
            return;
        }
        one(steps, i);
    }
    // Once more, the files whose source changed while they were copied (an upload that
    // has ended by now).
    for (const auto& together : std::exchange(again_, {}))
        if (!stopped()) put(together, true);
}

void Runner::one(const std::vector<Step>& steps, std::size_t& i) {
    const auto& step = steps[i];
    if (step.action == Action::unchanged) return listed(step);
    if (writes(step)) {
        std::vector<const Step*> together{&step};
        if (i + 1 < steps.size() && writes(steps[i + 1]) && steps[i + 1].source == step.source)
            together.push_back(&steps[++i]);
        if (!put(together, false)) again_.push_back(together);
        return;
    }
    if (falls_short(step)) result_.ok = false;
    if (options_.dry_run) return result(step, Outcome::planned);
    if (step.action == Action::remove) return remove(step);
    // A file changed since it was placed is no longer this program's.
    if (step.action == Action::forget || step.reason == Reason::changed_since_placed)
        forget(step.path);
    result(step, Outcome::done);
}

void Runner::landed(const Request& request, const Written& written) {
    // Renamed in next: never a file another run that took the folder is writing.
    held_->check();
    const auto gz = request.sent + ".gz";
    // The .gz first, as it is renamed first.
    for (const auto& [path, placed] : {std::pair{gz, written.gz}, {request.sent, written.file}})
        if (placed) {
            auto entry = *placed;
            entry.stamp = settled(entry.stamp);
            entry.source = settled(written.source);
            held_->placed(path, entry);
        }
}

bool Runner::put(const std::vector<const Step*>& steps, bool last_try) {
    const auto& request = *steps.front()->source;
    const bool file = steps.front()->path == request.sent;
    const bool gzip = steps.back()->path != request.sent;
    if (options_.dry_run) {
        result_.bytes += file ? request.size : 0;
        for (const auto* step : steps)
            result(*step, Outcome::planned);
        return true;
    }
    const auto unreached = [&] {
        for (const auto* step : steps)
            result(*step, Outcome::not_reached);
        return true;
    };
    // The files beside are made (a stopped run's removed) only while the folder is held;
    // just after a file was placed, it was asked a moment ago.
    if (!std::exchange(asked_, false) && !holding()) return unreached();
    Manifest before;
    for (const auto* step : steps)
        if (const auto found = entries_.find(step->path); found != entries_.end())
            before.insert(*found);
    try {
        const auto folder = folder_of(request.sent);
        folders_.make(folder);
        const auto written = place_file(
            analysis::to_path(request.source), folders_.place(request.sent), file, gzip,
            [&](const Written& written) { landed(request, written); }, folders_.open(folder));
        // Counted once in place: bytes that were written beside and taken away again are not.
        for (const auto& placed : {written.file, written.gz})
            result_.bytes += placed ? placed->size : 0;
        asked_ = true;
    } catch (const LockLost& e) {
        // Neither journaled nor renamed in; what the other run does is its own to record.
        lose(e);
        return unreached();
    } catch (const SourceChanged&) {
        mend(steps, before);
        result(*steps.front(), last_try ? Outcome::source_changing : Outcome::source_changed);
        return false;
    } catch (const std::exception& e) {
        mend(steps, before);
        result(*steps.front(), Outcome::failed, e.what());
        return true;
    }
    for (const auto* step : steps)
        result(*step, Outcome::done);
    return true;
}

void Runner::mend(const std::vector<const Step*>& steps, const Manifest& before) {
    for (const auto* step : steps) {
        const auto& path = step->path;
        const auto was = before.find(path);
        const auto now = entries_.find(path);
        if (now == entries_.end() || (was != before.end() && was->second == now->second)) continue;
        // Journaled, then not renamed in (or a .gz taken away again): what is there is what
        // was there before, or nothing.
        const auto look = look_at(folders_.place(path));
        if (was != before.end() && look.kind == Look::Kind::plain) {
            try {
                held_->placed(path, was->second);
                continue;
            } catch (const std::exception&) {
            }
        }
        forget(path);
    }
}

void Runner::remove(const Step& step) {
    if (!holding()) return result(step, Outcome::not_reached);
    std::error_code ec;
    fs::remove(folders_.place(step.path), ec);
    if (ec) return result(step, Outcome::failed, ec.message());
    forget(step.path);
    result(step, Outcome::done);
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

void plan_and_run(const std::vector<MapRequests>& maps, const SyncOptions& options,
                  SyncResult& result, Manifest& entries, HeldRecord* held) {
    Folders folders(options.dir);
    auto plan = plan_sync(wanted_of(maps), options, entries, folders);
    result.unneeded = plan.unneeded;
    if (held && plan.restamped) held->touched();
    Runner(options, result, entries, held, folders).carry_out(plan.steps);
}

} // namespace

bool falls_short(const Step& step) {
    // A file kept that is not the server's bytes is what players get in its place.
    return step.reason == Reason::unreadable ||
           (step.action == Action::keep &&
            (step.reason == Reason::in_the_way || step.reason == Reason::not_placed));
}

SyncResult sync_download_folder(const std::vector<MapRequests>& maps, const SyncOptions& options) {
    SyncResult result;
    if (options.dry_run) {
        auto entries = read_record(options.dir);
        plan_and_run(maps, options, result, entries, nullptr);
        return result;
    }
    fs::create_directories(options.dir);
    std::optional<HeldRecord> held;
    try {
        held.emplace(options.dir, HeldRecord::Waiting{options.wait, options.stop, options.waiting});
    } catch (const WaitStopped&) {
        result.stopped = *options.stop;
        result.held = false;
        return result;
    }
    plan_and_run(maps, options, result, held->entries(), &*held);
    // The lock lost: the record is the other run's to write now.
    if (!result.record_failure.empty()) return result;
    try {
        held->save();
    } catch (const std::exception& e) {
        // The journal beside it still names every file placed: the next run folds it in.
        result.record_failure = e.what();
        result.ok = false;
    }
    return result;
}

} // namespace tarnwick::server

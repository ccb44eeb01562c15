#include "server/sync_plan.h"

#include "analysis/file_system.h"

#include <set>

namespace tarnwick::server {
namespace {

namespace fs = std::filesystem;

std::string gz_of(const std::string& path) {
    return path + ".gz";
}

class Planner {
public:
    Planner(const SyncOptions& options, Manifest& record, Folders& folders)
        : options_(options), record_(record), folders_(folders), user_(options.mod_folder) {}

    void file(const Request& request);
    void prune(const std::set<std::string>& kept);
    SyncPlan take() { return std::move(plan_); }

private:
    void step(Action action, Reason reason, const std::string& path,
              const Request* source = nullptr) {
        plan_.steps.push_back({action, reason, path, source});
    }
    bool same(const std::string& path, const Stamp& target, const Request& request,
              const Stamp& source);
    // The file in the folder is as it was placed (its bytes read only when its stamp differs).
    bool as_placed(const std::string& path, const Stamp& target);
    void foreign(const std::string& path, const Look& target, const Request& request);
    void gzip_of_kept(const std::string& path, const Request& request);
    // Without gzip: a .gz this program did not place, which a web server may send instead.
    void foreign_gzip(const std::string& path);
    void remove(const std::string& path, Reason reason);
    // A copy placed before goes too (with its .gz): the server never sends it.
    void unreadable(const std::string& path, const Look& target) {
        step(Action::keep, Reason::unreadable, path);
        if (!ours(path) || target.kind != Look::Kind::plain) return;
        remove(path, Reason::unreadable);
        if (ours(gz_of(path))) remove(gz_of(path), Reason::unreadable);
    }
    bool ours(const std::string& path) const { return record_.count(path) != 0; }
    fs::path place(const std::string& path) const { return folders_.place(path); }
    bool taken(const std::string& path) const {
        return look_at(place(path)).kind != Look::Kind::nothing;
    }
    // What is at the place of `path`; a link when a folder on its way is not one. Each path
    // is placed once a run, so nothing is in its place yet in a folder this run makes.
    Look look_in_place(const std::string& path) {
        const auto folder = folder_of(path);
        if (!folders_.clear(folder)) return {Look::Kind::link};
        return folders_.absent(folder) ? Look{} : look_at(place(path));
    }

    const SyncOptions& options_;
    Manifest& record_;
    Folders& folders_;
    os::ServerUser user_;
    SyncPlan plan_;
};

void Planner::file(const Request& request) {
    const auto& path = request.sent;
    const auto target = look_in_place(path);
    if (target.kind == Look::Kind::link || target.kind == Look::Kind::folder ||
        target.kind == Look::Kind::other)
        return step(Action::keep, Reason::in_the_way, path);
    // The server never sends what it cannot read: a copy here would publish a secret.
    if (!user_.can_read(analysis::to_path(request.source))) return unreadable(path, target);
    if (!options_.gzip) foreign_gzip(path);
    const bool in_place = target.kind != Look::Kind::nothing;
    if (in_place && !ours(path) && !options_.overwrite) return foreign(path, target, request);
    auto reason = in_place ? Reason::taken_over : Reason::new_file;
    // Read as the server reads it, through links. A file to place is looked at as it is
    // read, so a first run looks at each source once.
    if (in_place && ours(path)) {
        const auto source = look_at(analysis::to_path(request.source), os::Links::followed);
        if (source.kind == Look::Kind::plain && same(path, target.stamp, request, source.stamp)) {
            step(Action::unchanged, Reason::as_placed, path);
            return gzip_of_kept(path, request);
        }
        reason =
            as_placed(path, target.stamp) ? Reason::changed_at_source : Reason::changed_on_site;
    }
    const auto gz = gz_of(path);
    // An old .gz beside a new file would be sent in its place.
    if (!options_.gzip && ours(gz)) remove(gz, Reason::gzip_not_wanted);
    step(in_place ? Action::replace : Action::add, reason, path, &request);
    if (!options_.gzip) return;
    if (taken(gz) && !ours(gz) && !options_.overwrite)
        return step(Action::keep, Reason::foreign_gzip, gz);
    step(taken(gz) ? Action::replace : Action::add, taken(gz) ? reason : Reason::new_file, gz,
         &request);
}

// Not this program's: kept, and said whether it is what the server has.
void Planner::foreign(const std::string& path, const Look& target, const Request& request) {
    auto reason = Reason::not_placed;
    try {
        const auto source = look_at(analysis::to_path(request.source), os::Links::followed);
        if (target.kind == Look::Kind::plain && source.kind == Look::Kind::plain &&
            source.stamp.size == target.stamp.size &&
            file_hash(place(path)) == file_hash(analysis::to_path(request.source)))
            reason = Reason::same_bytes;
    } catch (const std::exception&) {
        // Unreadable: not known to be the same.
    }
    step(Action::keep, reason, path);
}

bool Planner::same(const std::string& path, const Stamp& target, const Request& request,
                   const Stamp& source) {
    auto& placed = record_.at(path);
    if (placed.stamp == target && placed.source == source) return true;
    if (target.size != source.size) return false;
    // Touched, or changed: only the bytes tell.
    const auto hash = file_hash(analysis::to_path(request.source));
    if (file_hash(place(path)) != hash) return false;
    placed = {source.size, hash, settled(target), settled(source)};
    plan_.restamped = true;
    return true;
}

bool Planner::as_placed(const std::string& path, const Stamp& target) {
    auto& placed = record_.at(path);
    if (placed.stamp == target) return true;
    if (target.size != placed.size || file_hash(place(path)) != placed.hash) return false;
    placed.stamp = settled(target);
    plan_.restamped = true;
    return true;
}

void Planner::foreign_gzip(const std::string& path) {
    const auto gz = gz_of(path);
    if (ours(gz) || folders_.absent(folder_of(path)) || !taken(gz)) return;
    step(Action::keep, Reason::foreign_gzip, gz);
}

void Planner::gzip_of_kept(const std::string& path, const Request& request) {
    if (!options_.gzip) return;
    const auto gz = gz_of(path);
    const auto target = plain_file_stamp(place(gz));
    // A .gz is placed with its file, and removed when its file is replaced without one: the
    // one recorded belongs to the file in place.
    if (ours(gz) && target && as_placed(gz, *target))
        return step(Action::unchanged, Reason::as_placed, gz);
    const bool in_place = taken(gz);
    if (in_place && !ours(gz) && !options_.overwrite)
        return step(Action::keep, Reason::foreign_gzip, gz);
    const auto reason = !in_place  ? Reason::new_file
                        : ours(gz) ? Reason::changed_on_site
                                   : Reason::taken_over;
    step(in_place ? Action::replace : Action::add, reason, gz, &request);
}

void Planner::remove(const std::string& path, Reason reason) {
    // A folder on the way made a link since: what it leads to is not ours to remove.
    const auto look = look_in_place(path);
    if (look.kind != Look::Kind::plain) return step(Action::forget, Reason::gone, path);
    if (!as_placed(path, look.stamp)) return step(Action::keep, Reason::changed_since_placed, path);
    step(Action::remove, reason, path);
}

void Planner::prune(const std::set<std::string>& kept) {
    std::vector<std::string> left;
    for (const auto& [path, placed] : record_)
        if (!kept.count(path)) left.push_back(path);
    if (!options_.prune) {
        plan_.unneeded = left.size();
        return;
    }
    for (const auto& path : left)
        remove(path, Reason::needed_by_no_map);
}

} // namespace

SyncPlan plan_sync(const std::vector<const Request*>& wanted, const SyncOptions& options,
                   Manifest& record, Folders& folders) {
    Planner planner(options, record, folders);
    std::set<std::string> kept;
    for (const auto* request : wanted) {
        planner.file(*request);
        kept.insert(request->sent);
        if (options.gzip || !options.prune) kept.insert(gz_of(request->sent));
    }
    planner.prune(kept);
    return planner.take();
}

} // namespace tarnwick::server

#include "server/sync.h"

#include "analysis/file_system.h"
#include "analysis/single_byte.h"
#include "game/file_source.h"
#include "server/manifest.h"
#include "server/placing.h"

#include <map>
#include <set>
#include <stdexcept>

namespace tarnwick::server {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t manifest_limit = 64u << 20;

std::string shown(const std::string& relative) {
    return analysis::single_byte_to_utf8(relative);
}

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

class Syncer {
public:
    Syncer(const SyncOptions& options, SyncResult& result)
        : options_(options), result_(result), manifest_(load_manifest(options.dir)),
          folders_(options.dir) {}

    void file(const Request& request);
    void prune(const std::set<std::string>& kept);
    void finish();

private:
    bool same(const std::string& path, const Stamp& target, const Request& request,
              const Stamp& source);
    void put(const std::string& path, const Request& request, bool file, bool gzip, bool replacing);
    // The file in the folder is as it was placed (its bytes read only when its stamp differs).
    bool as_placed(const std::string& path, Placed& placed, const Stamp& target);
    void gzip_of_kept(const std::string& path, const Request& request);
    // Without --gzip: a .gz this program did not place, which a web server may send instead.
    void foreign_gzip(const std::string& path);
    void remove(const std::string& path);
    void note(std::vector<std::string>& list, const std::string& path, const std::string& line);
    fs::path place(const std::string& path) const { return folders_.place(path); }
    bool taken(const std::string& path) const {
        return look_at(place(path)).kind != Look::Kind::nothing;
    }
    // What is at the place of `path`; a link when a folder on its way is not one. Each path
    // is placed once a run, so nothing is in its place yet in a folder this run made.
    Look look_in_place(const std::string& path) {
        const auto folder = folder_of(path);
        if (!folders_.clear(folder)) return {Look::Kind::link};
        return folders_.made(folder) ? Look{} : look_at(place(path));
    }

    const SyncOptions& options_;
    SyncResult& result_;
    Manifest manifest_;
    Folders folders_;
    bool dirty_ = false;
};

void Syncer::note(std::vector<std::string>& list, const std::string& path,
                  const std::string& line) {
    list.push_back(path);
    if (!line.empty()) result_.lines.push_back(line);
}

void Syncer::file(const Request& request) {
    const auto& path = request.sent;
    const auto target = look_in_place(path);
    if (target.kind == Look::Kind::link)
        return note(result_.foreign, path,
                    "not placed: " + shown(path) +
                        ": a link or a file is in its way (not followed)");
    if (!options_.gzip) foreign_gzip(path);
    const bool in_place = target.kind != Look::Kind::nothing;
    const bool ours = manifest_.count(path) != 0 && target.kind == Look::Kind::plain;
    if (in_place && !ours && !options_.overwrite)
        return note(result_.foreign, path,
                    "kept " + shown(path) +
                        ": not placed by this program (--overwrite replaces it)");
    // Read as the server reads it, through links. A file to place is looked at as it is
    // read, so a first run looks at each source once.
    if (ours) {
        const auto source = look_at(analysis::to_path(request.source), os::Links::followed);
        if (source.kind == Look::Kind::plain && same(path, target.stamp, request, source.stamp)) {
            result_.unchanged.push_back(path);
            return gzip_of_kept(path, request);
        }
    }
    const auto gz = path + ".gz";
    bool gzip = options_.gzip;
    if (gzip && taken(gz) && !manifest_.count(gz) && !options_.overwrite) {
        gzip = false;
        note(result_.foreign, gz, "kept " + shown(gz) + ": not placed by this program");
    }
    // An old .gz beside a new file would be sent in its place.
    if (!options_.gzip && manifest_.count(gz)) remove(gz);
    put(path, request, true, gzip, in_place);
}

bool Syncer::same(const std::string& path, const Stamp& target, const Request& request,
                  const Stamp& source) {
    auto& placed = manifest_.at(path);
    if (placed.stamp == target && placed.source == source) return true;
    if (target.size != source.size) return false;
    // Touched, or changed: only the bytes tell.
    const auto hash = file_hash(analysis::to_path(request.source));
    if (file_hash(place(path)) != hash) return false;
    placed = {source.size, hash, settled(target), settled(source)};
    dirty_ = true;
    return true;
}

bool Syncer::as_placed(const std::string& path, Placed& placed, const Stamp& target) {
    if (placed.stamp == target) return true;
    if (target.size != placed.size || file_hash(place(path)) != placed.hash) return false;
    placed.stamp = settled(target);
    dirty_ = true;
    return true;
}

void Syncer::foreign_gzip(const std::string& path) {
    const auto gz = path + ".gz";
    if (manifest_.count(gz) || folders_.made(folder_of(path)) || !taken(gz)) return;
    note(result_.foreign, gz,
         "kept " + shown(gz) + ": not placed by this program; a web server that sends .gz copies " +
             "sends it in place of " + shown(path) + " (--gzip --overwrite replaces it)");
}

void Syncer::gzip_of_kept(const std::string& path, const Request& request) {
    if (!options_.gzip) return;
    const auto gz = path + ".gz";
    const auto found = manifest_.find(gz);
    const auto target = plain_file_stamp(place(gz));
    // A .gz is placed with its file, and removed when its file is replaced without one: the
    // one recorded belongs to the file in place.
    if (found != manifest_.end() && target && as_placed(gz, found->second, *target))
        return result_.unchanged.push_back(gz);
    if (taken(gz) && found == manifest_.end() && !options_.overwrite)
        return note(result_.foreign, gz,
                    "kept " + shown(gz) + ": not placed by this program (--overwrite replaces it)");
    put(path, request, false, true, false);
}

void Syncer::put(const std::string& path, const Request& request, bool file, bool gzip,
                 bool replacing) {
    const auto gz = path + ".gz";
    const bool gz_replacing = gzip && taken(gz);
    if (options_.dry_run) {
        result_.bytes += file ? request.size : 0;
    } else {
        try {
            folders_.make(folder_of(path));
            const auto written =
                place_file(analysis::to_path(request.source), place(path), file, gzip);
            if (written.file) manifest_[path] = {*written.file};
            if (written.gz) manifest_[gz] = {*written.gz};
            for (auto* placed :
                 {written.file ? &manifest_[path] : nullptr, written.gz ? &manifest_[gz] : nullptr})
                if (placed) {
                    placed->stamp = settled(placed->stamp);
                    placed->source = settled(written.source);
                    result_.bytes += placed->size;
                }
            dirty_ = true;
        } catch (const std::exception& e) {
            result_.ok = false;
            return result_.lines.push_back("cannot place " + shown(path) + ": " + e.what());
        }
    }
    if (file) (replacing ? result_.replaced : result_.added).push_back(path);
    if (gzip) (gz_replacing ? result_.replaced : result_.added).push_back(gz);
}

void Syncer::remove(const std::string& path) {
    // A folder on the way made a link since: what it leads to is not ours to remove.
    const auto look = look_in_place(path);
    const auto target =
        look.kind == Look::Kind::plain ? std::optional<Stamp>(look.stamp) : std::nullopt;
    const bool unchanged = target && as_placed(path, manifest_.at(path), *target);
    if (options_.dry_run) {
        if (unchanged) result_.removed.push_back(path);
        return;
    }
    manifest_.erase(path);
    dirty_ = true;
    if (!target) return;
    if (!unchanged)
        return result_.lines.push_back("kept " + shown(path) +
                                       ": changed since it was placed, so no longer this "
                                       "program's");
    std::error_code ec;
    fs::remove(place(path), ec);
    if (ec) {
        result_.ok = false;
        return result_.lines.push_back("cannot remove " + shown(path) + ": " + ec.message());
    }
    result_.removed.push_back(path);
}

void Syncer::prune(const std::set<std::string>& kept) {
    std::vector<std::string> left;
    for (const auto& [path, placed] : manifest_)
        if (!kept.count(path)) left.push_back(path);
    if (left.empty()) return;
    if (!options_.prune)
        return result_.lines.push_back(std::to_string(left.size()) +
                                       " files placed before are needed by no map given "
                                       "(--prune removes them)");
    for (const auto& path : left)
        remove(path);
}

void Syncer::finish() {
    if (options_.dry_run || !dirty_) return;
    const auto text = manifest_text(manifest_);
    // The record was read as this program's own, hidden or not.
    game::replace_whole_file(options_.dir / std::string(manifest_name), game::MemorySource(text),
                             analysis::os::Hidden::replaced);
}

std::string summary(const SyncResult& r, const SyncOptions& options) {
    const auto dir = analysis::utf8_of(options.dir);
    if (r.added.empty() && r.replaced.empty() && r.removed.empty())
        return dir + ": nothing to copy: " + std::to_string(r.unchanged.size()) +
               " files already in place" +
               (r.foreign.empty() ? "" : ", " + std::to_string(r.foreign.size()) + " kept");
    return dir + ": " + (options.dry_run ? "would add " : "added ") +
           std::to_string(r.added.size()) + ", replace" + (options.dry_run ? " " : "d ") +
           std::to_string(r.replaced.size()) + ", remove" + (options.dry_run ? " " : "d ") +
           std::to_string(r.removed.size()) + "; " + std::to_string(r.unchanged.size()) +
           " unchanged, " + std::to_string(r.foreign.size()) + " kept; " + std::to_string(r.bytes) +
           " bytes " + (options.dry_run ? "to write" : "written");
}

} // namespace

SyncResult sync_download_folder(const std::vector<MapRequests>& maps, const SyncOptions& options) {
    SyncResult result;
    Syncer syncer(options, result);
    std::map<std::string, const Request*> wanted;
    for (const auto& map : maps)
        for (const auto& file : map.files)
            wanted.emplace(file.sent, &file);
    if (!options.dry_run) fs::create_directories(options.dir);
    std::set<std::string> kept;
    for (const auto& [path, request] : wanted) {
        syncer.file(*request);
        kept.insert(path);
        if (options.gzip || !options.prune) kept.insert(path + ".gz");
    }
    syncer.prune(kept);
    syncer.finish();
    result.lines.push_back(summary(result, options));
    return result;
}

} // namespace tarnwick::server

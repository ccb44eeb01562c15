#include "game/collect.h"

#include "analysis/file_system.h"
#include "analysis/map_names.h"
#include "analysis/single_byte.h"
#include "game/file_source.h"
#include "game/formats/names.h"
#include "game/rules.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace tarnwick::game {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t chunk = 1 << 20;

// The bytes of a file to copy: one on the disk, or the .res made in memory.
struct Origin {
    std::string disk_path; // empty: `bytes`
    std::string_view bytes;
};

bool same_bytes(const ByteSource& a, const ByteSource& b) {
    if (a.size() != b.size()) return false;
    for (std::uint64_t at = 0; at < a.size(); at += chunk) {
        const auto n = std::min(chunk, a.size() - at);
        if (a.read(at, n) != b.read(at, n)) return false;
    }
    return true;
}

std::unique_ptr<ByteSource> open_origin(const Origin& origin) {
    if (origin.disk_path.empty()) return std::make_unique<MemorySource>(origin.bytes);
    return std::make_unique<FileSource>(origin.disk_path);
}

// A link among the folders of `relative` inside `into` would take the copy out of the
// download folder; `into` itself may be one.
void refuse_folder_links(const fs::path& into, const fs::path& relative) {
    auto at = into;
    for (auto part = relative.begin(); part != relative.end() && std::next(part) != relative.end();
         ++part) {
        at /= *part;
        std::error_code ec;
        if (fs::is_symlink(fs::symlink_status(at, ec)))
            throw std::runtime_error(analysis::utf8_of(at.lexically_relative(into)) +
                                     " is a link: nothing is written through it");
    }
}

class FileCopier {
public:
    FileCopier(const CollectTarget& target, CollectResult& result)
        : target_(target), result_(result) {}

    // Only what the clients would download goes into the folder, whatever named it.
    void put(const std::string& line, const Origin& origin) {
        const auto shown = analysis::single_byte_to_utf8(with_slashes(line));
        if (const auto refused = download_refusals(line); !refused.empty())
            return refuse(line, refused.front());
        const auto& target = target_;
        const auto to = target.into / analysis::to_path(shown);
        try {
            refuse_folder_links(target.into, analysis::to_path(shown));
            const auto from = open_origin(origin);
            std::error_code ec;
            if (fs::exists(to, ec)) {
                if (same_bytes(*from, FileSource(analysis::utf8_of(to))))
                    return add(CollectOutcome::already_there, shown);
                if (!target.replace || !target.replace(shown)) {
                    result_.ok = false;
                    return add(CollectOutcome::kept, shown);
                }
            }
            if (!target.dry_run) {
                fs::create_directories(to.parent_path());
                replace_whole_file(to, *from);
            }
            ++result_.copied;
            add(CollectOutcome::copied, shown);
        } catch (const std::exception& e) {
            result_.ok = false;
            add(CollectOutcome::failed, shown, e.what());
        }
    }

    void refuse(const std::string& line, const std::string& why) {
        result_.ok = false;
        add(CollectOutcome::refused, analysis::single_byte_to_utf8(with_slashes(line)), why);
    }

private:
    void add(CollectOutcome outcome, const std::string& path, std::string detail = {}) {
        result_.files.push_back({outcome, path, std::move(detail)});
    }

    const CollectTarget& target_;
    CollectResult& result_;
};

} // namespace

std::string collected_text(const Collected& file) {
    switch (file.outcome) {
    case CollectOutcome::copied:
        return "copied " + file.path;
    case CollectOutcome::already_there:
        return "already there: " + file.path;
    case CollectOutcome::kept:
        return "kept " + file.path + ": a different file is there";
    case CollectOutcome::refused:
        return "not copied " + file.path + ": " + file.detail;
    case CollectOutcome::failed:
        break;
    }
    return "cannot copy " + file.path + ": " + file.detail;
}

CollectResult collect(const GameFolder& game, const MapResolution& resolution,
                      const CollectRequest& request) {
    CollectResult result;
    FileCopier copier(request.target, result);
    const auto names = analysis::map_names_of_path(request.map_path);
    copier.put(names.map_line(), {request.map_path, {}});
    copier.put(names.res_line(), {{}, request.res_bytes});
    // Under the .res's spelling, so that the folder and the .res agree.
    NameSet done;
    for (const auto* outcome : selected(resolution, request.choice)) {
        const bool custom = present(outcome->status);
        const auto line = res_line(*outcome, request.choice);
        if (custom && done.insert(line)) copier.put(line, {game.disk_path(*outcome->place), {}});
    }
    for (const auto& outcome : request.named) {
        const auto line = res_line(outcome, request.choice);
        if (present(outcome.status) && done.insert(line))
            copier.put(line, {game.disk_path(*outcome.place), {}});
    }
    return result;
}

CollectResult collect_files(const std::vector<CollectFile>& files, const CollectTarget& target) {
    CollectResult result;
    FileCopier copier(target, result);
    for (const auto& file : files)
        if (file.refused.empty())
            copier.put(file.line, {file.disk_path, file.bytes});
        else
            copier.refuse(file.line, file.refused);
    return result;
}

} // namespace tarnwick::game

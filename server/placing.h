#pragma once

// The file work of a download folder: stamps, hashes, links in the way, and files written
// beside their place and renamed into it, so that a web server never sends half a file.

#include "server/manifest.h"
#include "server/os/files.h"

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>

namespace tarnwick::server {

using os::Look;
using os::look_at;

// The stamp of a plain file (never through a link); nothing when it is not one.
std::optional<Stamp> plain_file_stamp(const std::filesystem::path& path);

// The stamp to record: one too recent to tell a later change in the same tick of the
// file system's clock from no change gets a time no file has, so the next run reads the
// bytes.
Stamp settled(const Stamp& stamp);

// The CRC-32 of a file's bytes. Throws analysis::FileError.
std::uint32_t file_hash(const std::filesystem::path& path);

// The folders below a download folder, each looked at once a run: a file is never written
// below a link, or below something other than a folder where a folder must be. The folders
// are given as relative paths, '/' between parts (single-byte).
class Folders {
public:
    explicit Folders(std::filesystem::path dir) : dir_(std::move(dir)) {}
    // False when a part of `folder` is a link or no folder.
    bool clear(const std::string& folder);
    // Makes `folder` (found clear) where it is not there yet.
    void make(const std::string& folder);
    // True when `folder` was not there when first looked at: nothing but what this run
    // places is in it.
    bool absent(const std::string& folder) {
        const auto now = state(folder);
        return now == State::absent || now == State::made;
    }
    std::filesystem::path place(const std::string& relative) const;
    // `folder` (made), open to place files in, or no_handle; kept open until the next
    // folder is asked for, as a run places a folder's files one after another.
    analysis::os::Handle open(const std::string& folder);

    Folders(const Folders&) = delete;
    Folders& operator=(const Folders&) = delete;
    ~Folders();

private:
    enum class State { absent, present, made, blocked };
    State state(const std::string& folder);

    std::filesystem::path dir_;
    std::map<std::string, State> known_;
    std::string open_name_;
    analysis::os::Handle open_ = analysis::os::no_handle;
};

// The folder part of a relative path ('/' between parts); empty for a file at the top.
std::string folder_of(const std::string& relative);

struct Written {
    std::optional<Placed> file; // when the file was written
    std::optional<Placed> gz;   // when its .gz was written
    Stamp source;               // of the file copied, as it was read
};

// The source changed while it was copied: what was read is not what the server has.
class SourceChanged : public std::runtime_error {
public:
    SourceChanged() : std::runtime_error("the file changed while it was copied") {}
};

// Writes `source` to `to` (when `file`) and its gzip to `to`.gz (when `gzip`), each beside
// its place first, flushed, then (after `landing` is told what lands) renamed into it. The
// folder of `to` must be there. Throws SourceChanged, std::runtime_error (or
// analysis::FileError), and leaves neither half written.
// `folder` is the open folder of `to` (Folders::open), or no_handle.
Written place_file(const std::filesystem::path& source, const std::filesystem::path& to, bool file,
                   bool gzip, const std::function<void(const Written&)>& landing = {},
                   analysis::os::Handle folder = analysis::os::no_handle);

} // namespace tarnwick::server

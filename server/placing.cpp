#include "server/placing.h"

#include "analysis/file_system.h"
#include "analysis/replacement_file.h"
#include "analysis/single_byte.h"
#include "game/file_source.h"

#include <chrono>
#include <limits>
#include <stdexcept>
#include <utility>
#include <zlib.h>

namespace tarnwick::server {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t chunk = 1 << 20;
// Coarser than any file system's clock.
constexpr std::chrono::seconds racy_margin{2};
constexpr std::int64_t never = std::numeric_limits<std::int64_t>::min();

std::uint32_t add_hash(std::uint32_t hash, std::string_view bytes) {
    return static_cast<std::uint32_t>(
        crc32(hash, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

// A file written beside its place, with its size and hash counted as it is written.
class Beside {
public:
    Beside(const fs::path& to, analysis::os::Handle folder)
        : file_(to, {analysis::os::Hidden::replaced, true, false, folder}) {}

    void write(std::string_view bytes) {
        file_.write(bytes);
        placed_.hash = add_hash(placed_.hash, bytes);
        placed_.size += bytes.size();
    }
    // Flushed and closed: the stamp it keeps when renamed.
    void flush() { placed_.stamp = os::flush_and_stamp(file_); }
    analysis::ReplacementFile& file() { return file_; }
    const Placed& placed() const { return placed_; }

private:
    analysis::ReplacementFile file_;
    Placed placed_;
};

// The file copied, read as it is when opened: its stamp is of the bytes read.
class Reading {
public:
    explicit Reading(const fs::path& path) : path_(path) {
        try {
            file_ = os::open_stamped(path, stamp_);
        } catch (const analysis::FileError& e) {
            throw analysis::FileError("cannot read " + analysis::utf8_of(path) + ": " + e.what());
        }
    }
    ~Reading() { analysis::os::close_file(file_); }
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;

    const Stamp& stamp() const { return stamp_; }
    // Neither written to in place nor renamed over (an upload finished by renaming its
    // file in leaves the old one open here) since it was opened.
    bool unchanged() const { return os::still_as_opened(file_, path_, stamp_); }
    // The next bytes up to the size stamped; empty at the end (or when the file shrank).
    std::string_view next(std::string& buffer) {
        const auto want = std::min<std::uint64_t>(buffer.size(), stamp_.size - at_);
        const auto got =
            want == 0
                ? 0
                : analysis::os::read_some(file_, reinterpret_cast<unsigned char*>(buffer.data()),
                                          static_cast<std::size_t>(want));
        at_ += got;
        return {buffer.data(), got};
    }
    bool done() const { return at_ == stamp_.size; }

private:
    fs::path path_;
    analysis::os::Handle file_ = analysis::os::no_handle;
    Stamp stamp_;
    std::uint64_t at_ = 0;
};

// Gzip as a web server's precompressed copy: no name, no time, so the same bytes give
// the same file.
class Gzip {
public:
    explicit Gzip(Beside& out) : out_(out) {
        if (deflateInit2(&stream_, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8,
                         Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::runtime_error("cannot start gzip");
    }
    ~Gzip() { deflateEnd(&stream_); }
    void write(std::string_view bytes, bool last) {
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
        stream_.avail_in = static_cast<uInt>(bytes.size());
        char buffer[1 << 16];
        do {
            stream_.next_out = reinterpret_cast<Bytef*>(buffer);
            stream_.avail_out = sizeof buffer;
            deflate(&stream_, last ? Z_FINISH : Z_NO_FLUSH);
            out_.write({buffer, sizeof buffer - stream_.avail_out});
        } while (stream_.avail_out == 0);
    }

private:
    Beside& out_;
    z_stream stream_{};
};

} // namespace

std::optional<Stamp> plain_file_stamp(const fs::path& path) {
    const auto look = look_at(path);
    if (look.kind != Look::Kind::plain) return std::nullopt;
    return look.stamp;
}

Stamp settled(const Stamp& stamp) {
    const auto now = fs::file_time_type::clock::now().time_since_epoch();
    const auto margin = std::chrono::duration_cast<fs::file_time_type::duration>(racy_margin);
    if (stamp.time > (now - margin).count()) return {stamp.size, never};
    return stamp;
}

std::uint32_t file_hash(const fs::path& path) {
    const game::FileSource source(analysis::utf8_of(path));
    std::uint32_t hash = 0;
    for (std::uint64_t at = 0; at < source.size(); at += chunk)
        hash = add_hash(hash, source.read(at, std::min(chunk, source.size() - at)));
    return hash;
}

std::string folder_of(const std::string& relative) {
    const auto slash = relative.rfind('/');
    return slash == std::string::npos ? std::string() : relative.substr(0, slash);
}

fs::path Folders::place(const std::string& relative) const {
    return dir_ / analysis::to_path(analysis::single_byte_to_utf8(relative));
}

Folders::State Folders::state(const std::string& folder) {
    if (folder.empty()) return State::present;
    if (const auto found = known_.find(folder); found != known_.end()) return found->second;
    auto state = this->state(folder_of(folder));
    if (state == State::present || state == State::made) {
        switch (look_at(place(folder)).kind) {
        case Look::Kind::nothing:
            state = State::absent;
            break;
        case Look::Kind::folder:
            state = State::present;
            break;
        default:
            state = State::blocked;
        }
    }
    return known_[folder] = state;
}

bool Folders::clear(const std::string& folder) {
    return state(folder) != State::blocked;
}

void Folders::make(const std::string& folder) {
    if (state(folder) != State::absent) return;
    fs::create_directories(place(folder));
    for (auto part = folder; !part.empty() && known_[part] == State::absent; part = folder_of(part))
        known_[part] = State::made;
}

analysis::os::Handle Folders::open(const std::string& folder) {
    if (open_ != analysis::os::no_handle && open_name_ == folder) return open_;
    if (open_ != analysis::os::no_handle) analysis::os::close_file(open_);
    open_name_ = folder;
    return open_ = analysis::os::open_folder(place(folder));
}

Folders::~Folders() {
    if (open_ != analysis::os::no_handle) analysis::os::close_file(open_);
}

Written place_file(const fs::path& source, const fs::path& to, bool file, bool gzip,
                   const std::function<void(const Written&)>& landing,
                   analysis::os::Handle folder) {
    Reading from(source);
    std::optional<Beside> plain, packed;
    std::optional<Gzip> zip;
    if (file) plain.emplace(to, folder);
    if (gzip) zip.emplace(packed.emplace(fs::path(to) += ".gz", folder));
    std::string buffer(std::min(chunk, from.stamp().size), '\0');
    bool last = false;
    do {
        const auto bytes = from.next(buffer);
        last = bytes.empty() || from.done();
        if (plain) plain->write(bytes);
        if (zip) zip->write(bytes, last);
    } while (!last);
    // A file still being uploaded, or rewritten, is not the one the server will have.
    if (!from.done() || !from.unchanged()) throw SourceChanged();
    Written written;
    written.source = from.stamp();
    for (auto* beside : {plain ? &*plain : nullptr, packed ? &*packed : nullptr})
        if (beside) beside->flush();
    if (plain) written.file = plain->placed();
    if (packed) written.gz = packed->placed();
    if (landing) landing(written);
    if (plain && packed)
        analysis::commit_with_gzip(plain->file(), packed->file());
    else
        (plain ? plain : packed)->file().commit();
    return written;
}

} // namespace tarnwick::server

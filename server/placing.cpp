#include "server/placing.h"

#include "analysis/file_system.h"
#include "game/file_source.h"

#include <chrono>
#include <fstream>
#include <limits>
#include <stdexcept>
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

// A file written beside its place: removed unless it is put in place.
class Beside {
public:
    explicit Beside(const fs::path& to) : to_(to), temp_(to.parent_path() / ".") {
        temp_ += to.filename().native();
        temp_ += ".part";
        std::error_code ec;
        fs::remove(temp_, ec); // a link planted there is removed, never followed
        out_.open(temp_, std::ios::binary | std::ios::trunc);
        if (!out_) throw std::runtime_error("cannot write beside " + analysis::utf8_of(to));
    }
    ~Beside() {
        if (!done_) {
            out_.close();
            std::error_code ec;
            fs::remove(temp_, ec);
        }
    }
    void write(std::string_view bytes) {
        out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        placed_.hash = add_hash(placed_.hash, bytes);
        placed_.size += bytes.size();
    }
    Placed put_in_place() {
        out_.close();
        if (!out_) throw std::runtime_error("cannot write " + analysis::utf8_of(to_));
        fs::rename(temp_, to_);
        done_ = true;
        if (const auto stamp = plain_file_stamp(to_)) placed_.stamp = *stamp;
        return placed_;
    }

private:
    fs::path to_, temp_;
    std::ofstream out_;
    Placed placed_;
    bool done_ = false;
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
    std::error_code ec;
    const auto status = fs::symlink_status(path, ec);
    if (ec || !fs::is_regular_file(status)) return std::nullopt;
    const auto size = fs::file_size(path, ec);
    const auto time = fs::last_write_time(path, ec);
    if (ec) return std::nullopt;
    return Stamp{size, static_cast<std::int64_t>(time.time_since_epoch().count())};
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

bool link_in_the_way(const fs::path& dir, const std::string& relative) {
    auto at = dir;
    const auto parts = analysis::to_path(relative);
    for (auto part = parts.begin(); part != parts.end(); ++part) {
        at /= *part;
        std::error_code ec;
        const auto status = fs::symlink_status(at, ec);
        if (fs::is_symlink(status)) return true;
        const bool last = std::next(part) == parts.end();
        if (!last && fs::exists(status) && !fs::is_directory(status)) return true;
    }
    return false;
}

Written place_file(const fs::path& source, const fs::path& to, bool file, bool gzip) {
    const game::FileSource from(analysis::utf8_of(source));
    fs::create_directories(to.parent_path());
    std::optional<Beside> plain, packed;
    std::optional<Gzip> zip;
    if (file) plain.emplace(to);
    if (gzip) zip.emplace(packed.emplace(fs::path(to) += ".gz"));
    std::uint64_t at = 0;
    do {
        const auto bytes = from.read(at, std::min(chunk, from.size() - at));
        at += bytes.size();
        if (plain) plain->write(bytes);
        if (zip) zip->write(bytes, at == from.size());
    } while (at < from.size());
    Written written;
    // The .gz first: a web server that prefers it never pairs a new file with an old one.
    if (packed) written.gz = packed->put_in_place();
    if (plain) written.file = plain->put_in_place();
    return written;
}

} // namespace tarnwick::server

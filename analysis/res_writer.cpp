// The resource file writer. The file is written beside the destination under a
// temporary name, flushed to disk and closed, and only then renamed over the
// destination, so a failure at any point leaves the old file as it was.

#include "analysis/file_system.h"
#include "analysis/module1.h"
#include "analysis/single_byte.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace tarnwick::analysis {
namespace {

constexpr std::string_view line_end = "\r\n";

std::string resource_text(const std::string& utf8, const char* what) {
    auto bytes = utf8_to_single_byte(utf8);
    if (!bytes)
        throw ResWriteError(std::string(what) + " has characters that a resource file cannot hold");
    return *bytes;
}

std::string system_reason() {
    return std::strerror(errno);
}

// A file that is removed again unless it is committed.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::filesystem::path& beside) {
        std::random_device seed;
        for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
            // Hidden, so that a file left by a crash does not look like a resource file.
            std::filesystem::path name(".");
            name += beside.filename();
            name += ".tmp-" + std::to_string(seed() % 1000000000u);
            path_ = beside.parent_path() / name;
#ifdef _WIN32
            fd_ = _wopen(path_.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, 0666);
#else
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
            if (fd_ < 0 && errno != EEXIST) break;
        }
        if (fd_ < 0) throw ResWriteError("cannot create a file there: " + system_reason());
    }

    ~TemporaryFile() {
        close();
        if (!committed_) {
            std::error_code ignored;
            std::filesystem::remove(path_, ignored);
        }
    }

    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(std::string_view bytes) {
        while (!bytes.empty()) {
#ifdef _WIN32
            const auto done = _write(fd_, bytes.data(), static_cast<unsigned>(bytes.size()));
#else
            const auto done = ::write(fd_, bytes.data(), bytes.size());
#endif
            if (done < 0 && errno == EINTR) continue;
            if (done <= 0) throw ResWriteError("cannot write: " + system_reason());
            bytes.remove_prefix(static_cast<std::size_t>(done));
        }
    }

    // Flushes to disk, closes and renames over `destination`.
    void commit(const std::filesystem::path& destination) {
#ifdef _WIN32
        if (_commit(fd_) != 0) throw ResWriteError("cannot flush: " + system_reason());
#else
        if (::fsync(fd_) != 0) throw ResWriteError("cannot flush: " + system_reason());
#endif
        if (!close()) throw ResWriteError("cannot close: " + system_reason());
        std::error_code ec;
        std::filesystem::rename(path_, destination, ec);
        if (ec) throw ResWriteError("cannot replace the file: " + ec.message());
        committed_ = true;
    }

    const std::filesystem::path& path() const {
        return path_;
    }

private:
    bool close() {
        if (fd_ < 0) return true;
#ifdef _WIN32
        const int result = _close(fd_);
#else
        const int result = ::close(fd_);
#endif
        fd_ = -1;
        return result == 0;
    }

    std::filesystem::path path_;
    int fd_ = -1;
    bool committed_ = false;
};

// A resource file reached through a link is replaced where it really lies, and a file
// that is replaced keeps its permissions.
std::filesystem::path real_destination(const std::filesystem::path& destination) {
    std::error_code ec;
    if (std::filesystem::is_symlink(destination, ec)) {
        auto target = std::filesystem::canonical(destination, ec);
        if (!ec) return target;
    }
    return destination;
}

void keep_permissions(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code ec;
    const auto status = std::filesystem::status(from, ec);
    if (!ec && std::filesystem::exists(status))
        std::filesystem::permissions(to, status.permissions(), ec);
}

} // namespace

std::string res_path_for(const std::string& map_path) {
    if (char_count(map_path) < 4) return {};
    return drop_last_chars(map_path, 4) + ".res";
}

std::string format_res_file(const std::vector<std::string>& entries, const std::string& map_name) {
    if (char_count(map_name) < 4)
        throw ResWriteError("the map name is shorter than four characters");
    const auto name = resource_text(map_name, "the map name");
    std::string out;
    std::size_t size = 2 * (name.size() + 10);
    for (const auto& e : entries)
        size += e.size() + line_end.size();
    out.reserve(size);
    out.append("maps/").append(name).append(line_end);
    out.append("maps/").append(name, 0, name.size() - 4).append(".res").append(line_end);
    for (const auto& e : entries)
        out.append(e).append(line_end);
    return out;
}

WriteResult write_res_file(const std::vector<std::string>& entries, const std::string& map_path) {
    WriteResult result;
    result.destination = res_path_for(map_path);
    try {
        if (result.destination.empty())
            throw ResWriteError("the map path is shorter than four characters");
        const auto contents = format_res_file(entries, current_map_name);
        const auto destination = real_destination(to_path(result.destination));
        std::error_code ec;
        if (std::filesystem::is_directory(destination, ec))
            throw ResWriteError("a folder of that name is in the way");
        TemporaryFile file(destination);
        file.write(contents);
        keep_permissions(destination, file.path());
        file.commit(destination);
        result.ok = true;
    } catch (const std::exception& e) {
        result.reason = e.what();
    }
    return result;
}

} // namespace tarnwick::analysis

#include "analysis/block_reader.h"

#include "analysis/file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#define TW_READ _read
#define TW_CLOSE _close
#else
#include <unistd.h>
#define TW_READ ::read
#define TW_CLOSE ::close
#endif

namespace tarnwick::analysis {
namespace {

std::string system_reason() {
    return std::strerror(errno);
}

int open_ordinary_file(const std::string& path) {
#ifdef _WIN32
    const int fd = _wopen(to_path(path).c_str(), _O_RDONLY | _O_BINARY);
#else
    // Non-blocking, so that opening a pipe that nobody writes returns at once.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
#endif
    if (fd < 0) throw ReadError("cannot open: " + system_reason());
    struct stat info {};
    if (fstat(fd, &info) != 0 || (info.st_mode & S_IFMT) != S_IFREG) {
        TW_CLOSE(fd);
        throw ReadError("not an ordinary file");
    }
#ifndef _WIN32
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
#endif
    return fd;
}

// A whole number of blocks: the last block, padded with spaces to its full length, must
// fit behind the data wherever the file ends.
std::size_t whole_blocks(std::size_t size) {
    const auto blocks = (std::max(size, BlockReader::block_size) + BlockReader::block_size - 1) /
                        BlockReader::block_size;
    return blocks * BlockReader::block_size;
}

} // namespace

BlockReader::BlockReader(const std::string& path, std::size_t chunk_size)
    : capacity_(block_size + whole_blocks(chunk_size)), data_(new unsigned char[capacity_]),
      pos_(block_size), end_(block_size) {
    fd_ = open_ordinary_file(path);
    std::memset(data_.get(), ' ', block_size);
}

BlockReader::~BlockReader() {
    if (fd_ >= 0) TW_CLOSE(fd_);
}

const unsigned char* BlockReader::next_block() {
    if (last_) throw std::logic_error("read past the last block");
    if (started_) pos_ += block_size;
    started_ = true;
    if (end_ - pos_ < block_size && !eof_) refill();
    if (end_ - pos_ < block_size) {
        std::memset(data_.get() + end_, ' ', pos_ + block_size - end_);
        end_ = pos_ + block_size;
        last_ = true;
    }
    return data_.get() + pos_;
}

// Keeps the previous block and the unread rest at the front, then reads as much as fits.
void BlockReader::refill() {
    const std::size_t keep_from = pos_ - block_size;
    std::memmove(data_.get(), data_.get() + keep_from, end_ - keep_from);
    end_ -= keep_from;
    pos_ = block_size;
    while (end_ < capacity_) {
        const auto want = static_cast<unsigned>(capacity_ - end_);
        const auto got = TW_READ(fd_, data_.get() + end_, want);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw ReadError("read failed: " + system_reason());
        }
        if (got == 0) {
            eof_ = true;
            break;
        }
        end_ += static_cast<std::size_t>(got);
    }
}

} // namespace tarnwick::analysis

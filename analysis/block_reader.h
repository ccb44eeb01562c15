#pragma once

#include "analysis/os/files.h"

#include <cstddef>
#include <memory>
#include <string>

namespace tarnwick::analysis {

using ReadError = FileError;

// Hands out a file as 1024-byte blocks, reading it in large chunks. The block before
// the current one stays in memory right in front of it, so the two form one window.
class BlockReader {
public:
    static constexpr std::size_t block_size = 1024;

    // Opens an ordinary file; throws ReadError for anything else (a pipe never blocks).
    // The chunk size is rounded up to whole blocks.
    explicit BlockReader(const std::string& path, std::size_t chunk_size = 256 << 10);
    ~BlockReader();
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    // Moves to the next block and returns its first byte; the previous block is the
    // block_size bytes before it. A block that the file could not fill is padded with
    // spaces and is the last one.
    const unsigned char* next_block();
    bool last() const { return last_; }

private:
    void refill();

    os::Handle file_ = os::no_handle;
    std::size_t capacity_;
    std::unique_ptr<unsigned char[]> data_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;
    bool last_ = false;
    bool started_ = false;
};

} // namespace tarnwick::analysis

#include "analysis/block_reader.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tarnwick::analysis {
namespace {

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
    file_ = os::open_for_reading(path);
    std::memset(data_.get(), ' ', block_size);
}

BlockReader::~BlockReader() {
    os::close_file(file_);
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
        const auto got = os::read_some(file_, data_.get() + end_, capacity_ - end_);
        if (got == 0) {
            eof_ = true;
            break;
        }
        end_ += got;
    }
}

} // namespace tarnwick::analysis

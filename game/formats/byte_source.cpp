#include "game/formats/byte_source.h"

#include <cstring>

namespace tarnwick::game {

std::string ByteSource::read(std::uint64_t offset, std::uint64_t length) const {
    const auto total = size();
    if (offset > total || length > total - offset)
        damaged(offset, "needs " + std::to_string(length) + " bytes, the file has " +
                            std::to_string(total));
    if (length > max_read) damaged(offset, "a stretch of " + std::to_string(length) + " bytes");
    return read_inside(offset, static_cast<std::size_t>(length));
}

std::string MemorySource::read_inside(std::uint64_t offset, std::size_t length) const {
    return std::string(bytes_.substr(static_cast<std::size_t>(offset), length));
}

void damaged(std::uint64_t offset, const std::string& what) {
    throw FormatError("damaged at offset " + std::to_string(offset) + ": " + what);
}

std::int32_t int32_at(std::string_view block, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(block.at(at + static_cast<std::size_t>(i)));
    return static_cast<std::int32_t>(v);
}

std::string name_at(std::string_view block, std::size_t at, std::size_t field_size) {
    const auto field = block.substr(at, field_size);
    return std::string(field.substr(0, field.find('\0')));
}

std::string read_table(const ByteSource& source, std::int64_t offset, std::int64_t count,
                       std::size_t record_size, const char* what) {
    if (offset < 0) damaged(0, std::string(what) + " at a negative offset");
    if (count < 0)
        damaged(static_cast<std::uint64_t>(offset), std::string("a negative count of ") + what);
    return source.read(static_cast<std::uint64_t>(offset),
                       static_cast<std::uint64_t>(count) * record_size);
}

} // namespace tarnwick::game

#include "game/file_source.h"

#include "analysis/replacement_file.h"

#include <algorithm>

namespace tarnwick::game {

namespace os = analysis::os;

FileSource::FileSource(const std::string& utf8_path) : file_(os::open_for_reading(utf8_path)) {
    try {
        length_ = os::size_of(file_);
    } catch (...) {
        os::close_file(file_);
        throw;
    }
}

FileSource::FileSource(const std::string& utf8_path, std::uint64_t base, std::uint64_t length)
    : FileSource(utf8_path) {
    // The object is complete once the delegated constructor returns: the destructor closes.
    if (base > length_ || length > length_ - base)
        damaged(base, "a stretch past the end of the file");
    base_ = base;
    length_ = length;
}

FileSource::~FileSource() {
    os::close_file(file_);
}

std::string FileSource::read_inside(std::uint64_t offset, std::size_t length) const {
    os::seek_to(file_, base_ + offset);
    std::string bytes(length, '\0');
    std::size_t got = 0;
    while (got < length) {
        const auto n = os::read_some(file_, reinterpret_cast<unsigned char*>(bytes.data()) + got,
                                     length - got);
        if (n == 0) damaged(offset + got, "the file ended early");
        got += n;
    }
    return bytes;
}

std::string read_small_file(const ByteSource& source, std::uint64_t limit) {
    if (source.size() > limit) throw FormatError("larger than " + std::to_string(limit) + " bytes");
    return source.read(0, source.size());
}

void replace_whole_file(const std::filesystem::path& to, const ByteSource& from,
                        analysis::os::Hidden hidden) {
    constexpr std::uint64_t chunk = 1 << 20;
    analysis::ReplacementFile file(to, {hidden});
    for (std::uint64_t at = 0; at < from.size(); at += chunk)
        file.write(from.read(at, std::min(chunk, from.size() - at)));
    file.commit();
}

} // namespace tarnwick::game

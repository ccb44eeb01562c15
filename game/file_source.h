#pragma once

#include "analysis/os/files.h"
#include "game/formats/byte_source.h"

#include <filesystem>
#include <string>

namespace tarnwick::game {

// A file on the disk, or the stretch of it from `base` of `length` bytes (a file inside a
// pack file), read through the analysis library's file services. Throws
// analysis::FileError when the file cannot be opened.
class FileSource final : public ByteSource {
public:
    explicit FileSource(const std::string& utf8_path);
    FileSource(const std::string& utf8_path, std::uint64_t base, std::uint64_t length);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::uint64_t size() const override { return length_; }

private:
    std::string read_inside(std::uint64_t offset, std::size_t length) const override;

    analysis::os::Handle file_;
    std::uint64_t base_ = 0;
    std::uint64_t length_ = 0;
};

// The whole of a small text file (liblist.gam, a detail file, a stock list); a file of more
// than `limit` bytes is refused with a FormatError.
std::string read_small_file(const ByteSource& source, std::uint64_t limit = 1u << 20);

// Writes the bytes of `from` to `to` as the .res writer does (analysis/replacement_file.h):
// beside it first, then put in its place in one step with the permissions of the file it
// replaces, so that `to` is never half a file. Throws analysis::FileError, ReplaceError
// or FormatError.
void replace_whole_file(const std::filesystem::path& to, const ByteSource& from,
                        analysis::os::Hidden hidden = analysis::os::Hidden::refused);

} // namespace tarnwick::game

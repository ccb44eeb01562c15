#pragma once

// A file replaced in one step: the new bytes go to a hidden file beside the destination,
// which is flushed to disk, closed, given the permissions of the file it replaces and only
// then put in its place. A failure at any point leaves the old file as it was, and the
// file beside it is removed again.

#include "analysis/os/files.h"

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace tarnwick::analysis {

class ReplaceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ReplacementFile {
public:
    // Throws ReplaceError when no file can be made beside `destination`.
    explicit ReplacementFile(const std::filesystem::path& destination,
                             os::Hidden hidden = os::Hidden::refused);
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Throws analysis::FileError.
    void write(std::string_view bytes);
    // Flushes, closes and puts the file in the destination's place. Throws FileError.
    void commit();

private:
    std::filesystem::path destination_;
    std::filesystem::path path_;
    os::Hidden hidden_;
    os::Handle file_ = os::no_handle;
    bool committed_ = false;
};

} // namespace tarnwick::analysis

#pragma once

// The one way the program puts a file in place: the new bytes go to a hidden file beside
// the destination under a name of its own, which is flushed to disk, closed, given the
// permissions of the file it replaces and only then renamed into its place. A failure at
// any point leaves the old file as it was, and the file beside it is removed again. The
// rename never goes through a link: a link at the destination is replaced itself.

#include "analysis/os/files.h"

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string_view>

namespace tarnwick::analysis {

class ReplaceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The steps of putting a file in place, where a run may be stopped.
enum class WriteStep { create, write, flush, rename };

// Called before each step with the file's destination; what it throws comes out of the
// step. Lets tests stop a run, or fail it as a full disk would, at any step; unset, it is
// never called.
using WriteFault = std::function<void(WriteStep, const std::filesystem::path&)>;
void set_write_fault(WriteFault fault);

struct ReplaceOptions {
    os::Hidden hidden = os::Hidden::refused;
    // The caller holds the folder's lock: the file beside gets the fixed name .NAME.part,
    // and one left there by a run that was stopped is removed (never followed).
    bool folder_held = false;
    // The new file gets the permissions of the one it replaces; else the system's default
    // for a new file (a public site's files are readable whatever was there before).
    bool same_permissions = true;
    // The destination's folder, open (os::open_folder), or no_handle; the caller keeps it
    // open until the file is committed.
    os::Handle folder = os::no_handle;
};

class ReplacementFile {
public:
    // Throws ReplaceError when no file can be made beside `destination`.
    explicit ReplacementFile(const std::filesystem::path& destination, ReplaceOptions options = {});
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Throws analysis::FileError.
    void write(std::string_view bytes);
    // Flushes the bytes to the disk and closes the file (commit does it when it was not
    // done); `while_open` may look at the file in between. Throws FileError.
    void flush(const std::function<void(os::Handle)>& while_open = {});
    // Where the bytes are until commit.
    const std::filesystem::path& part() const { return path_; }
    const std::filesystem::path& destination() const { return destination_; }
    bool committed() const { return committed_; }
    // Puts the file in the destination's place. Throws FileError or ReplaceError.
    void commit();

private:
    void open_fixed();
    void open_free();

    std::filesystem::path destination_;
    std::filesystem::path path_;
    ReplaceOptions options_;
    os::Handle file_ = os::no_handle;
    bool flushed_ = false;
    bool committed_ = false;
};

// Puts a file and its .gz in place together, the .gz first: a web server that sends the
// .gz in place of its file never pairs a new file with an old .gz. Both or neither: when
// the file cannot be put in place, the new .gz is taken away again (and the old file is
// sent plain, as it is). Throws as commit does.
void commit_with_gzip(ReplacementFile& file, ReplacementFile& gz);

} // namespace tarnwick::analysis

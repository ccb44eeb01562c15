#include "analysis/replacement_file.h"

#include <random>
#include <utility>

namespace tarnwick::analysis {
namespace {

WriteFault& write_fault() {
    static WriteFault fault;
    return fault;
}

void before(WriteStep step, const std::filesystem::path& destination) {
    if (const auto& fault = write_fault()) fault(step, destination);
}

// Hidden (by the dot, or by create_new on Windows), so that a file left by a crash does
// not look like the file it was to replace.
std::filesystem::path beside(const std::filesystem::path& destination, const std::string& tail) {
    std::filesystem::path name(".");
    name += destination.filename();
    name += tail;
    return destination.parent_path() / name;
}

} // namespace

void set_write_fault(WriteFault fault) {
    write_fault() = std::move(fault);
}

ReplacementFile::ReplacementFile(const std::filesystem::path& destination, ReplaceOptions options)
    : destination_(destination), options_(options) {
    before(WriteStep::create, destination_);
    if (options_.folder_held)
        open_fixed();
    else
        open_free();
}

void ReplacementFile::open_fixed() {
    path_ = beside(destination_, ".part");
    file_ = os::create_new(path_, options_.folder);
    if (file_ != os::no_handle) return;
    // Left by a run that was stopped: only the holder of the folder's lock writes it.
    os::remove_file(path_);
    file_ = os::create_new(path_, options_.folder);
    if (file_ == os::no_handle) throw ReplaceError("cannot write beside it");
}

void ReplacementFile::open_free() {
    std::random_device seed;
    for (int attempt = 0; attempt < 16 && file_ == os::no_handle; ++attempt) {
        path_ = beside(destination_, ".tmp-" + std::to_string(seed() % 1000000000u));
        file_ = os::create_new(path_);
    }
    if (file_ == os::no_handle) throw ReplaceError("cannot find a free temporary name");
}

ReplacementFile::~ReplacementFile() {
    if (file_ != os::no_handle) os::close_file(file_);
    if (!committed_) os::remove_file(path_);
}

void ReplacementFile::write(std::string_view bytes) {
    before(WriteStep::write, destination_);
    os::write_all(file_, bytes);
}

void ReplacementFile::flush(const std::function<void(os::Handle)>& while_open) {
    if (flushed_) return;
    before(WriteStep::flush, destination_);
    os::flush_and_close(std::exchange(file_, os::no_handle), while_open);
    flushed_ = true;
}

// Asked again just before the rename: nothing is ever renamed over a special file. Where
// nothing is there, the system's refusal to replace anything says so in the same step.
void ReplacementFile::commit() {
    flush();
    before(WriteStep::rename, destination_);
    if (os::place_new(path_, destination_, options_.folder)) {
        committed_ = true;
        return;
    }
    if (const auto why = os::why_not_replaceable(destination_, options_.hidden); !why.empty())
        throw ReplaceError(why);
    if (options_.same_permissions) os::copy_permissions(destination_, path_);
    os::replace(path_, destination_);
    committed_ = true;
}

void commit_with_gzip(ReplacementFile& file, ReplacementFile& gz) {
    file.flush();
    gz.commit();
    try {
        file.commit();
    } catch (...) {
        os::remove_file(gz.destination());
        throw;
    }
}

} // namespace tarnwick::analysis

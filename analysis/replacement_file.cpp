#include "analysis/replacement_file.h"

#include <random>
#include <utility>

namespace tarnwick::analysis {

ReplacementFile::ReplacementFile(const std::filesystem::path& destination, os::Hidden hidden)
    : destination_(destination), hidden_(hidden) {
    std::random_device seed;
    for (int attempt = 0; attempt < 16 && file_ == os::no_handle; ++attempt) {
        // Hidden (by the dot, or by create_new on Windows), so that a file left by a
        // crash does not look like the file it was to replace.
        std::filesystem::path name(".");
        name += destination.filename();
        name += ".tmp-" + std::to_string(seed() % 1000000000u);
        path_ = destination.parent_path() / name;
        file_ = os::create_new(path_);
    }
    if (file_ == os::no_handle) throw ReplaceError("cannot find a free temporary name");
}

ReplacementFile::~ReplacementFile() {
    if (file_ != os::no_handle) os::close_file(file_);
    if (!committed_) os::remove_file(path_);
}

void ReplacementFile::write(std::string_view bytes) {
    os::write_all(file_, bytes);
}

// Asked again just before the rename: nothing is ever renamed over a special file.
void ReplacementFile::commit() {
    const auto file = std::exchange(file_, os::no_handle);
    os::flush_and_close(file);
    if (const auto why = os::why_not_replaceable(destination_, hidden_); !why.empty())
        throw ReplaceError(why);
    os::copy_permissions(destination_, path_);
    os::replace(path_, destination_);
    committed_ = true;
}

} // namespace tarnwick::analysis

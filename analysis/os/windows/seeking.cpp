#include "analysis/os/files.h"
#include "analysis/os/windows/common.h"

namespace tarnwick::analysis::os {

std::uint64_t size_of(Handle file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle_of(file), &size))
        throw FileError("cannot see the file's size: " + last_error_text());
    return static_cast<std::uint64_t>(size.QuadPart);
}

void seek_to(Handle file, std::uint64_t offset) {
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(handle_of(file), to, nullptr, FILE_BEGIN))
        throw FileError("cannot seek: " + last_error_text());
}

} // namespace tarnwick::analysis::os

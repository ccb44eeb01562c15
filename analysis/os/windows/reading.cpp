#include "analysis/file_system.h"
#include "analysis/os/files.h"
#include "analysis/os/windows/common.h"

#include <algorithm>

namespace tarnwick::analysis::os {

Handle open_for_reading(const std::string& path) {
    // Others may go on reading, writing or renaming the map meanwhile, as with any viewer.
    const HANDLE file = CreateFileW(to_path(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw FileError("cannot open: " + last_error_text());
    if (!ordinary_file_attributes(file)) {
        CloseHandle(file);
        throw FileError("not an ordinary file");
    }
    return reinterpret_cast<Handle>(file);
}

std::size_t read_some(Handle file, unsigned char* into, std::size_t size) {
    const auto want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(handle_of(file), into, want, &got, nullptr))
        throw FileError("read failed: " + last_error_text());
    return got;
}

void close_file(Handle file) noexcept {
    CloseHandle(handle_of(file));
}

} // namespace tarnwick::analysis::os

#include "analysis/os/files.h"
#include "analysis/os/windows/common.h"

#include <algorithm>

namespace tarnwick::analysis::os {

// The new file is hidden while it is written, so that one left behind by a crash does
// not look like a resource file; replace() shows it again.
Handle create_new(const std::filesystem::path& path, Handle) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file != INVALID_HANDLE_VALUE) return reinterpret_cast<Handle>(file);
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return no_handle;
    throw FileError("cannot create a file there: " + last_error_text());
}

// Binary writes: the bytes reach the file as they are, so "\r\n" stays two bytes.
void write_all(Handle file, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD done = 0;
        if (!WriteFile(handle_of(file), bytes.data(), want, &done, nullptr) || done == 0)
            throw FileError("cannot write: " + last_error_text());
        bytes.remove_prefix(done);
    }
}

void flush_and_close(Handle file, const std::function<void(Handle)>& while_open) {
    if (!FlushFileBuffers(handle_of(file))) {
        const auto why = last_error_text();
        CloseHandle(handle_of(file));
        throw FileError("cannot flush: " + why);
    }
    if (while_open) {
        try {
            while_open(file);
        } catch (...) {
            CloseHandle(handle_of(file));
            throw;
        }
    }
    if (!CloseHandle(handle_of(file))) throw FileError("cannot close: " + last_error_text());
}

// A Windows file carries no permissions of its own beyond its attributes, and a file
// that is read-only, a system file or hidden (unless the program's own) is never replaced
// (why_not_replaceable).
void copy_permissions(const std::filesystem::path&, const std::filesystem::path&) noexcept {}

void replace(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (!SetFileAttributesW(from.c_str(), FILE_ATTRIBUTE_NORMAL) ||
        !MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw FileError("cannot replace the file: " + last_error_text());
}

// Shown first, as replace() does; without MOVEFILE_REPLACE_EXISTING the move fails when
// anything is there.
// The paths are used whole: no folder is kept open (it would keep others from renaming it).
Handle open_folder(const std::filesystem::path&) noexcept {
    return no_handle;
}

bool place_new(const std::filesystem::path& from, const std::filesystem::path& to,
               Handle) noexcept {
    return SetFileAttributesW(from.c_str(), FILE_ATTRIBUTE_NORMAL) &&
           MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH);
}

void remove_file(const std::filesystem::path& path) noexcept {
    DeleteFileW(path.c_str());
}

} // namespace tarnwick::analysis::os

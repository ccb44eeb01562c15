#include "analysis/file_system.h"
#include "analysis/os/files.h"
#include "analysis/os/windows/common.h"

namespace tarnwick::analysis {

// Asked of an open handle, because a device name such as "NUL" or "CON" has the
// attributes of a file. Opened for no access, so a file that another program has locked
// is still seen.
bool plain_file_exists(const std::string& path) {
    const HANDLE file = CreateFileW(to_path(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const auto attributes = os::ordinary_file_attributes(file);
    CloseHandle(file);
    return attributes && !(*attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

bool name_taken(const std::string& path) {
    return GetFileAttributesW(to_path(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Windows itself refuses to overwrite a read-only file, and a hidden or system file is
// one that plain_file_exists does not see, so the user was never asked about replacing it.
std::string os::why_not_replaceable(const std::filesystem::path& destination, Hidden hidden) {
    const DWORD attributes = GetFileAttributesW(destination.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return {};
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "a folder of that name is in the way";
    if (attributes & FILE_ATTRIBUTE_READONLY) return "the existing file is read-only";
    const DWORD refused =
        FILE_ATTRIBUTE_SYSTEM | (hidden == Hidden::refused ? FILE_ATTRIBUTE_HIDDEN : DWORD{0});
    if (attributes & refused) return "a hidden or system file of that name is in the way";
    return {};
}

} // namespace tarnwick::analysis

#include "analysis/os/windows/common.h"
#include "server/os/files.h"

#include <charconv>
#include <string>
#include <utility>

namespace tarnwick::server::os {
namespace {

using analysis::os::handle_of;
using analysis::os::last_error_text;

constexpr DWORD retry_ms = 200;

// Opened for writing and shared for reading only: a second run cannot open it to write,
// but can read who holds it. The system lets go when the process ends.
HANDLE open_held(const std::filesystem::path& path) {
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

std::uint64_t holder_of(const std::filesystem::path& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    char text[32] = {};
    DWORD got = 0;
    ReadFile(file, text, sizeof text - 1, &got, nullptr);
    CloseHandle(file);
    std::uint64_t process = 0;
    std::from_chars(text, text + got, process);
    return process;
}

} // namespace

Handle lock_file(const std::filesystem::path& path, bool wait, std::uint64_t& holder,
                 const std::atomic<int>* stop) {
    HANDLE file = open_held(path);
    while (file == INVALID_HANDLE_VALUE) {
        if (stop && *stop) return analysis::os::no_handle;
        if (GetLastError() != ERROR_SHARING_VIOLATION)
            throw analysis::FileError("cannot open the lock file: " + last_error_text());
        if (!wait) {
            holder = holder_of(path);
            return analysis::os::no_handle;
        }
        // The system offers no wait on another process's sharing: asked again.
        Sleep(retry_ms);
        file = open_held(path);
    }
    const auto self = std::to_string(GetCurrentProcessId()) + "\n";
    DWORD done = 0;
    SetEndOfFile(file);
    WriteFile(file, self.data(), static_cast<DWORD>(self.size()), &done, nullptr);
    return reinterpret_cast<Handle>(file);
}

// Held open without sharing, the lock file can be neither removed nor replaced.
LockWatch::LockWatch(Handle lock, std::filesystem::path path)
    : path_(std::move(path)), lock_(lock) {}

bool LockWatch::held() const noexcept {
    return true;
}

bool LockWatch::named() const noexcept {
    return true;
}

void unlock_file(Handle file) noexcept {
    CloseHandle(handle_of(file));
}

Handle open_to_append(const std::filesystem::path& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), FILE_APPEND_DATA | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw analysis::FileError("cannot open: " + last_error_text());
    LARGE_INTEGER end{};
    SetFilePointerEx(file, end, nullptr, FILE_END);
    return reinterpret_cast<Handle>(file);
}

bool cut_to(Handle file, std::uint64_t size) noexcept {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(size);
    return SetFilePointerEx(handle_of(file), at, nullptr, FILE_BEGIN) &&
           SetEndOfFile(handle_of(file));
}

} // namespace tarnwick::server::os

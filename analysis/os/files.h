#pragma once

// What the analysis needs of the file system, in small pieces. Each piece has one
// implementation for POSIX systems (os/posix/) and one for Windows (os/windows/); the
// build picks the folder, so no other source has to tell the systems apart.
//
// Paths are UTF-8 strings or std::filesystem paths made from them; on Windows they reach
// the system as wide strings, so any character a file name can hold works.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::analysis {

class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace os {

// The characters after which a path's file name begins.
#ifdef _WIN32
inline constexpr std::string_view path_separators = "/\\:";
#else
inline constexpr std::string_view path_separators = "/";
#endif

// An open file: a descriptor on POSIX systems, a HANDLE on Windows.
using Handle = std::intptr_t;
inline constexpr Handle no_handle = -1;

// Reading (reading.cpp). Only an ordinary file opens: a folder, a device or a pipe is
// refused at once, without waiting for anyone to write to it. Throw FileError.
Handle open_for_reading(const std::string& path);
std::size_t read_some(Handle file, unsigned char* into, std::size_t size); // 0 at the end
void close_file(Handle file) noexcept;
// Random access (seeking.cpp), for the directories at the ends of packages. Throw FileError.
std::uint64_t size_of(Handle file);
void seek_to(Handle file, std::uint64_t offset);

// Writing (writing.cpp). Throw FileError.
// Creates a file that must not exist yet; returns no_handle when one of that name does.
// `folder`, when given, is the open folder of `path` (open_folder): the file is made in it
// without its whole path being looked up once more.
Handle create_new(const std::filesystem::path& path, Handle folder = no_handle);
// The folder at `path`, opened to make files in; no_handle where the system has no such
// thing or it cannot be opened, and the paths are used whole. Closed with close_file.
Handle open_folder(const std::filesystem::path& path) noexcept;
void write_all(Handle file, std::string_view bytes);
// Flushes the file's bytes to the disk (and what reading them back needs of its size),
// lets `while_open` look at the still open file, and closes it; it is closed even when one
// of these fails.
void flush_and_close(Handle file, const std::function<void(Handle)>& while_open = {});
// Gives `to` the permissions that `from` has, where the system has such a thing.
void copy_permissions(const std::filesystem::path& from, const std::filesystem::path& to) noexcept;
// Puts the file `from` in the place of `to` in one step, replacing what was there.
void replace(const std::filesystem::path& from, const std::filesystem::path& to);
// Puts the file `from` at `to` in one step when nothing is there; false, and nothing
// changed, when something is there or the system cannot do it so. `folder` as for
// create_new, the folder of both.
bool place_new(const std::filesystem::path& from, const std::filesystem::path& to,
               Handle folder = no_handle) noexcept;
void remove_file(const std::filesystem::path& path) noexcept;

// Attributes (attributes.cpp, which also holds plain_file_exists of file_system.h).
// A hidden file is refused on Windows, as one the user was never shown; a file the program
// has read as its own is replaced though hidden (wine shows every dot name as hidden).
enum class Hidden { refused, replaced };
// Why the file at `destination` must not be replaced, or empty when it may be (or when
// nothing is there): a folder, a device, pipe or socket, or a link to anything but a file.
std::string why_not_replaceable(const std::filesystem::path& destination,
                                Hidden hidden = Hidden::refused);

// Listing (listing.cpp). The paths that an argument of the command line names. Windows
// leaves wildcards to the program: there an argument whose file name holds '*' or '?'
// names the files and folders that match it (ignoring case, as the system compares
// names), sorted, and nothing when none does. Elsewhere the shell has expanded them
// already, and an argument names itself.
std::vector<std::string> expand_wildcards(const std::string& argument);

} // namespace os
} // namespace tarnwick::analysis

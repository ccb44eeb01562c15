#pragma once

// What the Windows file services share.

#include "analysis/os/files.h"

#include <optional>
#include <string>
#include <string_view>
#include <windows.h>

namespace tarnwick::analysis::os {

inline HANDLE handle_of(Handle file) {
    return reinterpret_cast<HANDLE>(file);
}

std::string to_utf8(std::wstring_view text);

// What the system says about its last error, for example "Access is denied".
std::string last_error_text();

// The attributes of the open `file` when it is an ordinary file on a disk, not a
// folder, a console, a printer port or a pipe.
std::optional<DWORD> ordinary_file_attributes(HANDLE file);

// True when `name` matches `pattern`, in which '*' stands for any run of characters and
// '?' for any one; letters compare as the file system compares them, ignoring case.
bool wildcard_match(std::wstring_view pattern, std::wstring_view name);

} // namespace tarnwick::analysis::os

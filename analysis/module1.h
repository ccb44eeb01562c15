#pragma once

// The map analysis procedures: the scanner with its duplicate test, and the resource
// file writer. Paths and the map name are UTF-8; list entries are single-byte text
// (see single_byte.h), exactly as the map holds them.

#include "analysis/progress.h"
#include "analysis/resource_list.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::analysis {

// True when `list` holds an entry equal to `text`.
bool is_listed(const ResourceList& list, std::string_view text);

// Empties `list` and fills it with the resources the map at `map_path` refers to;
// `map_name` is its file name without directory ("de_foo.bsp"), which names the
// description file's entry.
// Returns false when anything failed on the way; `why`, when given, then says what.
// Entries appended before a failure stay in the list.
bool scan_map(const std::string& map_path, const std::string& map_name, ResourceList& list,
              ProgressTarget& progress, const EventPump& pump = {}, std::string* why = nullptr);

struct WriteResult {
    bool ok = false;
    std::string destination; // the .res path, when one could be formed
    std::string reason;      // why it failed; empty on success
    explicit operator bool() const { return ok; }
};

// The .res path of a map: the map path less its last four characters, plus ".res".
// Empty when the path has fewer than four characters.
std::string res_path_for(const std::string& map_path);

// The bytes of the resource file for `entries` and the map called `map_name`.
// Throws ResWriteError when the name is too short or has characters that the
// single-byte text cannot hold.
std::string format_res_file(const std::vector<std::string>& entries, const std::string& map_name);

class ResWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the resource file of the map at `map_path` with `entries` as its resource lines.
// Its first two lines name that map and its resource file, whatever was analysed last.
// The destination is replaced in one step, so it is either the old file or the complete
// new one; only a file that was written, flushed and closed counts as success.
WriteResult write_res_file(const std::vector<std::string>& entries, const std::string& map_path);

} // namespace tarnwick::analysis

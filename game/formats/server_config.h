#pragma once

// A server's configuration (server.cfg and what it execs) run as the server runs it, for
// the settings that decide what its players download and from where.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::game {

// More text than this run in all, from every file, is a loop by other names: the rest is
// not run, and not read.
inline constexpr std::size_t max_config_bytes = 4u << 20;

// The first `limit` bytes of the file that `exec NAME` runs (all of it when shorter), or
// nothing when there is none. The reader asks only for names the server would open, and
// for no more than it has left to run.
using ConfigFiles =
    std::function<std::optional<std::string>(std::string_view name, std::size_t limit)>;

// A cvar's last setting and the line that made it ("server.cfg line 4").
struct ConfigSetting {
    std::string value;
    std::string line;
};

inline constexpr std::size_t max_download_url = 128;
inline constexpr double default_transfer_max_size = 10 << 20;

struct ServerConfig {
    std::optional<ConfigSetting> download_url;
    bool allow_download = true;
    bool send_resources = true;
    double transfer_max_size = default_transfer_max_size;
    // What the server does otherwise than its author meant: an address cut at its ':', an
    // exec it refuses or cannot find, an exec loop.
    std::vector<std::string> warnings;
    // Set when sv_downloadurl is too long to be sent: players never get it.
    std::optional<std::string> url_error;
};

// Runs `text` (the file `name`) as the server's command buffer does: a line ends at a
// newline, or at a ';' outside quotes (one in a // comment too); its words are the
// engine's tokens with ':' a word of its own; a cvar takes its first argument, and the
// last setting wins; `exec` runs a .cfg or .rc file in place.
ServerConfig read_server_config(std::string_view text, std::string_view name,
                                const ConfigFiles& files);

} // namespace tarnwick::game

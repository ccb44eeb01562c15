#pragma once

// The probe of a download site: every file a client would request, asked for as the
// client asks, and judged against the server's copy.

#include "game/formats/server_config.h"
#include "game/game_folder.h"
#include "server/http_client.h"
#include "server/verdict.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tarnwick::server {

// A file a client may request: its path as the server sends it, and the server's copy.
struct ProbeFile {
    std::string entry;
    std::filesystem::path file;
};

struct ProbeResult {
    std::string entry;
    std::string url; // as shown: without the site's credentials
    Verdict verdict = Verdict::error;
    int status = 0;
    std::string detail;
    bool not_asked = false; // the site had stopped answering: `error` without a request
};

// The address a client asks for `entry` under the site's `base` address: the path's
// bytes outside the letters, digits and "-._~/" percent-encoded.
std::string request_url(std::string_view base, std::string_view entry);

// One result per file, in the order given. A name the client would never request, or a
// server copy that cannot be read, gets `error` without a request. `judged` is told of each
// result as it comes, for a display of the progress.
std::vector<ProbeResult> probe(HttpClient& client, std::string_view base,
                               const std::vector<ProbeFile>& files,
                               const std::function<void(const ProbeResult&)>& judged = {});

// What `exec` finds on the server whose game folder is `folder`: the mod folder's own
// file first, then the rest of the search path, packs included; only the start it asks for
// is read.
game::ConfigFiles config_files(const game::GameFolder& folder);

// The site a probe asks when none is given: the server's sv_downloadurl. Throws
// std::runtime_error saying why there is none to ask (not set, or too long to be sent).
std::string configured_site(const game::ServerConfig& config);

} // namespace tarnwick::server

#pragma once

// What a client may request from a server's download site for one map: the map's .bsp,
// every word of its .res that names a file the server has (the .res itself when it names
// itself, as every .res this program writes does), and every file the map needs that the
// check found; never what ships with the game. Each is spelled as the server sends it, for
// clients request a name in the case the server sent, and comes with its source on the disk.

#include "game/audit.h"
#include "game/collect.h"
#include "game/formats/names.h"
#include "game/game_folder.h"
#include "game/resolution.h"
#include "game/session.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::server {

struct Request {
    std::string sent;   // the relative path as the server sends it, '/' between parts (single-byte)
    std::string source; // the file on the disk (UTF-8)
    std::uint64_t size = 0;
};

// A name the server or the clients refuse: never requested, never placed.
struct RefusedRequest {
    std::string name;
    std::string reason;
};

struct MapRequests {
    std::string map; // as given (UTF-8)
    std::vector<Request> files;
    std::vector<RefusedRequest> refused;
    // The bytes a new player downloads: every file requested.
    std::uint64_t bytes() const;
    // The largest file; nullptr when there is none.
    const Request* largest() const;
};

struct RequestSource {
    const game::GameFolder& game;
    const game::MapResolution& resolution; // its `map` is the map on the disk
    const game::NameSet& stock;            // what the stock list says ships with the game
    const game::ResText* res = nullptr;    // the .res beside the map as the server reads it
    std::string map_sent;                  // the map's name as the server sends it; empty:
                                           // the file name of the map on the disk
    std::vector<std::string> extra = {};   // files the server sends with every map
};

MapRequests map_requests(const RequestSource& source);
// The same for a map that `session` checked, with the .res beside it as it is on the disk
// now; `map_sent` as in RequestSource.
MapRequests map_requests(const game::Session& session, const game::CheckedMap& map,
                         const std::string& map_sent = {});

// The files of the map's download folder (--collect), the same that the sync places for it:
// `res` holds the bytes of the .res this run writes beside the map (nullptr: the one on the
// disk, if any), which is a file of the folder when it names itself. What clients refuse
// is among them, refused.
std::vector<game::CollectFile> folder_files(const game::Session& session,
                                            const game::CheckedMap& map,
                                            const std::string& map_sent, const std::string* res);

// The one of `places` (not empty) that the server opens for `name`: the one spelled exactly
// so when there is one, as the server tries the name it is given first.
const game::Place& as_opened(const std::vector<game::Place>& places, std::string_view name);

// Why a client never requests a file of that name from the download site, the first reason:
// it would leave the folder, the server drops it from a .res, or the clients' download
// filter refuses it. Empty when it may be requested. What is requested, placed and probed
// is decided here alone.
std::string download_refusal(std::string_view name);

} // namespace tarnwick::server

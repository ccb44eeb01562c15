#pragma once

// Where Steam keeps the game: <library>/steamapps/common/Half-Life/<mod>, in one of the
// libraries of a Steam installation.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace tarnwick::game {

// The most of a libraryfolders.vdf that is read; Steam's own are a few kilobytes.
inline constexpr std::uint64_t max_library_folders_file = 1u << 20;

// The first <library>/steamapps/common/Half-Life/<mod> folder that exists, `mod` being a
// folder name such as "cstrike". The libraries are taken root by root: the root itself,
// then those its steamapps/libraryfolders.vdf lists. Names are matched as spelled, and
// "SteamApps" (older installations) too. A vdf that is missing, unreadable, damaged or
// larger than max_library_folders_file is passed over, and so is a listed path that is
// not absolute. Nothing when no library holds the mod; never throws for what it finds on
// the disk.
std::optional<std::filesystem::path>
find_steam_mod(const std::vector<std::filesystem::path>& steam_roots, std::string_view mod);

} // namespace tarnwick::game

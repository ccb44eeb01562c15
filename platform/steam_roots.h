#pragma once

// Where this system's Steam is installed, to look for the game in its libraries
// (game/steam.h).

#include <filesystem>
#include <vector>

namespace tarnwick::platform {

// The Steam folders of this system that exist, as canonical paths, each once, in this
// order: on Windows the SteamPath of HKEY_CURRENT_USER\Software\Valve\Steam, then the
// InstallPath of HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node\Valve\Steam; elsewhere
// ~/.steam/steam, ~/.steam/root and ~/.local/share/Steam of $HOME. Empty when there is
// none; never throws for what it finds.
std::vector<std::filesystem::path> steam_roots();

} // namespace tarnwick::platform

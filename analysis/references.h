#pragma once

// What the scanner looks for in a map and how it makes an entry of what it finds; shared
// with the game folder's reading of the entity text, which must name entries the same way.

#include <array>
#include <string_view>

namespace tarnwick::analysis {

// An extension the scanner searches for, and the folder it puts in front of a path that
// does not begin with it (compared with case). A texture package keeps its bare name.
struct ReferenceKind {
    std::string_view extension;
    std::string_view leading_directory;
};
// In the scanner's order of priority.
inline constexpr std::array<ReferenceKind, 5> reference_kinds = {{{".wad", ""},
                                                                  {".mdl", "models/"},
                                                                  {".spr", "sprites/"},
                                                                  {".wav", "sound/"},
                                                                  {".tga", "gfx/"}}};

// The entity key that names the sky, and the six faces made of its value.
inline constexpr std::string_view sky_key = "skyname";
inline constexpr std::string_view sky_folder = "gfx/env/";
inline constexpr std::array<std::string_view, 6> sky_faces = {"bk.tga", "dn.tga", "ft.tga",
                                                              "lf.tga", "rt.tga", "up.tga"};

} // namespace tarnwick::analysis

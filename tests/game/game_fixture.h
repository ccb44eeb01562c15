#pragma once

// A small installation of the game, made afresh for each test.

#include "game/game_folder.h"
#include "game/res_lines.h"
#include "game/resolver.h"
#include "game/session.h"
#include "synthetic_game.h"
#include "synthetic_map.h"

#include <gmock/gmock.h>
#include <numeric>
#include <set>

namespace tarnwick::testing {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using namespace std::string_literals;
using Lines = std::vector<std::string>;

class GameFixture : public ::testing::Test {
protected:
    GameFixture() {
        mod("liblist.gam", "game \"CS\"\nfallback_dir \"valve\"\n");
        mod("models/x.mdl",
            studio_model_bytes({false, {"models\\x01.mdl"}, {{5004, "x/hit.wav"}}}));
        mod("models/xT.mdl", studio_model_bytes({}));
        mod("models/Props/Crate.mdl", studio_model_bytes({}));
        mod("models/bad.mdl", "IDPO not a model");
        mod("sound/x/HIT.wav", "RIFF");
        mod("sound/V.wav", "RIFF");
        mod("mine.wad", wad_bytes({"{FENCE", "wall"}));
        mod("unused.wad", wad_bytes({"other"}));
        mod("pak0.pak", pak_bytes({{"models/p.mdl", studio_model_bytes({false, {}, {}})}}));
        mod("maps/de_foo_detail.txt", "wall detail/brick 1 1\n");
        mod("gfx/detail/brick.tga", "TGA");
        mod("overviews/de_foo.txt",
            "global\n{\n ZOOM 1.0\n}\nlayer\n{\n IMAGE \"overviews/de_foo.bmp\"\n}\n");
        mod("overviews/de_foo.bmp", "BM");
        put_file(dir.path(), "cstrike_downloads/sound/dl.wav", "RIFF");
        put_file(dir.path(), "valve/halflife.wad", wad_bytes({"SKY"}));
        put_file(dir.path(), "valve/sound/v.wav", "RIFF");
        put_file(dir.path(), "valve/pak0.pak", pak_bytes({{"sprites/s.spr", "IDSP"}}));
    }

    void mod(std::string_view relative, std::string_view bytes) {
        put_file(dir.path() / "cstrike", relative, bytes);
    }

    game::GameFolder game() const { return game::GameFolder(dir.path() / "cstrike"); }

    TempDir dir;
};

inline std::string listing(const std::filesystem::path& folder) {
    std::set<std::string> paths;
    std::error_code ec;
    for (std::filesystem::recursive_directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec))
        paths.insert(it->path().lexically_relative(folder).generic_string() + "\n");
    return std::accumulate(paths.begin(), paths.end(), std::string());
}

} // namespace tarnwick::testing

#include "generated_game.h"

#include "game/formats/names.h"
#include "synthetic_game.h"

namespace tarnwick::testing {
namespace {

std::string name(const char* prefix, int n, const char* suffix) {
    return prefix + std::to_string(n) + suffix;
}

} // namespace

GeneratedGame::GeneratedGame(int maps) {
    const auto mod = dir_.path() / "cstrike";
    int files = 0;
    auto put = [&](const std::string& relative, std::string_view bytes) {
        put_file(mod, relative, bytes);
        ++files;
    };
    const auto plain_model = studio_model_bytes({});
    const auto textureless = studio_model_bytes({false, {}, {{5004, "a/hit.wav"}}});
    for (int i = 0; i < 1000; ++i) {
        const auto stem = name("models/set", i % 100, "/m") + std::to_string(i);
        put(stem + ".mdl", i % 2 ? plain_model : textureless);
        if (i % 2 == 0) put(stem + "T.mdl", plain_model);
    }
    for (int i = 0; i < 20; ++i)
        put(name("custom", i, ".wad"), wad_bytes({name("tex", i, ""), "{fence"}));
    put_file(dir_.path() / "valve", "halflife.wad", wad_bytes({"sky"}));
    put("sound/a/hit.wav", "RIFF");
    for (int i = 0; files < generated_folder_files; ++i)
        put(name(i % 3 ? "sound/s" : "sprites/s", i % 100, "/f") + std::to_string(i) +
                (i % 3 ? ".wav" : ".spr"),
            "x");
    for (int m = 0; m < maps; ++m)
        maps_.push_back(make_map(m));
}

GeneratedGame::Map GeneratedGame::make_map(int m) {
    Map map;
    map.path = dir_.file(name("maps/de_", m, ".bsp"));
    map.entries = {name("custom", m % 20, ".wad"), "halflife.wad", "cstrike.wad"};
    for (int i = 0; i < 12; ++i) {
        const int model = (m * 7 + i * 13) % 1000;
        map.entries.push_back(name("models/set", model % 100, "/m") + std::to_string(model) +
                              ".mdl");
    }
    for (int i = 0; i < 25; ++i) {
        const int sound = (m * 31 + i * 17) % 3000 * 3 + 1;
        map.entries.push_back(name("sound/s", sound % 100, "/F") + std::to_string(sound) + ".wav");
    }
    put_file(
        dir_.path(), name("maps/de_", m, ".bsp"),
        map_with_textures(entity_text(map.entries, m),
                          {{"brick", true}, {name("tex", m % 20, ""), false}, {"sky", false}}));
    std::string res = "// by hand\r\n";
    for (std::size_t i = 0; i < map.entries.size(); i += 2)
        res += (i % 4 ? map.entries[i] : game::lower_ascii(map.entries[i])) + "\r\n";
    res += "sound/old/gone.wav\r\nsound/s1/f1.wav\r\n";
    put_file(dir_.path(), name("maps/de_", m, ".res"), res);
    return map;
}

// An entity for each entry the scan found, two in a case the scan misses (one of them
// an entry listed already), and lights among them, as real maps have hundreds.
std::string GeneratedGame::entity_text(const std::vector<std::string>& entries, int m) {
    std::string text = "{\n\"classname\" \"worldspawn\"\n\"wad\" \"\\cs\\" + entries[0] +
                       ";\\hl\\halflife.wad;\\cs\\cstrike.wad\"\n}\n";
    auto entity = [&](const std::string& classname, const std::string& key,
                      const std::string& value) {
        text += "{\n\"classname\" \"" + classname + "\"\n\"targetname\" \"t" +
                std::to_string(text.size()) + "\"\n\"" + key + "\" \"" + value + "\"\n}\n";
    };
    for (std::size_t i = 3; i < entries.size(); ++i)
        entries[i].ends_with(".mdl") ? entity("cycler", "model", entries[i])
                                     : entity("ambient_generic", "message", entries[i].substr(6));
    entity("ambient_generic", "message",
           entries.back().substr(6, entries.back().size() - 10) + ".WAV");
    entity("cycler", "model", name("models/extra/m", m, ".MDL"));
    for (int i = 0; i < 300; ++i)
        entity("light", "_light", "255 255 255 200");
    return text;
}

const GeneratedGame& generated_game() {
    static const GeneratedGame generated;
    return generated;
}

} // namespace tarnwick::testing

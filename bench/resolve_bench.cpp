// Resolving maps against a generated game folder of 20,000 files: the folder is listed
// once, then 100 maps of 40 entries each are resolved, followed and their textures checked.
// The target is under 1 s for the whole. The audit does the same and compares each map's
// .res (written beside it by hand: half the entries, in other case, and a few extra lines).
// Each map's entity text names its entries, two in a case the scan misses, among 300 lights.

#include "game/audit.h"
#include "game/game_folder.h"
#include "game/resolver.h"
#include "synthetic_game.h"
#include "synthetic_map.h"

#include <benchmark/benchmark.h>

namespace {

using namespace tarnwick;

constexpr int folder_files = 20000;
constexpr int maps = 100;

std::string name(const char* prefix, int n, const char* suffix) {
    return prefix + std::to_string(n) + suffix;
}

// cstrike/ with models (half of them with a texture model and a sound event), sounds,
// sprites and wads spread over 100 folders each, and valve/ with the stock wad.
class GeneratedGame {
public:
    GeneratedGame() {
        const auto mod = dir_.path() / "cstrike";
        int files = 0;
        auto put = [&](const std::string& relative, std::string_view bytes) {
            testing::put_file(mod, relative, bytes);
            ++files;
        };
        const auto plain_model = testing::studio_model_bytes({});
        const auto textureless = testing::studio_model_bytes({false, {}, {{5004, "a/hit.wav"}}});
        for (int i = 0; i < 1000; ++i) {
            const auto stem = name("models/set", i % 100, "/m") + std::to_string(i);
            put(stem + ".mdl", i % 2 ? plain_model : textureless);
            if (i % 2 == 0) put(stem + "T.mdl", plain_model);
        }
        for (int i = 0; i < 20; ++i)
            put(name("custom", i, ".wad"), testing::wad_bytes({name("tex", i, ""), "{fence"}));
        testing::put_file(dir_.path() / "valve", "halflife.wad", testing::wad_bytes({"sky"}));
        put("sound/a/hit.wav", "RIFF");
        for (int i = 0; files < folder_files; ++i)
            put(name(i % 3 ? "sound/s" : "sprites/s", i % 100, "/f") + std::to_string(i) +
                    (i % 3 ? ".wav" : ".spr"),
                "x");
        for (int m = 0; m < maps; ++m)
            maps_.push_back(make_map(m));
    }

    const std::filesystem::path mod() const { return dir_.path() / "cstrike"; }
    struct Map {
        std::string path;
        std::vector<std::string> entries;
    };
    const std::vector<Map>& all_maps() const { return maps_; }

private:
    Map make_map(int m) {
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
            map.entries.push_back(name("sound/s", sound % 100, "/F") + std::to_string(sound) +
                                  ".wav");
        }
        testing::put_file(dir_.path(), name("maps/de_", m, ".bsp"),
                          testing::map_with_textures(
                              entity_text(map.entries, m),
                              {{"brick", true}, {name("tex", m % 20, ""), false}, {"sky", false}}));
        std::string res = "// by hand\r\n";
        for (std::size_t i = 0; i < map.entries.size(); i += 2)
            res += (i % 4 ? map.entries[i] : game::lower_ascii(map.entries[i])) + "\r\n";
        res += "sound/old/gone.wav\r\nsound/s1/f1.wav\r\n";
        testing::put_file(dir_.path(), name("maps/de_", m, ".res"), res);
        return map;
    }

    // An entity for each entry the scan found, two in a case the scan misses (one of them
    // an entry listed already), and lights among them, as real maps have hundreds.
    static std::string entity_text(const std::vector<std::string>& entries, int m) {
        std::string text = "{\n\"classname\" \"worldspawn\"\n\"wad\" \"\\cs\\" + entries[0] +
                           ";\\hl\\halflife.wad;\\cs\\cstrike.wad\"\n}\n";
        auto entity = [&](const std::string& classname, const std::string& key,
                          const std::string& value) {
            text += "{\n\"classname\" \"" + classname + "\"\n\"targetname\" \"t" +
                    std::to_string(text.size()) + "\"\n\"" + key + "\" \"" + value + "\"\n}\n";
        };
        for (std::size_t i = 3; i < entries.size(); ++i)
            entries[i].ends_with(".mdl")
                ? entity("cycler", "model", entries[i])
                : entity("ambient_generic", "message", entries[i].substr(6));
        entity("ambient_generic", "message",
               entries.back().substr(6, entries.back().size() - 10) + ".WAV");
        entity("cycler", "model", name("models/extra/m", m, ".MDL"));
        for (int i = 0; i < 300; ++i)
            entity("light", "_light", "255 255 255 200");
        return text;
    }

    testing::TempDir dir_;
    std::vector<Map> maps_;
};

// Made once, for both benchmarks.
const GeneratedGame& generated_game() {
    static const GeneratedGame generated;
    return generated;
}

void BM_Resolve100MapsIn20000Files(benchmark::State& state) {
    const auto& generated = generated_game();
    std::size_t outcomes = 0;
    for (auto _ : state) {
        const game::GameFolder folder(generated.mod());
        const game::Resolver resolver(folder, {});
        outcomes = 0;
        for (const auto& map : generated.all_maps())
            outcomes += resolver.resolve(map.path, map.entries, true).entries.size();
        benchmark::DoNotOptimize(outcomes);
    }
    state.counters["entries"] = static_cast<double>(outcomes);
}

BENCHMARK(BM_Resolve100MapsIn20000Files)->Unit(benchmark::kMillisecond);

void BM_Audit100MapsIn20000Files(benchmark::State& state) {
    const auto& generated = generated_game();
    std::size_t findings = 0;
    for (auto _ : state) {
        const game::GameFolder folder(generated.mod());
        const game::Resolver resolver(folder, {});
        findings = 0;
        for (const auto& map : generated.all_maps()) {
            const auto audit = game::audit_map(resolver, resolver.resolve(map.path, map.entries, true));
            findings += audit.extra.size() + audit.lacking.size() + audit.case_lines.size() +
                        audit.missing.size();
        }
        benchmark::DoNotOptimize(findings);
    }
    state.counters["findings"] = static_cast<double>(findings);
}

BENCHMARK(BM_Audit100MapsIn20000Files)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// The format readers on made bytes: what they read from sound files, and the error they
// give for a foreign or damaged one; and a .res read as the server reads it.

#include "game/audit.h"
#include "game/formats/bsp.h"
#include "game/formats/detail_list.h"
#include "game/formats/entities.h"
#include "game/formats/liblist.h"
#include "game/formats/pak.h"
#include "game/formats/studio_model.h"
#include "game/formats/wad.h"
#include "synthetic_game.h"
#include "synthetic_map.h"

#include <functional>
#include <gmock/gmock.h>

namespace tarnwick::testing {
namespace {

using game::FormatError;
using game::MemorySource;
using ::testing::ElementsAre;
using namespace std::string_literals;

std::string changed(std::string bytes, std::size_t at, std::int32_t v) {
    set_int32(bytes, at, static_cast<std::uint32_t>(v));
    return bytes;
}

TEST(Formats, ReadWhatSoundFilesHold) {
    const auto map = map_with_textures(
        "{}", {{"brick", true}, {"{FENCE", false}, {"sky", false}, {"{fence", false}});
    EXPECT_THAT(game::read_bsp_textures(MemorySource(map)).external, ElementsAre("{FENCE", "sky"));

    EXPECT_THAT(game::read_wad_names(MemorySource(wad_bytes({"A", "sixteen_chars_xx"}))),
                ElementsAre("A", "sixteen_chars_xx"));

    const auto pak = pak_bytes({{"models/x.mdl", "12345"}, {"sound/a.wav", "RIFF"}});
    const auto entry = game::read_pak_directory(MemorySource(pak)).at(1);
    EXPECT_EQ(entry.name + " " + pak.substr(entry.offset, entry.length), "sound/a.wav RIFF");

    const auto model = game::read_studio_model(MemorySource(studio_model_bytes(
        {false,
         3,
         {{5004, "a/s.wav"}, {1004, "B.wav"}, {1008, "c.wav"}, {5004, "A/S.wav"}, {5001, "x"}}})));
    EXPECT_THAT(game::model_needs("models/Guy.mdl", model),
                ElementsAre("models/GuyT.mdl", "models/Guy01.mdl", "models/Guy02.mdl",
                            "sound/a/s.wav", "sound/B.wav", "sound/c.wav"));

    EXPECT_EQ(game::read_fallback_dir("game \"X\"\r\n  FALLBACK_DIR \"valve2\" // hl\n"), "valve2");
    EXPECT_THAT(game::read_detail_textures("// c\r\nwall01 detail/brick 1 1\nsolo\n"
                                           "\tfloor \"detail/brick\" 2 2\rmetal m 1 1"),
                ElementsAre("gfx/detail/brick.tga", "gfx/m.tga"));
}

struct Damage {
    const char* name;
    std::function<void()> read;
    const char* message;
};

TEST(Formats, RefuseForeignAndDamagedFiles) {
    const auto map = map_with_textures("{}", {{"a", false}});
    const auto wad = wad_bytes({"a", "b"});
    const auto pak = pak_bytes({{"x", "abc"}});
    const auto model = studio_model_bytes({true, 1, {{5004, "a.wav"}}});
    // Two sequences that share one event table larger than half the file.
    auto twice =
        studio_model_bytes({true, 1, std::vector(20, std::pair<int, std::string>{5004, "a.wav"})});
    set_int32(twice, 164, 2);
    set_int32(twice, 168, static_cast<std::uint32_t>(twice.size()));
    twice += twice.substr(244, 176) + twice.substr(244, 176);
    auto bsp = [](std::string b) { return [b] { game::read_bsp_textures(MemorySource(b)); }; };
    auto ent = [](std::string b) { return [b] { game::read_bsp_entity_text(MemorySource(b)); }; };
    auto huge = map;
    huge.resize(game::max_entity_text + 200, ' ');
    auto wad_of = [](std::string b) { return [b] { game::read_wad_names(MemorySource(b)); }; };
    auto pak_of = [](std::string b) { return [b] { game::read_pak_directory(MemorySource(b)); }; };
    auto mdl = [](std::string b) { return [b] { game::read_studio_model(MemorySource(b)); }; };
    const Damage table[] = {
        {"bsp of version 29", bsp(changed(map, 0, 29)), "not a BSP30 map"},
        {"bsp header cut", bsp(map.substr(0, 100)), "not a BSP30 map"},
        {"bsp texture lump past the end", bsp(changed(map, 20, 1 << 20)), "damaged at offset"},
        {"bsp texture count too large", bsp(changed(map, 127, 1000)), "a texture count of 1000"},
        {"bsp texture outside the lump", bsp(changed(map, 131, 400)), "outside the texture lump"},
        {"bsp entity lump past the end", ent(changed(map, 8, 1 << 20)),
         "offset 4: the entity lump"},
        {"bsp entity lump too large", ent(changed(huge, 8, game::max_entity_text + 1)),
         "more than the 4194304 read"},
        {"wad of another kind", wad_of("WAD2" + wad.substr(4)), "not a WAD3 texture package"},
        {"wad negative count", wad_of(changed(wad, 4, -1)), "a negative count"},
        {"wad directory past the end", wad_of(changed(wad, 8, 40)), "damaged at offset 40"},
        {"wad huge count", wad_of(changed(wad, 4, 0x7FFFFFFF)), "damaged at offset 12"},
        {"pak too short", pak_of("PACK"), "not a pack file"},
        {"pak of another kind", pak_of("PACX" + pak.substr(4)), "not a pack file"},
        {"pak odd directory length", pak_of(changed(pak, 8, 63)), "directory length of 63"},
        {"pak entry outside the file", pak_of(changed(pak, 15 + 56, 1000)),
         "lies outside the file"},
        {"pak negative directory offset", pak_of(changed(pak, 4, -64)), "negative offset"},
        {"mdl foreign", mdl("IDPO" + model.substr(4)), "not a studio model"},
        {"mdl version 6", mdl(changed(model, 4, 6)), "version 10"},
        {"mdl sequences past the end", mdl(changed(model, 168, 1 << 30)), "damaged at offset"},
        {"mdl events past the end", mdl(changed(model, 244 + 52, 5000)), "damaged at offset 5000"},
        {"mdl 101 sequence groups", mdl(changed(model, 172, 101)), "101 sequence groups"},
        {"mdl events read over and over", mdl(twice), "event tables overlap"},
        {"liblist fallback up a folder", [] { game::read_fallback_dir("fallback_dir \"..\""); },
         "not a folder name"},
        {"liblist fallback a path", [] { game::read_fallback_dir("fallback_dir \"a/b\""); },
         "not a folder name"},
    };
    for (const auto& row : table) {
        try {
            row.read();
            ADD_FAILURE() << row.name << ": read without an error";
        } catch (const FormatError& e) {
            EXPECT_THAT(e.what(), ::testing::HasSubstr(row.message)) << row.name;
        }
    }
}

using Lines = std::vector<std::string>;

std::string utf16(std::string_view ascii, bool big_endian) {
    std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii)
        out += big_endian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

TEST(ResReading, ReadsEveryEncodingAndLineEnd) {
    std::string many;
    for (std::size_t i = 0; i < game::res_line_limit + 10; ++i)
        many += "x.wad\n";
    const struct {
        const char* name;
        std::string bytes;
        Lines lines;
    } table[] = {
        {"CR LF, //, blanks", "// c\r\n\r\n  a.bsp \t\r\nx.wad\r\n", {"a.bsp", "x.wad"}},
        {"LF and lone CR", "a.wad\nb.wad\rc.wad", {"a.wad", "b.wad", "c.wad"}},
        {"UTF-8 BOM", "\xEF\xBB\xBFsound/caf\xC3\xA9.wav\n", {"sound/caf\xE9.wav"}},
        {"UTF-8 without BOM", "sound/caf\xC3\xA9.wav\n", {"sound/caf\xE9.wav"}},
        {"single-byte", "sound/caf\xE9.wav\n", {"sound/caf\xE9.wav"}},
        // A line the single-byte text cannot hold stays as it is, and names no file of the map.
        {"UTF-8 off the table", "s/\xE2\x82\xAC\xE4\xB8\x80", {"s/\xE2\x82\xAC\xE4\xB8\x80"}},
        {"UTF-8 inside the table", "s/\xE2\x82\xAC.wav", {"s/\x80.wav"}},
        {"NUL padding ends the text", "a.wad\r\n\0\0b.wad\n"s, {"a.wad"}},
        {"UTF-16 LE", utf16("// c\r\na.wad\r\n b.wad\n", false), {"a.wad", "b.wad"}},
        {"UTF-16 BE", utf16("a.wad\rb.wad", true), {"a.wad", "b.wad"}},
        {"UTF-16 lone surrogate", "\xFF\xFE"s + "a\0\x00\xD8"s, {"a\xEF\xBF\xBD"}},
        // Only so much of a file is read, and only so many lines kept.
        {"1 MiB read",
         std::string(game::res_read_limit + 1, 'a'),
         {std::string(game::res_read_limit, 'a')}},
        {"4,096 lines kept", many, Lines(game::res_line_limit, "x.wad")},
    };
    for (const auto& row : table)
        EXPECT_EQ(game::read_res_text(row.bytes).lines, row.lines) << row.name;
    EXPECT_EQ(game::read_res_text(many).count(), game::res_line_limit + 10);
}

} // namespace
} // namespace tarnwick::testing

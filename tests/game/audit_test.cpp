// Existing .res files read as the server reads them, and compared with what a map needs.

#include "game/audit.h"
#include "game/report.h"
#include "game_fixture.h"

namespace tarnwick::testing {
namespace {

using ::testing::ElementsAre;
using Lines = std::vector<std::string>;

std::string utf16(std::string_view ascii, bool big_endian) {
    std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : ascii)
        out += big_endian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

TEST(ResReading, ReadsEveryEncodingAndLineEnd) {
    const struct {
        const char* name;
        std::string bytes;
        Lines lines;
    } table[] = {
        {"CR LF, comment, blank, blanks", "// made by hand\r\n\r\n  maps/a.bsp \t\r\nx.wad\r\n",
         {"maps/a.bsp", "x.wad"}},
        {"LF and lone CR", "a.wad\nb.wad\rc.wad", {"a.wad", "b.wad", "c.wad"}},
        {"UTF-8 BOM", "\xEF\xBB\xBFsound/caf\xC3\xA9.wav\n", {"sound/caf\xE9.wav"}},
        {"UTF-8 without BOM", "sound/caf\xC3\xA9.wav\n", {"sound/caf\xE9.wav"}},
        {"single-byte", "sound/caf\xE9.wav\n", {"sound/caf\xE9.wav"}},
        // A line the single-byte text cannot hold stays as it is, and names no file of the map.
        {"UTF-8 outside the table", "s/\xE2\x82\xAC\xE4\xB8\x80.wav", {"s/\xE2\x82\xAC\xE4\xB8\x80.wav"}},
        {"UTF-8 inside the table", "s/\xE2\x82\xAC.wav", {"s/\x80.wav"}},
        {"NUL padding ends the text", std::string("a.wad\r\n\0\0b.wad\n", 15), {"a.wad"}},
        {"UTF-16 LE", utf16("// c\r\na.wad\r\n b.wad\n", false), {"a.wad", "b.wad"}},
        {"UTF-16 BE", utf16("a.wad\rb.wad", true), {"a.wad", "b.wad"}},
        {"UTF-16 NUL and odd byte", utf16("a.wad", false) + std::string("\0\0b\0x", 5), {"a.wad"}},
        {"UTF-16 lone surrogate", std::string("\xFF\xFE" "a\0\x00\xD8", 6), {"a\xEF\xBF\xBD"}},
        {"nothing", "", {}},
    };
    for (const auto& row : table)
        EXPECT_EQ(game::read_res_text(row.bytes).lines, row.lines) << row.name;
}

TEST(ResReading, KeepsItsMemoryBounded) {
    std::string many;
    for (std::size_t i = 0; i < game::res_line_limit + 10; ++i)
        many += "x.wad\n";
    auto text = game::read_res_text(many);
    EXPECT_EQ(text.lines.size(), game::res_line_limit);
    EXPECT_EQ(text.count(), game::res_line_limit + 10);
    EXPECT_FALSE(text.cut);
    text = game::read_res_text(std::string(game::res_read_limit + 1, 'a'));
    EXPECT_TRUE(text.cut);
    EXPECT_EQ(text.lines.front().size(), game::res_read_limit);
}

using Auditing = GameFixture;

TEST_F(Auditing, ComparesTheResWithWhatTheMapNeeds) {
    const auto folder = game();
    const game::Resolver resolver(folder, {});
    const auto map_path = map({});
    const auto r = resolver.resolve(map_path, {"mine.wad", "models/x.mdl", "sound/none.wav"}, true);
    EXPECT_THAT(game::audit_report(game::audit_map(resolver, r)),
                ElementsAre("  no .res beside the map",
                            "  lacking in the .res: mine.wad (from the map)",
                            "  lacking in the .res: models/x.mdl (from the map)",
                            "  lacking in the .res: maps/de_foo_detail.txt (from the map)",
                            "  lacking in the .res: overviews/de_foo.bmp (from the map)",
                            "  lacking in the .res: models/xT.mdl (needed by models/x.mdl)",
                            "  lacking in the .res: sound/x/hit.wav (needed by models/x.mdl)",
                            "  lacking in the .res: gfx/detail/brick.tga (needed by "
                            "maps/de_foo_detail.txt)"));

    mod("maps/de_foo.res", "// old\r\nmaps/de_foo.bsp\r\nMAPS/DE_FOO.RES\r\nMINE.WAD\r\n"
                           "models\\x.mdl\r\nsound/none.wav\r\nsound/V.wav\r\nsound/gone.wav\r\n"
                           "sound/x/hit.wav\r\nmaps/de_foo_detail.txt\r\noverviews/de_foo.bmp\r\n"
                           "models/xT.mdl\r\n");
    const auto audit = game::audit_map(resolver, r);
    EXPECT_EQ(audit.text.lines.size(), 11u);
    EXPECT_TRUE(audit.failed());
    EXPECT_THAT(game::audit_report(audit),
                ElementsAre(::testing::EndsWith("de_foo.res: 11 lines: 2 extra, 1 lacking, 2 case, "
                                                "2 missing"),
                            "  extra in the .res: sound/V.wav (the file exists)",
                            "  extra in the .res: sound/gone.wav (no such file)",
                            "  lacking in the .res: gfx/detail/brick.tga (needed by "
                            "maps/de_foo_detail.txt)",
                            "  case in the .res: MINE.WAD is spelled mine.wad on the disk",
                            "  case in the .res: sound/x/hit.wav is spelled sound/x/HIT.wav on "
                            "the disk",
                            "  missing in the .res: sound/none.wav",
                            "  missing in the .res: sound/gone.wav"));
}

} // namespace
} // namespace tarnwick::testing

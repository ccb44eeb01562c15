// Existing .res files read as the server reads them, and compared with what a map needs.

#include "game/audit.h"
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
        {"NUL padding ends the text", std::string("a.wad\r\n\0\0b.wad\n", 14), {"a.wad"}},
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

} // namespace
} // namespace tarnwick::testing

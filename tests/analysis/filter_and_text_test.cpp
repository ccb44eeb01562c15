#include "analysis/file_system.h"
#include "analysis/single_byte.h"
#include "analysis/stock_filter.h"

#include <gmock/gmock.h>
#include <set>

namespace tarnwick::analysis {
namespace {

using ::testing::ElementsAre;

TEST(StockFilter, HidesOnlyExactStockNames) {
    ResourceList list;
    for (const char* e : {"maps/de_foo.txt", "halflife.wad", "custom.wad", "decals.wad",
                          "gfx/env/desertbk.tga", "HALFLIFE.WAD", "valve/halflife.wad",
                          "halflife.wad ", "models/cstrike.wad.mdl", "halflife.wad"})
        list.append(e);
    EXPECT_THAT(shown_entries(list, false),
                ElementsAre("maps/de_foo.txt", "custom.wad", "gfx/env/desertbk.tga", "HALFLIFE.WAD",
                            "valve/halflife.wad", "halflife.wad ", "models/cstrike.wad.mdl"));
    EXPECT_EQ(shown_entries(list, true), list.entries());
    EXPECT_EQ(std::set<std::string_view>(stock_wads.begin(), stock_wads.end()).size(), 23u);
    for (auto name : stock_wads)
        EXPECT_TRUE(is_stock_wad(name)) << name;
}

TEST(SingleByteText, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const auto utf8 = single_byte_to_utf8(all);
    EXPECT_EQ(utf8_to_single_byte(utf8), all);
    EXPECT_EQ(byte_to_unicode(0x80), U'\u20AC');
    EXPECT_EQ(byte_to_unicode(0x9F), U'\u0178');
    EXPECT_EQ(byte_to_unicode(0x8D), U'\u008D');
    EXPECT_EQ(unicode_to_byte(U'\u2122'), 0x99);
}

TEST(SingleByteText, RefusesWhatTheTableCannotHold) {
    EXPECT_EQ(unicode_to_byte(U'\u0080'), std::nullopt); // 0x80 is the euro sign
    EXPECT_EQ(unicode_to_byte(U'\u0100'), std::nullopt);
    EXPECT_EQ(utf8_to_single_byte("\xD0\xBA"), std::nullopt);     // Cyrillic
    EXPECT_EQ(utf8_to_single_byte("ab\xC3"), std::nullopt);       // cut short
    EXPECT_EQ(utf8_to_single_byte("\xC0\xAF"), std::nullopt);     // overlong
    EXPECT_EQ(utf8_to_single_byte("\xED\xA0\x80"), std::nullopt); // surrogate
    EXPECT_EQ(utf8_to_single_byte("caf\xC3\xA9"), "caf\xE9");
}

TEST(FileSystem, DropsCharactersNotBytes) {
    EXPECT_EQ(drop_last_chars("de_foo.bsp", 4), "de_foo");
    EXPECT_EQ(drop_last_chars("x.b\xC3\xA9p", 4), "x");
    EXPECT_EQ(drop_last_chars(".bsp", 4), "");
    EXPECT_THROW(drop_last_chars("a\xC3\xA9p", 4), std::length_error);
    EXPECT_EQ(char_count("\xC3\xA9t\xC3\xA9"), 3u);
    EXPECT_EQ(file_name_of("/cs/cstrike/maps/de_foo.bsp"), "de_foo.bsp");
    EXPECT_EQ(file_name_of("de_foo.bsp"), "de_foo.bsp");
}

} // namespace
} // namespace tarnwick::analysis

#include "analysis/resource_list.h"
#include "analysis/single_byte.h"
#include "analysis/stock_filter.h"

#include <gmock/gmock.h>
#ifndef _WIN32
#include <iconv.h>
#endif

namespace tarnwick::analysis {
namespace {

using ::testing::ElementsAre;

// The texture packages that ship with the game, written out here rather than taken from
// the program, so that a misspelt name in its table shows.
constexpr const char* game_packages[] = {
    "cs_dust.wad",   "ajawad.wad",     "de_aztec.wad", "cached.wad",      "chateau.wad",
    "cs_747.wad",    "cs_assault.wad", "cs_bdog.wad",  "cs_cbble.wad",    "cs_havana.wad",
    "cs_office.wad", "cstrike.wad",    "halflife.wad", "de_airstrip.wad", "de_piranesi.wad",
    "de_storm.wad",  "de_vertigo.wad", "itsitaly.wad", "prodigy.wad",     "torntextures.wad",
    "liquids.wad",   "xeno.wad",       "decals.wad",
};

TEST(StockFilter, ShowOnlyCustomHidesExactlyTheGamesPackages) {
    ResourceList list;
    list.append("maps/de_foo.txt");
    for (const char* name : game_packages)
        list.append(name);
    for (const char* e : {"custom.wad", "HALFLIFE.WAD", "valve/halflife.wad", "halflife.wad ",
                          "models/cstrike.wad.mdl", "halflife.wa"})
        list.append(e);
    EXPECT_THAT(shown_entries(list, false),
                ElementsAre("maps/de_foo.txt", "custom.wad", "HALFLIFE.WAD", "valve/halflife.wad",
                            "halflife.wad ", "models/cstrike.wad.mdl", "halflife.wa"));
    EXPECT_EQ(shown_entries(list, true), list.entries());
}

// Every byte survives the round trip, and the whole table decodes as the C library's
// Windows-1252, which leaves five bytes unassigned: those keep their own code.
TEST(SingleByteText, EveryByteDecodesAsWindows1252AndSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8_to_single_byte(single_byte_to_utf8(all)), all);
#ifndef _WIN32
    const iconv_t reference = iconv_open("UTF-32LE", "WINDOWS-1252");
    ASSERT_NE(reference, reinterpret_cast<iconv_t>(-1));
    std::vector<int> unassigned;
    for (int b = 0; b < 256; ++b) {
        char byte = static_cast<char>(b);
        char32_t code = 0;
        char *in = &byte, *out = reinterpret_cast<char*>(&code);
        std::size_t in_left = 1, out_left = sizeof code;
        if (iconv(reference, &in, &in_left, &out, &out_left) == static_cast<std::size_t>(-1)) {
            unassigned.push_back(b);
            code = static_cast<char32_t>(b);
        }
        EXPECT_EQ(byte_to_unicode(static_cast<unsigned char>(b)), code) << "byte " << b;
    }
    iconv_close(reference);
    EXPECT_THAT(unassigned, ElementsAre(0x81, 0x8D, 0x8F, 0x90, 0x9D));
#endif
}

TEST(SingleByteText, RefusesWhatTheTableCannotHold) {
    EXPECT_EQ(unicode_to_byte(U'\u0080'), std::nullopt);          // 0x80 is the euro sign
    EXPECT_EQ(utf8_to_single_byte("\xD0\xBA"), std::nullopt);     // Cyrillic
    EXPECT_EQ(utf8_to_single_byte("ab\xC3"), std::nullopt);       // cut short
    EXPECT_EQ(utf8_to_single_byte("\xC0\xAF"), std::nullopt);     // overlong
    EXPECT_EQ(utf8_to_single_byte("\xED\xA0\x80"), std::nullopt); // surrogate
    EXPECT_EQ(utf8_to_single_byte("caf\xC3\xA9"), "caf\xE9");
}

} // namespace
} // namespace tarnwick::analysis

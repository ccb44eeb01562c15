// The map cycle read as the server reads it.

#include "game/formats/mapcycle.h"

#include <gmock/gmock.h>

namespace tarnwick::testing {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

// Each map as "name" or "name=rules", with its line; then each warning.
Lines shown(const game::MapCycle& cycle) {
    Lines maps;
    for (const auto& map : cycle.maps)
        maps.push_back(std::to_string(map.line) + ":" + map.name +
                       (map.rules.empty() ? "" : "=" + map.rules));
    maps.insert(maps.end(), cycle.warnings.begin(), cycle.warnings.end());
    return maps;
}

TEST(MapCycle, ReadsTokensAsTheServerDoes) {
    const struct {
        const char* name;
        std::string text;
        Lines maps;
    } table[] = {
        {"lines, CR LF, blanks",
         "de_dust\r\n\r\n  cs_office \t\r\nde_aztec",
         {"1:de_dust", "3:cs_office", "4:de_aztec"}},
        {"rules on the line",
         "de_dust \"\\minplayers\\4\"\nde_aztec x y\n",
         {"1:de_dust=\\minplayers\\4", "2:de_aztec=x", "2:y"}},
        {"comment lines", "// maps\nde_dust\n//de_aztec\n", {"2:de_dust"}},
        {"a comment after a name eats the next map",
         "de_dust // old\n\nde_aztec\ncs_italy",
         {"1:de_dust=de_aztec", "4:cs_italy",
          "line 1: a comment follows de_dust on its line, so the server takes de_aztec of line 3 "
          "as its rules and leaves de_aztec out of the cycle"}},
        {"one-character tokens", "de_(x),y", {"1:de_=(", "1:x=)", "1:,=y"}},
        {"; and : are ordinary", "a;b:c", {"1:a;b:c"}},
        {"quoted names, unclosed quote", "\"de dust\"\n\"cs_x\n", {"1:de dust", "2:cs_x\n"}},
        {"bytes from 0x80 separate, but count as more on the line",
         "de_\xE9x\nb",
         {"1:de_=x", "2:b"}},
        {"name cut to 31 bytes", std::string(40, 'a'), {"1:" + std::string(31, 'a')}},
        {"duplicates kept", "a\na\nA", {"1:a", "2:a", "3:A"}},
        {"an empty name ends the cycle", "a\n\"\"\nb", {"1:a"}},
        {"an empty rules token does not", "a \"\"\nb", {"1:a", "2:b"}},
        {"NUL ends the text", "a\n\0b"s, {"1:a"}},
        {"NUL inside quotes does not", "\"a\0b\" c"s, {"1:a=b\"", "1:c"}},
        {".bsp kept", "de_dust.bsp", {"1:de_dust.bsp"}},
        {"empty", "  // nothing\n", {}},
    };
    for (const auto& row : table)
        EXPECT_EQ(shown(game::read_map_cycle(row.text)), row.maps) << row.name;
}

} // namespace
} // namespace tarnwick::testing

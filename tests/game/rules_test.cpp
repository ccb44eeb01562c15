// The rules of the game's clients and server, each a row.

#include "game/report.h"
#include "game/rules.h"
#include "game_fixture.h"

namespace tarnwick::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(NameRules, WarnOfWhatClientsAndTheServerRefuse) {
    const struct {
        const char* name;
        std::string entry;
        std::vector<std::string> warnings;
    } table[] = {
        {"fits", "sound/ok_name-1.wav", {}},
        {"63 characters", "sound/" + std::string(53, 'a') + ".wav", {}},
        {"64 characters",
         "sound/" + std::string(54, 'a') + ".wav",
         {"64 characters, longer than the 63 the engine holds in a resource name"}},
        {"word breaks",
         "sound/a b(c){d}'e:f,g.wav",
         {"holds a space, '(', ')', '{', '}', ''', ':', ',', at which the server splits a .res "
          "line into words"}},
        {"control byte", "sound/a\tb.wav", {"holds bytes outside printable ASCII, which break the download"}},
        {"high byte", "sound/caf\xE9.wav", {"holds bytes outside printable ASCII, which break the download"}},
        {"two dots", "sound/a.b.wav",
         {"more than one dot in the file name: clients refuse to download it"}},
        {"dots in a folder", "sound/v.1/a.wav", {}},
    };
    for (const auto& row : table)
        EXPECT_EQ(game::name_warnings(row.entry), row.warnings) << row.name;
}

using Rules = GameFixture;

TEST_F(Rules, SayWhereADeepWadMustGoAndCountAgainstTheLimits) {
    mod("wads/Deep.wad", wad_bytes({"x"}));
    std::vector<std::string> scan = {"deep.wad", "gone.wad", "models/x.mdl", "sprites/s.spr"};
    for (int i = 0; i < 513; ++i)
        scan.push_back("sound/s" + std::to_string(i) + ".wav");
    mod("maps/de_foo.bsp", map_with_textures("{}", {}, 510));
    const auto folder = game();
    auto r = game::Resolver(folder, {}).resolve(dir.file("cstrike/maps/de_foo.bsp"), scan, true);
    // Places are written with forward slashes on every system.
    const auto generic = [](const std::string& p) { return std::filesystem::path(p).generic_string(); };
    EXPECT_THAT(r.entries[0].warnings,
                ElementsAre(HasSubstr("lies at " + generic(dir.file("cstrike/wads/Deep.wad")) +
                                      " and must go to " + generic(dir.file("cstrike/deep.wad")))));
    EXPECT_THAT(r.entries[1].warnings, ElementsAre());
    game::count_res_lines(r, 512);
    EXPECT_FALSE(r.limits.back().over());
    EXPECT_TRUE(r.over_limit());
    // The model's texture model and sound are loaded with it: not counted.
    const auto lines = game::text_report(r);
    EXPECT_THAT(lines, ::testing::Contains("  limits: 512 models of 512, 513 sounds of 512, "
                                           "512 .res lines of 512"));
    EXPECT_THAT(lines, ::testing::Contains("  error: 513 sounds, 1 over the limit of 512"));
}

} // namespace
} // namespace tarnwick::testing

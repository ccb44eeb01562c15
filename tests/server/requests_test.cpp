// What a client may request for a map, spelled as the server sends it.

#include "game_fixture.h"
#include "server/requests.h"

#include <map>

namespace tarnwick::testing {
namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::Field;
using ::testing::Key;
using ::testing::Not;
using ::testing::Pair;

class Requests : public GameFixture {};

TEST_F(Requests, AreTheMapItsResAndWhatItNeedsNeverTheGamesOwn) {
    mod("maps/de_foo.bsp", map_with_textures(R"({"classname" "worldspawn"})", {}));
    mod("sound/DL.wav", "RIFF");
    mod("sound/a~b.wav", "RIFF");
    const auto folder = game();
    const game::Resolver resolver(folder, {});
    const auto map = (dir.path() / "cstrike/maps/de_foo.bsp").string();
    const auto resolution = resolver.resolve(
        map, {"mine.wad", "halflife.wad", "models/X.mdl", "sound/V.wav", "models/p.mdl"}, true);
    // The .res's spelling is the one sent; its own name and what is not there are not asked.
    const auto res = game::read_res_text("sound/dl.wav maps/de_foo.res sound/a~b.wav gone.wav");
    game::NameSet stock;
    stock.insert("sound/v.wav");
    const auto requests = server::map_requests({folder, resolution, stock, &res, {}});

    std::map<std::string, std::string> sources;
    for (const auto& file : requests.files)
        sources[file.sent] = file.source;
    EXPECT_EQ(requests.files.front().sent, "maps/de_foo.bsp");
    EXPECT_THAT(sources,
                AllOf(Contains(Pair("sound/dl.wav", EndsWith("cstrike/sound/DL.wav"))),
                      Contains(Key("mine.wad")), Contains(Key("models/X.mdl")),
                      Contains(Key("sound/x/hit.wav")), Contains(Key("maps/de_foo_detail.txt"))));
    for (const auto* never : {"halflife.wad", "sound/V.wav", "models/p.mdl", "maps/de_foo.res",
                              "gone.wav", "models/x01.mdl"})
        EXPECT_THAT(sources, Not(Contains(Key(never)))) << never;
    EXPECT_THAT(requests.refused,
                ElementsAre(Field(&server::RefusedRequest::name, "sound/a~b.wav")));
}

} // namespace
} // namespace tarnwick::testing

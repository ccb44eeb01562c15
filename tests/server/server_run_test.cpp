// A whole server's run as the object a front end drives: its records, then its site synced
// and probed.

#include "game_fixture.h"
#include "server/server_run.h"
#include "web_server.h"

namespace tarnwick::testing {
namespace {

class WholeServer : public GameFixture {
protected:
    WholeServer() {
        mod("maps/de_foo.bsp", map_with_textures(R"({"classname" "worldspawn"})", {}));
        mod("maps/de_bar.bsp", map_with_textures(R"({"classname" "worldspawn"})", {}));
        mod("maps/de_foo.res", "maps/de_foo.res\nsound/shared.wav\n");
        mod("maps/de_bar.res", "sound/shared.wav sound/x/HIT.wav\n");
        mod("sound/shared.wav", "RIFF shared");
    }
    void add(const std::vector<std::string>& maps) {
        for (const auto& name : maps) {
            const auto resolved = session.resolve(path(name), {});
            ASSERT_TRUE(resolved.map) << name;
            run.add(session, *resolved.map);
        }
    }
    std::string path(const std::string& map) const {
        return (dir.path() / "cstrike/maps" / (map + ".bsp")).string();
    }

    static game::SessionSettings in(const std::filesystem::path& mod) {
        game::SessionSettings settings;
        settings.game = mod.string();
        return settings;
    }

    game::Session session{in(dir.path() / "cstrike")};
    server::ServerRun run;
};

// Each map's files in its own record, the run's total counting a shared file once, and each
// record tied to its map's place in the session's report, whatever was checked between.
TEST_F(WholeServer, KeepsEachMapsRecordAndTheServersSettings) {
    EXPECT_EQ(run.config().transfer_max_size, game::default_transfer_max_size);
    mod("server.cfg", "sv_filetransfermaxsize 5000\n");
    mod("maps/de_other.bsp", map_with_textures(R"({"classname" "worldspawn"})", {}));
    session.resolve(path("de_other"), {}); // in the report, not in the run
    add({"de_foo", "de_bar"});
    ASSERT_EQ(run.maps().size(), 2u);
    EXPECT_TRUE(run.config_found());
    EXPECT_EQ(run.config().transfer_max_size, 5000);
    std::vector<std::string> sent;
    for (const auto& file : run.maps()[1].files)
        sent.push_back(file.sent);
    EXPECT_THAT(sent, ElementsAre("maps/de_bar.bsp", "sound/shared.wav", "sound/x/HIT.wav"));
    const auto report = session.json_document()["maps"];
    for (std::size_t i = 0; i < run.maps().size(); ++i)
        EXPECT_EQ(report.at(run.report_index(i))["map"], run.maps()[i].map);
    const auto& foo = run.maps()[0];
    const auto& bar = run.maps()[1];
    const auto shared = run.size_of("sound/shared.wav");
    EXPECT_EQ(shared, 11u);
    EXPECT_EQ(run.total().files, foo.files.size() + bar.files.size() - 1);
    EXPECT_EQ(run.total().bytes, foo.bytes() + bar.bytes() - shared);
    EXPECT_EQ(run.probe_files().size(), run.total().files);
}

// The site synced from the run's records is what the probe then finds whole.
TEST_F(WholeServer, SyncsTheSiteThenProbesIt) {
    add({"de_foo", "de_bar"});
    const auto site = dir.path() / "site";
    const auto& planned = run.sync({.dir = site, .dry_run = true});
    EXPECT_EQ(planned.added.size(), run.total().files);
    EXPECT_FALSE(std::filesystem::exists(site / "maps/de_foo.bsp"));
    const auto& synced = run.sync({.dir = site});
    ASSERT_TRUE(synced.ok);
    for (const auto& step : synced.steps)
        EXPECT_EQ(read_file(site / step.step.path), read_file(step.step.source->source));

    const WebServer web(site);
    auto client = server::make_http_client();
    std::size_t told = 0;
    const auto& probed = run.probe(*client, web.url(), [&](const auto&) { ++told; });
    EXPECT_EQ(told, run.total().files);
    for (const auto& result : probed)
        EXPECT_EQ(result.verdict, server::Verdict::ok) << result.entry << " " << result.detail;
    EXPECT_EQ(&probed, &run.probed());
}

} // namespace
} // namespace tarnwick::testing

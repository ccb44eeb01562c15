// tarnwick-res for a whole server: its cycle and its download folder, run as an admin would.

#include "cli/run_summary.h"
#include "game_fixture.h"
#include "run_program.h"
#include "server/record.h"
#include "web_server.h"

#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#ifndef _WIN32
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#endif

namespace tarnwick::testing {
namespace {

class ServerCommandLine : public GameFixture {
protected:
    ServerCommandLine() {
        mod("maps/de_foo.bsp", map_with_textures(R"({"classname" "worldspawn"})", {}));
        mod("maps/de_bar.bsp", map_with_textures(R"({"classname" "worldspawn"})", {}));
    }
    ProgramRun run(const std::string& arguments) { return run_res(dir, arguments); }
    static std::size_t count(const std::string& text, const std::string& part) {
        std::size_t n = 0;
        for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++n;
        return n;
    }
};

// A map found only in a pack file is one; the largest file of each map is flagged when the
// game's own download refuses it, over 10 MiB.
TEST_F(ServerCommandLine, ChecksTheMapsOfTheCycleOnce) {
    mod("mapcycle.txt", "de_foo\nDE_FOO \"\\rules\\1\"\nde_bar\nde_pak\n");
    mod("pak1.pak",
        pak_bytes({{"maps/de_pak.bsp", read_file(dir.file("cstrike/maps/de_bar.bsp"))}}));
    for (const auto& [name, size] : {std::pair{"foo", 10u << 20}, {"bar", (10u << 20) + 1}}) {
        mod(std::string("maps/de_") + name + ".res", std::string("sound/") + name + ".wav");
        mod(std::string("sound/") + name + ".wav", "");
        std::filesystem::resize_file(dir.path() / "cstrike/sound" / (name + ".wav"s), size);
    }
    const auto fine = run("--check --mapcycle cstrike/mapcycle.txt");
    EXPECT_EQ(fine.status, 0) << fine.err;
    EXPECT_EQ(count(fine.err, "de_foo.bsp: 0 entries"), 1u) << fine.err;
    EXPECT_EQ(count(fine.err, "de_bar.bsp: 0 entries"), 1u) << fine.err;
    EXPECT_EQ(count(fine.err, "over 10 MiB"), 1u) << fine.err;
    EXPECT_THAT(fine.err, AllOf(HasSubstr("de_pak: in a pack file: it ships with the game\n"),
                                HasSubstr("the largest sound/bar.wav, 10.0 MiB (over 10 MiB: the "
                                          "game's own download refuses it")));
    // The server's own limit, where its server.cfg sets one.
    mod("server.cfg", "sv_filetransfermaxsize 5000000\n");
    EXPECT_EQ(count(run("--check --mapcycle cstrike/mapcycle.txt").err,
                    " (over sv_filetransfermaxsize, 4.8 MiB: "),
              2u);

    mod("mapcycle.txt", "de_foo // was de_old\nde_bar\nde_gone\nde_foo.bsp\n");
    const auto r = run("--check --mapcycle cstrike/mapcycle.txt");
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, AllOf(HasSubstr("line 1: a comment follows de_foo on its line, so the "
                                       "server takes de_bar of line 2 as its rules"),
                             HasSubstr("Skipping de_gone from mapcycle, not a valid map"),
                             HasSubstr("Skipping de_foo.bsp from mapcycle, not a valid map"),
                             Not(HasSubstr("de_bar.bsp: 0 entries"))));

    mod("mapcycle.txt", "// nothing yet\n");
    const auto empty = run("--check --mapcycle cstrike/mapcycle.txt");
    EXPECT_EQ(empty.status, 0);
    EXPECT_THAT(empty.err, HasSubstr("the cycle names no map: the server falls back to its "
                                     "default map"));
    EXPECT_EQ(run("--check --mapcycle cstrike/none.txt").status, 1);
}

// What the site gets: the map, what it needs that was found, the words of its .res that name
// a file (the .res itself among them), spelled as the server sends them; never what ships
// with the game (in valve/, in a pack file, on the stock list), what is missing or a name
// clients refuse.
TEST_F(ServerCommandLine, KeepsTheDownloadFolderOfTheCycle) {
    mod("maps/de_foo.bsp",
        map_with_textures(R"({"classname" "worldspawn" "wad" "\cs\mine.wad;\hl\halflife.wad"})"
                          R"({"model" "models/X.mdl"}{"model" "models/p.mdl"})",
                          {}));
    // cs_dust.wad and models/w_ak47.mdl ship with the game, though the mod folder holds them.
    mod("maps/de_foo.res", "sound/V.wav\r\nsound/dl.wav maps/de_foo.res sound/a~b.wav gone.wav "
                           "sound/n.sox cs_dust.wad models/w_ak47.mdl\r\n");
    mod("cs_dust.wad", "WAD3");
    mod("models/w_ak47.mdl", "IDST");
    mod("sound/DL.wav", "RIFF");
    mod("sound/a~b.wav", "RIFF");
    mod("sound/n.sox", "RIFF"); // the clients would take it, the server drops the word
    mod("mapcycle.txt", "de_foo\nde_bar\n");
    write_file(dir.path() / "stock.txt", "sound/v.wav\n");
    const auto options = "--follow --mapcycle cstrike/mapcycle.txt --fastdl site --gzip";
    // A stale .gz this program did not place: a dry run says what the run then says.
    put_file(dir.path(), "site/maps/de_bar.bsp.gz", "OLD");
    const auto stale = "maps/de_bar.bsp.gz: not placed by this program; a web server that sends "
                       ".gz files sends it in place of maps/de_bar.bsp: players get the old map "
                       "(--overwrite replaces it)"s;
    EXPECT_THAT(run(options + " --stock-list stock.txt --dry-run"s).err,
                HasSubstr("would keep " + stale));
    const auto first = run(options + " --stock-list stock.txt --report r.json --verbose"s);
    EXPECT_THAT(first.err, HasSubstr("\nkept " + stale));
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(listing(dir.path() / "site"),
              ".tarnwick-fastdl\n.tarnwick-fastdl.lock\ngfx\ngfx/detail\ngfx/detail/brick.tga\ngfx/"
              "detail/brick.tga.gz\n"
              "maps\nmaps/de_bar.bsp\nmaps/de_bar.bsp.gz\nmaps/de_foo.bsp\nmaps/de_foo.bsp.gz\n"
              "maps/de_foo.res\nmaps/de_foo.res.gz\nmaps/de_foo_detail.txt\nmaps/"
              "de_foo_detail.txt.gz\nmine.wad\nmine.wad.gz\nmodels\n"
              "models/X.mdl\nmodels/X.mdl.gz\nmodels/XT.mdl\nmodels/XT.mdl.gz\noverviews\n"
              "overviews/de_foo.bmp\noverviews/de_foo.bmp.gz\noverviews/de_foo.txt\n"
              "overviews/de_foo.txt.gz\nsound\nsound/dl.wav\nsound/dl.wav.gz\nsound/x\n"
              "sound/x/hit.wav\nsound/x/hit.wav.gz\n");
    EXPECT_THAT(first.err, AllOf(HasSubstr("  download: 1 file, "), HasSubstr("2 maps: ")));
    EXPECT_EQ(count(first.err, "never placed on the download site: sound/"), 2u); // the refused
    EXPECT_THAT(first.err, AllOf(HasSubstr("  never placed on the download site: sound/a~b.wav: "),
                                 HasSubstr("  never placed on the download site: sound/n.sox: "
                                           "holds .so inside")));
    const auto report = nlohmann::json::parse(read_file(dir.file("r.json")));
    EXPECT_GT(report["maps"][0]["download_bytes"].get<std::uint64_t>(), 0u);
    EXPECT_EQ(report["maps"][0]["never_placed"].size(), 2u); // as the text counts them
    EXPECT_EQ(report["maps"][0]["never_placed"][0]["name"], "sound/a~b.wav");
    EXPECT_THAT(report["fastdl"]["added"], Contains("mine.wad.gz"));

    const auto second = run(options + " --stock-list stock.txt"s);
    EXPECT_EQ(second.status, 0);
    EXPECT_THAT(second.err, HasSubstr("site: nothing to copy"));
}

// Every file under `folder` with a hash of its bytes, but the report and the run's output.
std::map<std::string, std::size_t> snapshot(const std::filesystem::path& folder) {
    std::map<std::string, std::size_t> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const auto name = entry.path().lexically_relative(folder).generic_string();
        if (entry.is_regular_file() && name != "r.json" && name != "stdout" && name != "stderr")
            files[name] = std::hash<std::string>()(read_file(entry.path()));
    }
    return files;
}

// A server an admin keeps by hand: a .res naming a plugin's sounds, some of them there, a
// cycle that starts with a ';' line, a stale .gz on the site.
class AdminServer : public ServerCommandLine {
protected:
    AdminServer() {
        mod("maps/de_foo.res", "// plugin sounds\nmaps/de_foo.bsp\nmaps/de_foo.res\n"
                               "sound/misc/there.wav sound/misc/gone.wav\nsound/a~b.wav\n");
        mod("sound/misc/there.wav", "RIFF");
        mod("sound/a~b.wav", "RIFF");
        mod("mapcycle.txt", "; the cycle\nde_foo\nde_bar\n");
        put_file(dir.path(), "site/maps/de_bar.bsp.gz", "old");
    }
    static constexpr const char* cycle = "--mapcycle cstrike/mapcycle.txt ";
};

// A mode that reads writes nothing but its report, whatever else is given.
TEST_F(AdminServer, ModesThatReadWriteNothing) {
    run(cycle + "--fastdl site"s); // 1: the cycle names maps the server does not have
    ASSERT_TRUE(std::filesystem::exists(dir.path() / "site/maps/de_foo.bsp"));
    const auto before = snapshot(dir.path());
    // A refused port: the probe fails at once.
    const char* modes[] = {
        "--check --follow --fastdl site --prune --gzip --overwrite",
        "--audit --fix-case --skip-stock --fastdl site --overwrite",
        "--probe http://127.0.0.1:1/ --follow --fastdl site --collect out --overwrite",
        "--dry-run --follow --fastdl site --prune --gzip --collect out --overwrite",
        "--dry-run --overwrite --collect out",
        "--make-stock-list cstrike --follow --overwrite --collect out --fastdl site",
    };
    for (const auto* mode : modes) {
        const auto r = run(cycle + "--report r.json "s + mode);
        EXPECT_EQ(snapshot(dir.path()), before) << mode << r.err;
        EXPECT_THAT(r.err, Not(HasSubstr("kept the existing"))) << mode;
        EXPECT_TRUE(std::filesystem::exists(dir.path() / "r.json")) << mode;
        std::filesystem::remove(dir.path() / "r.json");
    }
    EXPECT_THAT(run(cycle + "--dry-run --fastdl site --gzip"s).err,
                HasSubstr(" bytes to write, and their .gz\n"));
    const auto plain = run("--dry-run --overwrite cstrike/maps/de_foo.bsp");
    EXPECT_THAT(plain.err, HasSubstr("de_foo.bsp: 0 resources, would replace "));
    EXPECT_EQ(snapshot(dir.path()), before);
    // The site is made from the .res files that are there: it writes none.
    const auto res = read_file(dir.path() / "cstrike/maps/de_foo.res");
    run(cycle + "--follow --overwrite --fastdl site"s);
    EXPECT_EQ(read_file(dir.path() / "cstrike/maps/de_foo.res"), res);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "cstrike/maps/de_bar.res"));
}

// A .res replaced keeps the files it names that the server has and the new list lacks.
TEST_F(AdminServer, AnOldResKeepsItsFiles) {
    mod("maps/de_foo.res", read_file(dir.file("cstrike/maps/de_foo.res")) + "sound/v.wav\n");
    const auto old = read_file(dir.file("cstrike/maps/de_foo.res"));
    const struct {
        const char* options;
        std::string tail; // the end of the .res written; "": the old one is left as it was
        std::vector<std::string> said;
    } table[] = {
        {"--follow --report r.json",
         "\r\nsound/misc/there.wav\r\nsound/v.wav\r\n",
         {"  kept from the old .res: 2 files (sound/misc/there.wav, sound/v.wav)\n",
          "  left out of the old .res: sound/misc/gone.wav: no such file\n",
          "  left out of the old .res: sound/a~b.wav: holds '~': clients refuse to download it\n"}},
        {"--skip-stock",
         "maps/de_foo.res\r\nsound/misc/there.wav\r\n",
         {"  left out of the old .res: sound/v.wav: ships with the game (--skip-stock)\n"}},
        {"--follow --fresh",
         "overviews/de_foo.bmp\r\n",
         {"  not kept from the old .res (--fresh): 2 files (", "sound/misc/gone.wav: no such"}},
        {"--follow --dry-run", "", {"  kept from the old .res: 2 files", "would replace"}},
        // The plain scan's file, byte for byte, and what it drops said.
        {"",
         "maps/de_foo.res\r\n",
         {"  the old .res named 4 words the new one lacks (sound/misc/there.wav, "
          "sound/misc/gone.wav, sound/a~b.wav, …); --follow keeps those the server has\n"}},
    };
    for (const auto& row : table) {
        mod("maps/de_foo.res", old);
        const auto r = run("--overwrite "s + row.options + " cstrike/maps/de_foo.bsp");
        const auto res = read_file(dir.file("cstrike/maps/de_foo.res"));
        if (row.tail.empty())
            EXPECT_EQ(res, old) << row.options;
        else
            EXPECT_TRUE(res.ends_with(row.tail)) << row.options << res;
        for (const auto& text : row.said)
            EXPECT_THAT(r.err, HasSubstr(text)) << row.options;
    }
    const auto report = nlohmann::json::parse(read_file(dir.file("r.json")))["maps"][0];
    EXPECT_EQ(report["carried"].dump(), R"(["sound/misc/there.wav","sound/v.wav"])");
    EXPECT_EQ(report["left_out"][0].dump(),
              R"({"reason":"no such file","word":"sound/misc/gone.wav"})");
}

// The .res names itself, so players ask for it: it is on the site, the same files as the
// folder --collect fills, whether the run keeps the .res there or replaces it, and the probe
// asks for it.
TEST_F(AdminServer, TheResIsOnTheSiteAndProbed) {
    const auto published = [&](const std::filesystem::path& folder) {
        std::istringstream lines(listing(folder));
        std::string files;
        for (std::string line; std::getline(lines, line);)
            if (!line.starts_with(".tarnwick-fastdl") && line != "maps/de_bar.bsp.gz")
                files += line + "\n"; // the stale .gz is not this program's
        return files;
    };
    for (const auto* res : {"", "--overwrite "}) {
        std::filesystem::remove_all(dir.path() / "out");
        run(cycle + "--follow --collect out "s + res);
        run(cycle + "--follow --fastdl site"s);
        EXPECT_EQ(published(dir.path() / "site"), published(dir.path() / "out")) << res;
        EXPECT_THAT(published(dir.path() / "out"), HasSubstr("sound/misc/there.wav\n")) << res;
        for (const auto* folder : {"out", "site"})
            EXPECT_EQ(read_file(dir.path() / folder / "maps/de_foo.res"),
                      read_file(dir.file("cstrike/maps/de_foo.res")))
                << folder << " " << res;
    }

    const WebServer web(dir.path() / "site");
    const auto probed = run(cycle + "--report r.json --probe "s + web.url());
    std::string verdicts;
    const auto report = nlohmann::json::parse(read_file(dir.file("r.json")));
    for (const auto& file : report["probe"])
        verdicts +=
            file["entry"].get<std::string>() + " " + file["verdict"].get<std::string>() + "\n";
    EXPECT_THAT(verdicts, HasSubstr("maps/de_foo.res ok\n"));
}

// What the cycle skips said once, the ';' line explained, and the run summed up last.
TEST_F(AdminServer, SumsUpTheRunAndWhyItFails) {
    mod("maps/de_bar.bsp",
        map_with_textures(R"({"classname" "worldspawn"}{"noise" "gone.wav"}{"noise" "no.wav"})",
                          {}));
    const auto r = run(cycle + "--check --follow"s);
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, Not(HasSubstr("  limits:"))); // none over: a line a map
    EXPECT_EQ(count(r.err, "Skipping cycle from mapcycle"), 1u);
    EXPECT_THAT(r.err, Not(HasSubstr("not a map the server has")));
    EXPECT_THAT(r.err, HasSubstr("mapcycle.txt line 1: ';' starts no comment in mapcycle.txt: the "
                                 "server takes each word as a map name and skips it; start the "
                                 "line with //\n"));
    // The .res word clients refuse is counted with the rest, not only said beside its map.
    EXPECT_TRUE(r.err.ends_with("2 maps checked:\n"
                                "  never placed on the download site: 1 entry in 1 map "
                                "(de_foo.bsp)\n"
                                "  missing: 2 entries in 1 map (de_bar.bsp)\n"
                                "exit 1: 2 maps of the cycle are not on the server; 1 map has "
                                "something to mend\n"))
        << r.err;
}

// The last line gives the status the run ends with, a stop by a signal included, and why.
TEST(RunSummary, EndsWithTheExitStatus) {
    const struct {
        int signal;
        bool unplaced;
        int status;
        const char* last;
    } table[] = {
        {0, false, 0, "exit 0"},
        {0, true, 1, "exit 1: the download site lacks files it should have"},
        {15, true, 143,
         "exit 143: stopped by SIGTERM; the download site lacks files it should have"},
        {2, false, 130, "exit 130: stopped by SIGINT"},
    };
    for (const auto& row : table) {
        cli::RunSummary summary;
        if (row.signal) summary.stopped(row.signal);
        if (row.unplaced) summary.failed(cli::Failure::unplaced_files);
        EXPECT_EQ(summary.status(), row.status) << row.last;
        EXPECT_EQ(summary.lines().back(), row.last);
    }
}

// What the server sends with every map: in every .res and on the site, checked once.
TEST_F(AdminServer, SendsTheExtraFilesWithEveryMap) {
    write_file(dir.path() / "extra.txt", "// plugins\nsound/plugin/hi.wav sound/plugin/gone.wav\n"
                                         "sound/a~b.wav\n");
    mod("sound/plugin/hi.wav", "RIFF");
    const auto check = run(cycle + "--check --verbose --extra extra.txt --report r.json"s);
    EXPECT_EQ(count(check.err, "extra.txt: "), 1u) << check.err;
    const auto report = nlohmann::json::parse(read_file(dir.file("r.json")));
    std::string outcomes; // once for the run, not once a map
    for (const auto& e : report["extra"])
        outcomes += e["entry"].get<std::string>() + " " + e["status"].get<std::string>() +
                    (e.contains("refused") ? " refused" : "") + "\n";
    EXPECT_EQ(
        outcomes,
        "sound/plugin/hi.wav found\nsound/plugin/gone.wav missing\nsound/a~b.wav found refused\n");
    EXPECT_THAT(check.err,
                AllOf(HasSubstr("extra.txt: 3 files, sent with every map: 2 found, 1 missing\n"
                                "  missing: sound/plugin/gone.wav\n  refused: sound/a~b.wav: "),
                      HasSubstr("4 .res lines of 512"),
                      HasSubstr("the --extra list names files that are missing or refused\n")));

    run("--overwrite --extra extra.txt cstrike/maps/de_bar.bsp");
    EXPECT_EQ(read_file(dir.file("cstrike/maps/de_bar.res")),
              "maps/de_bar.bsp\r\nmaps/de_bar.res\r\nsound/plugin/hi.wav\r\n"
              "sound/plugin/gone.wav\r\n");
    std::filesystem::remove(dir.path() / "cstrike/maps/de_foo.res");
    run(cycle + "--fastdl site --extra extra.txt"s); // de_foo has no .res
    EXPECT_THAT(listing(dir.path() / "site"), HasSubstr("sound/plugin/hi.wav\n"));
}

#ifndef _WIN32
// The cycle names fy_snow: the server opens maps/fy_snow.bsp when it is there, whatever
// else differs only in case. A run while another holds the site is refused, naming it.
TEST_F(ServerCommandLine, PublishesTheMapTheServerOpensOneRunAtATime) {
    mod("maps/FY_SNOW.bsp", map_with_textures(R"({"classname" "worldspawn" "message" "x"})", {}));
    mod("maps/fy_snow.bsp", map_with_textures(R"({"classname" "worldspawn"})", {}));
    mod("mapcycle.txt", "fy_snow\n");
    const auto cycle = "--mapcycle cstrike/mapcycle.txt --fastdl site"s;
    const auto exact = run(cycle);
    EXPECT_EQ(exact.status, 0) << exact.err;
    const auto published = [&] { return read_file(dir.path() / "site/maps/fy_snow.bsp"); };
    EXPECT_TRUE(published() == read_file(dir.path() / "cstrike/maps/fy_snow.bsp"));
    std::filesystem::remove(dir.path() / "cstrike/maps/fy_snow.bsp");
    const auto other = run(cycle);
    EXPECT_THAT(other.err, HasSubstr("mapcycle.txt line 1: no maps/fy_snow.bsp: the server opens "
                                     "maps/FY_SNOW.bsp"));
    EXPECT_TRUE(published() == read_file(dir.path() / "cstrike/maps/FY_SNOW.bsp"));

    std::uint64_t holder = 0;
    const auto lock =
        server::os::lock_file(dir.path() / "site" / std::string(server::lock_name), false, holder);
    const auto busy = run(cycle);
    server::os::unlock_file(lock);
    EXPECT_EQ(busy.status, 1);
    EXPECT_THAT(busy.err, HasSubstr("site is being synced by process " + std::to_string(getpid())));
}

// True once `done` holds, false when `seconds` pass first.
template <typename Done> bool within(int seconds, Done done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

// tarnwick-res started in `dir` and left running; its report goes to the file stderr there.
pid_t start_res(const TempDir& dir, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), TARNWICK_RES);
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const auto folder = dir.path().string(), err = dir.file("stderr");
    const pid_t child = fork();
    if (child != 0) return child;
    const int out = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out >= 0 && ::dup2(out, STDERR_FILENO) >= 0 && ::chdir(folder.c_str()) == 0)
        ::execv(argv[0], argv.data());
    _exit(127);
}

// A stop while the run waits for another that holds the site: it ends at once, with the
// signal's status, and the site and its record are as they were.
TEST_F(ServerCommandLine, AStopEndsTheWaitForTheSite) {
    const std::vector<std::string> sync{"--fastdl", "site", "--gzip", "--wait",
                                        "cstrike/maps/de_foo.bsp"};
    ASSERT_EQ(run("--fastdl site --gzip cstrike/maps/de_foo.bsp").status, 0);
    const auto record = dir.path() / "site" / std::string(server::manifest_name);
    const auto before = read_file(record);
    std::uint64_t holder = 0;
    const auto lock =
        server::os::lock_file(dir.path() / "site" / std::string(server::lock_name), false, holder);
    const auto child = start_res(dir, sync);
    const auto err = [&] { return read_file(dir.file("stderr")); };
    EXPECT_TRUE(within(30, [&] {
        return err().find("waiting for it to end") != std::string::npos;
    })) << err();
    ::kill(child, SIGTERM);
    int status = 0;
    const bool ended = within(30, [&] { return ::waitpid(child, &status, WNOHANG) == child; });
    server::os::unlock_file(lock);
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    EXPECT_TRUE(ended) << "still waiting after SIGTERM";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 143) << status;
    EXPECT_THAT(err(), AllOf(HasSubstr("site: stopped by SIGTERM while waiting for the run that "
                                       "holds it; nothing was changed"),
                             HasSubstr("exit 143: stopped by SIGTERM")));
    EXPECT_TRUE(read_file(record) == before);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "site" / std::string(server::journal_name)));
}
#endif

TEST(WithoutFallback, ChecksOnlyWhatCanBeKnown) {
    TempDir dir;
    put_file(dir.path(), "cstrike/maps/m.bsp",
             map_with_textures(R"({"classname" "worldspawn" "wad" "\hl\halflife.wad"})"
                               R"({"noise" "gone.wav"})",
                               {{"sky", false}}));
    put_file(dir.path(), "lists/other.txt", "sound/other.wav\n");
    put_file(dir.path(), "lists/ships.txt", "sound/gone.wav\n");
    const auto check = [&](const std::string& options) {
        return run_res(dir, "--check " + options + " cstrike/maps/m.bsp");
    };
    // One line a map counts what was not checked; --verbose names it.
    const auto alone = check("--verbose --report r.json");
    EXPECT_EQ(alone.status, 0) << alone.err;
    EXPECT_THAT(alone.err,
                AllOf(HasSubstr(" 0 missing, 1 stock, 0 unsafe, 0 replaced, 1 unchecked; "),
                      HasSubstr("1 unchecked texture"),
                      HasSubstr("  not checked: sound/gone.wav\n"),
                      HasSubstr("  1 file and 1 texture not checked: valve/ is not there\n"),
                      HasSubstr("--check does not fail on it\n")));
    EXPECT_THAT(check("").err,
                AllOf(Not(HasSubstr("not checked: sound/gone.wav")),
                      HasSubstr("--check does not fail on it (--verbose names it)")));
    EXPECT_THAT(read_file(dir.file("r.json")), HasSubstr(R"("status": "unchecked")"));
    // A stock list says what the game ships: what it does not list is missing.
    EXPECT_EQ(check("--stock-list lists/other.txt").status, 1);
    EXPECT_THAT(check("--stock-list lists/ships.txt").err, HasSubstr(" 0 missing, 2 stock,"));
}

// The cycle's folder synced and served: all ok, then a file taken away.
TEST_F(ServerCommandLine, ProbesTheSite) {
    mod("maps/de_foo.bsp",
        map_with_textures(R"({"classname" "worldspawn" "wad" "\cs\mine.wad"})", {}));
    mod("mapcycle.txt", "de_foo\nde_bar\n");
    const auto cycle = "--mapcycle cstrike/mapcycle.txt"s;
    ASSERT_EQ(run(cycle + " --fastdl site --gzip").status, 0);
    const WebServer web(dir.path() / "site");
    // The site's credentials are used, and never shown.
    const auto shown = "http://***@" + web.url().substr(7);
    const auto secret = "http://admin:s3cret@" + web.url().substr(7);
    const auto fine = run(cycle + " --probe " + secret + " --report r.json");
    EXPECT_EQ(fine.status, 0) << fine.err;
    EXPECT_THAT(fine.err, HasSubstr("probe of " + shown + ": 3 files, 3 ok"));
    const auto json = read_file(dir.file("r.json"));
    EXPECT_THAT(fine.out + fine.err + json,
                Not(::testing::AnyOf(HasSubstr("s3cret"), HasSubstr("admin"))));
    const auto probed = nlohmann::json::parse(json)["probe"][0];
    EXPECT_EQ(probed["url"].get<std::string>() + " " + probed["verdict"].get<std::string>(),
              shown + "maps/de_foo.bsp ok");

    std::filesystem::remove(dir.path() / "site/mine.wad");
    std::filesystem::remove(dir.path() / "site/mine.wad.gz");
    mod("server.cfg", "exec dl.cfg\nsv_allowdownload 0");
    mod("dl.cfg", "sv_downloadurl \"" + web.url() + "\"");
    const auto lacking = run(cycle + " --probe");
    EXPECT_EQ(lacking.status, 1);
    EXPECT_THAT(lacking.err,
                AllOf(HasSubstr("probe: mine.wad: missing (status 404); players get nothing: the "
                                "in-game download is off (sv_allowdownload 0)"),
                      HasSubstr(": 3 files, 2 ok, 1 missing")));
    mod("dl.cfg", "sv_downloadurl " + web.url());
    EXPECT_THAT(run(cycle + " --probe").err,
                HasSubstr("dl.cfg line 1: sv_downloadurl is set to \"http\""));
}

} // namespace
} // namespace tarnwick::testing

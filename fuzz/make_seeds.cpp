// Writes the seed inputs of the fuzz targets, made with the synthetic-map builder of
// the tests:  tarnwick-fuzz-seeds FOLDER  (makes FOLDER/scan, FOLDER/write, and a folder
// for each reader of the game's file formats).

#include "synthetic_game.h"
#include "synthetic_map.h"

#include <iostream>
#include <vector>

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t block = 1024;

class Seeds {
public:
    explicit Seeds(fs::path folder) : folder_(std::move(folder)) {
        fs::create_directories(folder_);
    }
    // The scan target reads an odd last byte as "a description file lies beside the map",
    // so every map goes in twice, once either way.
    void map(std::string bytes) {
        if (bytes.empty()) return add(bytes);
        bytes.back() = static_cast<char>(bytes.back() & ~1);
        add(bytes);
        bytes.back() = static_cast<char>(bytes.back() | 1);
        add(bytes);
    }
    void add(const std::string& bytes) {
        write_file(folder_ / ("seed-" + std::to_string(count_++)), bytes);
    }

private:
    fs::path folder_;
    int count_ = 0;
};

void scan_seeds(Seeds& seeds) {
    // Sizes at the edges of the block and window arithmetic, the shortest ones failing.
    for (std::size_t size : {0, 1, 512, 513, 1023, 1024, 1536, 2048, 2560, 3000, 3584})
        seeds.map(MapBuilder().pad_to(size).bytes());
    seeds.map(MapBuilder(3).entities(realistic_entities(8, 3)).pad_to(4096).bytes());
    seeds.map(realistic_map(12000, 5));
    seeds.map(MapBuilder(9).entities(many_references_entities(150)).pad_to(9000).bytes());

    // One reference of each kind across each of the first block borders, a few bytes
    // either side, and one that runs back to the start of the file.
    const char* references[] = {R"("model" "models/player/vip/vip.mdl")",
                                R"("wad" "\cs\de_foo.wad")", R"("model" "glow.spr")",
                                R"("message" "ambience/wind.wav")", R"("texture" "gfx/x.tga")"};
    for (const char* r : references) {
        for (std::size_t border : {block, 2 * block, 3 * block}) {
            MapBuilder map(static_cast<std::uint32_t>(border));
            map.entities("").pad_to(5000);
            map.put(border - 12, r);
            seeds.map(map.bytes());
        }
    }
    seeds.map(MapBuilder().append("crate.mdl\"").pad_to(2000).bytes());

    // Sky values cut by a window's end, starting beyond it, and at the file's end.
    for (std::size_t back : {14, 11, 10, 9, 5}) {
        MapBuilder map;
        map.entities("").pad_to(6144);
        map.put(2 * block - back, R"("skyname" "desert")");
        seeds.map(map.bytes());
    }
    MapBuilder end;
    end.entities("").pad_to(3000);
    end.append(R"("skyname" "night)");
    seeds.map(end.bytes());

    // Every byte value among references, controls and high bytes in the paths.
    MapBuilder loud(21, MapBuilder::Noise::loud);
    loud.entities("\"wad\" \"tab\there\nx.wad\" \"model\" \"caf\xE9\x7F.mdl\" \"skyname\" \"\"");
    seeds.map(loud.pad_to(4000).bytes());
}

// The writer target's input: one flag byte, then the map name and the entries, each
// ended the way libFuzzer's data provider reads strings (a backslash is doubled, and a
// backslash before any other byte ends the string).
std::string writer_input(bool old_file, const std::vector<std::string>& strings) {
    std::string out;
    for (std::size_t i = 0; i < strings.size(); ++i) {
        for (char c : strings[i]) {
            out += c;
            if (c == '\\') out += '\\';
        }
        if (i + 1 < strings.size()) out += "\\n";
    }
    // The flag is read from the input's end.
    out += static_cast<char>(old_file ? 1 : 0);
    return out;
}

void write_seeds(Seeds& seeds) {
    const std::vector<std::vector<std::string>> lists = {
        {"de_foo.bsp", "maps/de_foo.txt", "custom.wad", "gfx/env/desertbk.tga",
         "sound/ambience/wind.wav", "models\\de_foo\\barrel.mdl"},
        {"de_foo.bsp"},
        {".bsp", "x.wad"},
        {"bsp", "x.wad"},                                 // too short
        {"d\xC3\xA9_foo.bsp", " Spaced UP \xE9\xFF\x80"}, // a name the single-byte text holds
        {"\xD0\xBA.bsp", "x.wad"},                        // one it cannot hold
        {"\xC3.bsp", "x.wad"},                            // not UTF-8
        {"de_foo.bsp", "", "two\r\nlines", std::string("nul\0byte", 8), "cr\r"},
    };
    for (const auto& list : lists)
        for (bool old_file : {false, true})
            seeds.add(writer_input(old_file, list));
}

// Sound files of each format the game folder reads, and a few cut short.
void format_seeds(const fs::path& folder) {
    using namespace std::string_literals; // counts embedded NULs
    const std::vector<std::pair<const char*, std::vector<std::string>>> formats = {
        {"bsp",
         {map_with_textures("{}", {{"brick", true}, {"{fence", false}, {"sky", false}}),
          map_with_textures("", {})}},
        {"wad",
         {wad_bytes({"brick", "{fence", "sixteen_chars_xx"}), wad_bytes({}),
          "WAD2" + wad_bytes({"old"}).substr(4)}},
        {"pak", {pak_bytes({{"models/x.mdl", "IDST"}, {"sound/a.wav", "RIFF"}}), pak_bytes({})}},
        {"studio_model",
         {studio_model_bytes({false,
                              {"models\\x01.mdl", "models\\x02.mdl"},
                              {{5004, "a/step.wav"}, {1004, "b.wav"}, {5001, "x"}}}),
          studio_model_bytes({}), "IDSQ\0\0\0\0"s}},
        {"liblist", {"game \"CS\"\r\nfallback_dir \"valve\" // x\n", "fallback_dir valve2"}},
        {"library_folders",
         {R"("libraryfolders" { "0" { "path" "C:\\Steam" "apps" { "10" "1" } } "1" {)"
          R"( "PATH" "/a \"b\"" } })",
          R"(// old
"LibraryFolders" { "ContentStatsID" "-1" "1" "D:\\Lib" 2 x })"}},
        {"detail_list",
         {"// c\r\nwall01 detail/brick 1 1\n\tfloor \"detail/x\" 2 2\rsolo\n",
          "a b 1 1 c d 2 2 e f"}},
        {"overview",
         {"global\n{\n\tZOOM 1.2\n}\nlayer\n{\n\tIMAGE \"overviews/de_x.bmp\" // c\n}\n",
          "image a.bmp IMAGE image"}},
        {"res",
         {"// x\r\nmaps/a.bsp\r\n\r\n  x.wad \r\nsound/caf\xC3\xA9.wav\n",
          "\xFF\xFEm\0\r\0\n\0\x3D\xD8\x00\xDE"s,
          "\xEF\xBB\xBF"
          "a.wad\rb\xE9.wad\0\0c"s,
          "a.wav // x\n\"b c.wav\" d,e {f}(g)'h':i \"\" j"}},
        {"server_config",
         {"hostname \"x\"\r\nsv_downloadurl \"http://dl/cs\" // a;sv_allowdownload 0\n"
          "exec game.cfg;sv_filetransfermaxsize 2e6\nexec ../x.cfg\n",
          "sv_downloadurl http://dl/x; exec a.rc \"b\"\n\"sv_send_resources\" 0"}},
        {"mapcycle",
         {"// cycle\r\nde_dust \"\\minplayers\\4\"\r\ncs_x // old\nde_y\n",
          "a(b),c'd' \"e\0f\" g\xE9h \"\" i \"open"s}},
        {"manifest",
         {"tarnwick download folder 1\n4\t0123abcd\t4\t-5\t4\t7\tmaps/de_a.bsp\n"
          "9\tffffffff\t9\t1\t4\t7\tmaps/de_a.bsp.gz\n",
          "tarnwick download folder 1\n"}},
        {"journal",
         {"tarnwick download folder journal 1\n+\t4\t0123abcd\t4\t-5\t4\t7\tmaps/de_a.bsp\n"
          "-\tmaps/de_a.bsp\n+\t9\tffffffff\t9\t1",
          "tarnwick download folder journal 1\n-\t../x\n"}},
        {"server_listing",
         {"    Type    : Total Limit\n    model   : 229   510\n    sound   : 343   511\n"
          "  ------------------------\n  846 Total of precached resource count\n",
          "] reslist model\n  #  index name\n  1. (1) maps/de_x.bsp 1024 ab R\n  2 2 *1\n"
          "reslist sound\r\n1 1 weapons/ak47-1.wav\r\nreslist decal 3 x"}},
        {"entities",
         {map_with_textures(R"({"classname" "worldspawn" "wad" "\cs\a.WAD;b.wad" "SkyName" "x"})"
                            R"({"model" "m.MDL" "targetname" "t" "message" "s.wav;t.Wav"})",
                            {}),
          map_with_textures("x{\"a\"\0\"b\"} }{ \"k\" v{\"open"s, {})}},
    };
    for (const auto& [name, files] : formats) {
        Seeds seeds(folder / name);
        for (const auto& bytes : files) {
            seeds.add(bytes);
            seeds.add(bytes.substr(0, bytes.size() / 2));
        }
    }
}

} // namespace
} // namespace tarnwick::testing

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tarnwick-fuzz-seeds FOLDER\n";
        return 2;
    }
    try {
        tarnwick::testing::Seeds scan(std::filesystem::path(argv[1]) / "scan");
        tarnwick::testing::scan_seeds(scan);
        tarnwick::testing::Seeds write(std::filesystem::path(argv[1]) / "write");
        tarnwick::testing::write_seeds(write);
        tarnwick::testing::format_seeds(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "tarnwick-fuzz-seeds: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

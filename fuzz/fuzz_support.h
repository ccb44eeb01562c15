#pragma once

// What the fuzz targets share: a check that stops the run when an invariant breaks,
// and a private folder for the files an input becomes.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace tarnwick::fuzzing {

[[noreturn]] inline void broken(const char* condition, const char* file, int line,
                                const std::string& detail) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n%s\n", file, line, condition,
                 detail.c_str());
    std::abort(); // libFuzzer saves the input that got here
}

// The detail is only built when the check fails.
#define FUZZ_REQUIRE(condition, detail)                                                            \
    ((condition) ? void() : ::tarnwick::fuzzing::broken(#condition, __FILE__, __LINE__, (detail)))

// Byte strings in failure messages: printable as they are, everything else escaped.
inline std::string shown(std::string_view bytes) {
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c >= 32 && c < 127 && c != '\\' && c != '"') {
            out += static_cast<char>(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out + "\"";
}

inline void write_bytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FUZZ_REQUIRE(out.good(), "cannot write " + path);
}

inline std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    FUZZ_REQUIRE(in.good(), "cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A folder of this process's own, in memory when /dev/shm is there, since every input
// is written to a file and read back.
class Scratch {
public:
    Scratch() {
        std::error_code ec;
        const std::filesystem::path shm = "/dev/shm";
        const auto base =
            std::filesystem::is_directory(shm, ec) ? shm : std::filesystem::temp_directory_path();
        path_ = base / ("tarnwick-fuzz-" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_, ec);
        std::filesystem::create_directories(path_);
    }
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(std::string_view name) const { return (path_ / name).string(); }

    // The names in the folder, to see that nothing was left behind.
    std::string listing() const {
        std::string names;
        for (const auto& e : std::filesystem::directory_iterator(path_))
            names += e.path().filename().string() + " ";
        return names;
    }

private:
    std::filesystem::path path_;
};

} // namespace tarnwick::fuzzing

#include "platform/steam_roots.h"
#include "synthetic_map.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace fs = std::filesystem;

// Under a HOME of the test's own: ~/.steam/steam is a link to ~/.local/share/Steam, as
// Steam makes it, and ~/.steam/root a folder of its own.
TEST(SteamRoots, AreTheFoldersUnderHomeThatExistEachOnce) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps them in the registry";
#else
    const tarnwick::testing::TempDir home;
    fs::create_directories(home.path() / ".local/share/Steam");
    fs::create_directories(home.path() / ".steam/root");
    fs::create_directory_symlink(home.path() / ".local/share/Steam", home.path() / ".steam/steam");
    const char* old = std::getenv("HOME");
    const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
    ::setenv("HOME", home.path().c_str(), 1);
    const auto roots = tarnwick::platform::steam_roots();
    saved ? ::setenv("HOME", saved->c_str(), 1) : ::unsetenv("HOME");
    const auto real = fs::canonical(home.path());
    EXPECT_EQ(roots, (std::vector{real / ".local/share/Steam", real / ".steam/root"}));
#endif
}

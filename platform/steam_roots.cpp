#include "platform/steam_roots.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#ifdef _WIN32
#include <QSettings>
#include <QString>
#endif

namespace tarnwick::platform {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> candidates() {
#ifdef _WIN32
    std::vector<fs::path> found;
    const std::pair<const char*, const char*> values[] = {
        {"HKEY_CURRENT_USER\\Software\\Valve\\Steam", "SteamPath"},
        {"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Valve\\Steam", "InstallPath"},
    };
    for (const auto& [key, name] : values) {
        const auto value = QSettings(QString::fromLatin1(key), QSettings::NativeFormat)
                               .value(QString::fromLatin1(name))
                               .toString();
        if (!value.isEmpty()) found.emplace_back(value.toStdWString());
    }
    return found;
#else
    const char* home = std::getenv("HOME");
    if (!home || !*home) return {};
    const fs::path h(home);
    return {h / ".steam/steam", h / ".steam/root", h / ".local/share/Steam"};
#endif
}

} // namespace

std::vector<fs::path> steam_roots() {
    std::vector<fs::path> roots;
    for (const auto& candidate : candidates()) {
        std::error_code ec;
        if (!fs::is_directory(candidate, ec)) continue;
        auto root = fs::canonical(candidate, ec);
        if (!ec && std::find(roots.begin(), roots.end(), root) == roots.end())
            roots.push_back(std::move(root));
    }
    return roots;
}

} // namespace tarnwick::platform

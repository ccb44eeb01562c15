// Tarnwick: lists the resources a compiled map needs and writes its .res file.

#include "app/form1.h"
#include "app/window_icon.h"
#include "platform/fonts.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

constexpr const char* usage =
    "usage: tarnwick [MAP.bsp]\n"
    "Lists the resources a compiled map needs and writes its .res file; MAP.bsp is analysed\n"
    "as if chosen with \"...\".\n"
    "  -h, --help     show this text\n"
    "  --version      show the version\n";

// Qt's own options, which QApplication takes off the command line: those that take a value,
// then the others.
constexpr std::string_view qt_options_with_value[] = {
    "-platform",    "-platformpluginpath", "-platformtheme", "-plugin",  "-qwindowgeometry",
    "-qwindowicon", "-qwindowtitle",       "-session",       "-display", "-geometry",
    "-style",       "-stylesheet",         "-name",          "-title"};
constexpr std::string_view qt_flags[] = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};

bool among(std::string_view argument, auto& options) {
    return std::find(std::begin(options), std::end(options), argument) != std::end(options);
}

// Answers the options that need no window, before Qt looks for a display. Returns the exit
// status when the program has nothing more to do.
std::optional<int> answer_options(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            std::fputs(usage, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::puts("tarnwick " TARNWICK_VERSION);
            return 0;
        }
        if (among(argument, qt_options_with_value)) {
            ++i;
            continue;
        }
        if (argument.size() < 2 || argument[0] != '-' || among(argument, qt_flags)) continue;
        std::fprintf(stderr, "tarnwick: unknown option %s\n%s", argv[i], usage);
        return 2;
    }
    return std::nullopt;
}

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
// The platform Qt is asked for: -platform on the command line, else QT_QPA_PLATFORM.
std::string_view asked_platform(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string_view(argv[i]) == "-platform") return argv[i + 1];
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    return platform ? platform : "";
}

bool named(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// Whether Qt can find a display for one of the platforms asked ("wayland;xcb", each with
// its options after ':'), or for its own choice when none is: without one it would abort
// with words about plugins. A platform that needs no display (offscreen, vnc, eglfs, …) is
// taken as it is.
bool display_found(int argc, char** argv) {
    bool x11 = named("DISPLAY");
    for (int i = 1; i + 1 < argc; ++i)
        x11 = x11 || std::string_view(argv[i]) == "-display";
    const bool wayland = named("WAYLAND_DISPLAY");
    std::string_view platforms = asked_platform(argc, argv);
    if (platforms.empty()) return x11 || wayland;
    while (!platforms.empty()) {
        const auto end = platforms.find(';');
        const auto platform = platforms.substr(0, platforms.substr(0, end).find(':'));
        if (platform == "xcb" ? x11 : platform.starts_with("wayland") ? wayland : !platform.empty())
            return true;
        platforms = end == std::string_view::npos ? "" : platforms.substr(end + 1);
    }
    return false;
}
#else
// Windows and macOS always have their desktop.
bool display_found(int, char**) {
    return true;
}
#endif

} // namespace

int main(int argc, char** argv) {
    if (const auto status = answer_options(argc, argv)) return *status;
    if (!display_found(argc, argv)) {
        std::fputs("tarnwick needs a desktop session: no display was found\n", stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    QApplication::setWindowIcon(tarnwick::app::window_icon());
    tarnwick::platform::ensure_fonts();
    tarnwick::platform::QtDialogs dialogs;
    tarnwick::app::Form1 form(tarnwick::platform::system_services(dialogs));
    dialogs.set_parent(&form);
    form.show();
    tarnwick::app::open_command_line_map(form, QApplication::arguments());
    return QApplication::exec();
}

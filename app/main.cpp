// Tarnwick: lists the resources a compiled map needs and writes its .res file.

#include "app/form1.h"
#include "app/window_icon.h"
#include "platform/fonts.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
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

} // namespace

int main(int argc, char** argv) {
    if (const auto status = answer_options(argc, argv)) return *status;
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

// Tarnwick: lists the resources a compiled map needs and writes its .res file.

#include "app/form1.h"
#include "app/window_icon.h"
#include "platform/fonts.h"

#include <QApplication>

int main(int argc, char** argv) {
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

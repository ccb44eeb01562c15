#include "platform/os/system.h"

#include <QFileDialog>
#include <QKeyEvent>

namespace tarnwick::platform::os {

void prepare_open_dialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
}

int native_key_code(const QKeyEvent&) { return 0; }

// Debian's fonts-wine.
QString bundled_font_folder() { return QStringLiteral("/usr/share/wine/fonts/"); }

} // namespace tarnwick::platform::os

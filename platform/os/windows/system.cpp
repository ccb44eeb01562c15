#include "platform/os/system.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <windows.h>

namespace tarnwick::platform::os {

// The system's own dialog, as every other program there shows it.
void prepare_open_dialog(QFileDialog&) {}

// The platform reports the code itself, for every keyboard layout.
int native_key_code(const QKeyEvent& event) { return static_cast<int>(event.nativeVirtualKey()); }

// The system's font folder: Windows has "Tahoma" and "Marlett" installed, and an
// "MS Sans Serif" put there as a file is taken too.
QString bundled_font_folder() {
    wchar_t folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return QString::fromWCharArray(folder, static_cast<qsizetype>(length)) +
           QStringLiteral("\\Fonts\\");
}

} // namespace tarnwick::platform::os

#include "platform/os/system.h"

#include <QFileDialog>
#include <QKeyEvent>

namespace tarnwick::platform::os {

// The system's own dialog, as every other program there shows it.
void prepare_open_dialog(QFileDialog&) {}

// The platform reports the code itself, for every keyboard layout.
int native_key_code(const QKeyEvent& event) { return static_cast<int>(event.nativeVirtualKey()); }

// Windows has all three faces.
QString bundled_font_folder() { return {}; }

} // namespace tarnwick::platform::os

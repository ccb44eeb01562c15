#pragma once

#include <QIcon>

namespace tarnwick::app {

// The program's icon, in 32 x 32 and 16 x 16 pixels, as the desktop shows it outside the
// window (task bar, task switcher). The same images are installed for the desktop entry.
QIcon window_icon();

} // namespace tarnwick::app

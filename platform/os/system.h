#pragma once

// The few things the window does differently per system, one small file per system
// (os/posix, os/windows) chosen by the build: nothing else in the window tells them apart.

#include <QString>

class QFileDialog;
class QKeyEvent;

namespace tarnwick::platform::os {

// Makes the open-file dialog the one people know on this system: the system's own on
// Windows, Qt's everywhere else (the same on every desktop, and what the tests drive).
void prepare_open_dialog(QFileDialog& dialog);

// The virtual-key code the system reported with a key event, or 0 where the system reports
// none: then the code is derived from the toolkit's key.
int native_key_code(const QKeyEvent& event);

// A folder of font files to take "Tahoma", "Marlett" and "MS Sans Serif" from when the
// system has no face of that name; empty where the system always has them.
QString bundled_font_folder();

} // namespace tarnwick::platform::os

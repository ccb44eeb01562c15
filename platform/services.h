#pragma once

// What the windows need from the system besides drawing, behind one seam so that tests can
// script the dialogs, hold the cursor where they like and see the program end.

#include "platform/dialogs.h"

#include <QPoint>
#include <filesystem>
#include <functional>
#include <vector>

namespace tarnwick::platform {

struct Services {
    Dialogs* dialogs = nullptr;
    // The cursor's position on the screen, in pixels.
    std::function<QPoint()> cursor_pos;
    // Lets pending user-interface events run from inside a long operation.
    std::function<void()> pump_events;
    // Ends the process at once: nothing is asked and nothing is saved.
    std::function<void()> end_process;
    // The folders the system's Steam keeps its libraries in, where the game is looked for
    // when a map lies outside it.
    std::function<std::vector<std::filesystem::path>()> steam_roots;
};

// The real cursor, event loop and process, with `dialogs`.
Services system_services(Dialogs& dialogs);

// Processes pending events, but not more often than every few milliseconds: a scan asks
// at every block, and a thousand trips through the event loop cost more than the scan.
// Still often enough that the progress window repaints and a click is answered at once.
std::function<void()> throttled_event_pump();

} // namespace tarnwick::platform

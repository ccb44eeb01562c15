#include "platform/services.h"

#include "platform/steam_roots.h"

#include <QCoreApplication>
#include <QCursor>
#include <chrono>
#include <cstdlib>

namespace tarnwick::platform {

namespace {
constexpr auto pump_interval = std::chrono::milliseconds(8);
}

std::function<void()> throttled_event_pump() {
    using Clock = std::chrono::steady_clock;
    return [last = Clock::time_point{}]() mutable {
        const auto now = Clock::now();
        if (now - last < pump_interval) return;
        last = now;
        QCoreApplication::processEvents();
    };
}

Services system_services(Dialogs& dialogs) {
    Services services;
    services.dialogs = &dialogs;
    services.cursor_pos = [] { return QCursor::pos(); };
    services.pump_events = throttled_event_pump();
    services.end_process = [] { std::_Exit(EXIT_SUCCESS); };
    services.steam_roots = [] { return steam_roots(); };
    return services;
}

} // namespace tarnwick::platform

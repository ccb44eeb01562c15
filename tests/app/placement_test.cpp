// Where the report opens beside the main window, on the screens the game's players have.

#include "app/placement.h"

#include <gtest/gtest.h>
#include <string>

namespace tarnwick::testing {
namespace {

// The main window, the report and the main window's list, as the layouts have them.
constexpr QSize main_size(534, 576), report_size(454, 576);
const QRect list_in_main(17, 112, 499, 420);

TEST(ReportPlace, SideBySideOnCommonScreensWithTheMainWindowAnywhere) {
    const QSize screens[] = {{1024, 768}, {1280, 1024}, {1366, 768}, {1920, 1080}};
    for (const auto screen_size : screens) {
        const QRect screen(QPoint(0, 0), screen_size);
        for (int x = -300; x < screen.width(); x += 23) {
            for (const int y : {-40, 0, 97, screen.height() - 500}) {
                const QRect main(QPoint(x, y), main_size);
                const auto placed = app::place_report(screen, main, report_size, list_in_main);
                const QRect moved(placed.main, main_size);
                SCOPED_TRACE(std::to_string(screen.width()) + " wide, main at " +
                             std::to_string(x) + "," + std::to_string(y));
                EXPECT_TRUE(screen.contains(moved) && screen.contains(placed.report));
                EXPECT_FALSE(moved.intersects(placed.report));
                EXPECT_EQ(placed.report.size(), report_size);
                EXPECT_EQ(placed.report.top(), moved.top());
                // The main window moves only when it must, and then once, as little as it
                // must: the report then stands at the screen's edge.
                const bool room_beside = screen.contains(main) &&
                                         (main.right() + 4 + report_size.width() < screen.width() ||
                                          main.left() - 4 - report_size.width() >= 0);
                if (room_beside) {
                    EXPECT_EQ(placed.main, main.topLeft());
                } else if (screen.contains(main)) {
                    EXPECT_TRUE(placed.report.left() == 0 ||
                                placed.report.right() == screen.right());
                }
            }
        }
    }
}

TEST(ReportPlace, WhereTheWindowsGo) {
    const struct {
        QRect screen;
        QPoint main;
        QPoint main_after;
        QRect report;
    } table[] = {
        // Centred on 1280 and 1366 pixels: the main window moves left (on a tie too).
        {{0, 0, 1280, 1024}, {373, 224}, {288, 224}, {{826, 224}, report_size}},
        {{0, 0, 1366, 768}, {416, 96}, {374, 96}, {{912, 96}, report_size}},
        // Right of the middle: it moves right, the report at the left.
        {{0, 0, 1024, 768}, {400, 96}, {458, 96}, {{0, 96}, report_size}},
        // A second screen to the right of the first, its task bar on top.
        {{1920, 40, 1280, 984}, {2290, 10}, {2208, 40}, {{2746, 40}, report_size}},
        // Narrower than both: over the main window's list alone, at the side with more room.
        {{0, 0, 800, 600}, {100, 10}, {100, 10}, {346, 122, 454, 420}},
        {{0, 0, 800, 600}, {200, 10}, {200, 10}, {0, 122, 454, 420}},
        {{0, 0, 640, 480}, {60, 0}, {60, 0}, {0, 112, 454, 368}}, // kept on the screen
    };
    for (const auto& row : table) {
        const auto placed =
            app::place_report(row.screen, QRect(row.main, main_size), report_size, list_in_main);
        EXPECT_EQ(placed.main, row.main_after) << row.screen.width() << " " << row.main.x();
        EXPECT_EQ(placed.report, row.report) << row.screen.width() << " " << row.main.x();
        // No more of the main window than the band of its list, between its buttons.
        const QRect covered = placed.report.intersected(QRect(placed.main, main_size));
        const QRect list = list_in_main.translated(placed.main);
        EXPECT_TRUE(covered.isEmpty() ||
                    (covered.top() >= list.top() && covered.bottom() <= list.bottom()));
    }
}

} // namespace
} // namespace tarnwick::testing

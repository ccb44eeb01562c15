// The main of the test executables that need a QApplication. Widgets are created and drawn
// on the platform the build names: offscreen, so the tests need no display; for Windows the
// system's own, whose fonts are the ones people see (under wine, on an X server the test
// run starts).

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", TARNWICK_TEST_PLATFORM);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

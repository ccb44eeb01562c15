#include "platform/colour.h"

#include <gtest/gtest.h>

using namespace tarnwick::platform;

TEST(Colour, StoredValuesAreBlueGreenRed) {
    EXPECT_EQ(to_rgb(0x00112233), qRgb(0x33, 0x22, 0x11));
    EXPECT_EQ(to_rgb(0x0044584C), qRgb(0x4C, 0x58, 0x44));
}

TEST(Colour, SystemColoursComeFromTheClassicScheme) {
    EXPECT_EQ(to_rgb(window_text), qRgb(0, 0, 0));
    EXPECT_EQ(to_rgb(system_colour(5)), qRgb(255, 255, 255));  // window
    EXPECT_EQ(to_rgb(system_colour(16)), qRgb(128, 128, 128)); // button shadow
    EXPECT_EQ(to_rgb(system_colour(200)), qRgb(0, 0, 0));      // beyond the table
}

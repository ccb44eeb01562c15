// What every skinned control shares, seen through the button; and the frame, which is little
// more than what they share.

#include "control_harness.h"
#include "controls/elboton.h"
#include "controls/elframe.h"

#include <gtest/gtest.h>

using namespace tarnwick::controls::testing;

TEST(Base, WhatIsPaintedIsWhatRenders) {
    Loaded<elboton, 1200, 360> button;
    EXPECT_EQ(button.grab().toImage().convertToFormat(QImage::Format_RGB32), button.render());
}

TEST(Frame, StoredColoursSwappedGiveARaisedFrame) {
    Loaded<elframe, 7710, 570> frame( // 514 x 38 px
        {{"color3dlight", Colour(skin::edge_dark)}, {"color3ddark", Colour(light)}});
    // The top edge lies over the right one.
    expect_colour(frame, light, {{0, 0}, {513, 0}, {0, 36}});
    expect_colour(frame, skin::edge_dark, {{513, 1}, {513, 36}, {0, 37}, {513, 37}});
}

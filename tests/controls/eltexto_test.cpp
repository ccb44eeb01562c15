#include "control_harness.h"
#include "controls/eltexto.h"

#include <gtest/gtest.h>

using namespace tarnwick::controls::testing;

namespace {

using Box = Loaded<eltexto, 1425, 300>;

// What the user sees, the field included.
QRgb seen(eltexto& box, int x, int y) {
    return box.grab().toImage().pixel(x, y);
}

} // namespace

TEST(TextBox, ALayoutShowsInTheFieldAndTheFrame) {
    Box box;
    expect_colour(box, black, {{0, 0}}); // sunken
    expect_colour(box, light, {{1, 19}});
    EXPECT_EQ(seen(box, 50, 10), to_rgb(skin::back_dark));
    box.load({{"fontsize", 12.0}});
    EXPECT_EQ(box.Text1().font().pixelSize(), 16);
}

// What every skinned control shares, exercised through the button and the frame; and the
// frame, which is little more than what they share.

#include "control_harness.h"
#include "controls/elboton.h"
#include "controls/elframe.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

using namespace tarnwick::controls::testing;
using tarnwick::platform::image_of;
using tarnwick::platform::OverflowError;

TEST(Background, BlendsTheHostPictureInsideTheOuterRingWithAByteOfOpacity) {
    Surface host(200, 100, 0); // every pixel differs: red = x, green = y
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            host.image().setPixel(x, y, qRgb(x, y, 0));
    Loaded<elframe, 600, 300> frame; // 40 x 20 px, its edges on the outer ring
    const QRgb back = to_rgb(frame.BackColor());
    frame.obtener_imagen_fondo(host.hdc(), 50, 10, 255);
    // The source starts at (X, Y) although the picture lands at (1, 1).
    EXPECT_EQ(pixel(frame, 1, 1), qRgb(50, 10, 0));
    EXPECT_EQ(pixel(frame, 38, 18), qRgb(87, 27, 0));
    EXPECT_EQ(image_of(frame.get_the_hdc())->pixel(39, 19), back); // under the edges
    frame.obtener_imagen_fondo(host.hdc(), 50, 10, 128);
    EXPECT_EQ(pixel(frame, 1, 1),
              qRgb((50 * 128 + qRed(back) * 127) / 255, (10 * 128 + qGreen(back) * 127) / 255,
                   (qBlue(back) * 127) / 255));
    // Outside a byte, it fails after the clear.
    for (std::int16_t bad : {std::int16_t(256), std::int16_t(-1)}) {
        frame.obtener_imagen_fondo(host.hdc(), 50, 10, 255);
        EXPECT_THROW(frame.obtener_imagen_fondo(host.hdc(), 50, 10, bad), OverflowError);
        EXPECT_EQ(pixel(frame, 1, 1), back);
    }
}

TEST(Base, WhatIsPaintedIsWhatRendersAndSettersNotifyAfterApplyingButLoadDoesNot) {
    Loaded<elboton, 1200, 360> button;
    EXPECT_EQ(button.grab().toImage().convertToFormat(QImage::Format_RGB32), button.render());
    QStringList seen;
    button.on_change(
        [&](const QString& name) { seen << name + QString::number(button.BackColor()); });
    button.BackColor(17);
    EXPECT_EQ(pixel(button, 40, 1), to_rgb(17));
    button.load({{"backcolor", Colour(18)}});
    EXPECT_EQ(seen, QStringList{"BackColor17"});
}

TEST(Frame, StoresItsDesignColoursAndStoredColoursSwappedGiveARaisedFrame) {
    PropertyStore layout;
    elframe().save(layout); // made without a layout
    EXPECT_EQ(layout.names(), (QStringList{"BackColor", "Color3DDark"}));
    Loaded<elframe, 7710, 570> frame(layout); // 514 x 38 px
    layout.set("color3dlight", Colour(skin::edge_dark));
    layout.set("color3ddark", Colour(light));
    frame.load(layout);
    // The top edge lies over the right one.
    expect_colour(frame, light, {{0, 0}, {513, 0}, {0, 36}});
    expect_colour(frame, skin::edge_dark, {{513, 1}, {513, 36}, {0, 37}, {513, 37}});
    frame.Resize(15, 15);
    expect_colour(frame, light, {{0, 0}}); // one pixel: the top edge is the topmost part
}

TEST(Frame, RaisesTheMouseEventsOfItsSurfaceUnlessItIsDisabled) {
    Loaded<elframe, 3000, 1500> frame;
    Recorder host(frame);
    hover(frame, {150, 60});
    double_click(frame, {150, 60});
    frame.Enabled(false);
    click(frame, {150, 60});
    EXPECT_EQ(host.log, "3(150,60) 2(150,60) 4(150,60) 1 5 4(150,60)");
}

// What every skinned control shares, exercised through the button and the frame.

#include "control_harness.h"
#include "controls/elboton.h"
#include "controls/elframe.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

using namespace tarnwick::controls::testing;
using tarnwick::platform::image_of;
using tarnwick::platform::OverflowError;

namespace {

// A host picture whose every pixel differs: red = x, green = y.
struct HostPicture {
    Surface surface{200, 100, 0};
    HostPicture() {
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 200; ++x)
                surface.image().setPixel(x, y, qRgb(x, y, 0));
    }
};

QRgb surface_pixel(const SkinnedControl& control, int x, int y) {
    return image_of(control.get_the_hdc())->pixel(x, y);
}

} // namespace

TEST(Background, BlendsTheHostPictureInsideTheOuterRing) {
    HostPicture host;
    elframe frame;
    frame.load({});
    frame.Resize(600, 300); // 40 x 20 px
    const QRgb back = to_rgb(frame.BackColor());
    frame.obtener_imagen_fondo(host.surface.hdc(), 50, 10, 255);
    // The source starts at (X, Y) although the picture lands at (1, 1).
    EXPECT_EQ(surface_pixel(frame, 1, 1), qRgb(50, 10, 0));
    EXPECT_EQ(surface_pixel(frame, 38, 18), qRgb(87, 27, 0));
    EXPECT_EQ(surface_pixel(frame, 39, 19), back);
    frame.obtener_imagen_fondo(host.surface.hdc(), 50, 10, 128);
    EXPECT_EQ(surface_pixel(frame, 1, 1),
              qRgb((50 * 128 + qRed(back) * 127) / 255, (10 * 128 + qGreen(back) * 127) / 255,
                   (qBlue(back) * 127) / 255));
    frame.obtener_imagen_fondo(host.surface.hdc(), 50, 10, 0);
    EXPECT_EQ(surface_pixel(frame, 1, 1), back);
}

TEST(Background, OpacityOutsideAByteFailsAfterClearing) {
    HostPicture host;
    elboton button;
    const QRgb back = to_rgb(button.BackColor());
    for (std::int16_t bad : {std::int16_t(256), std::int16_t(-1)}) {
        button.obtener_imagen_fondo(host.surface.hdc(), 5, 5, 255);
        ASSERT_NE(surface_pixel(button, 3, 3), back);
        EXPECT_THROW(button.obtener_imagen_fondo(host.surface.hdc(), 5, 5, bad), OverflowError);
        EXPECT_EQ(surface_pixel(button, 3, 3), back);
    }
}

TEST(Background, TooNarrowForTheRingDrawsNothing) {
    HostPicture host;
    elframe frame;
    frame.Resize(30, 300); // 2 px wide: a blend of width 0
    frame.obtener_imagen_fondo(host.surface.hdc(), 0, 0, 255);
    EXPECT_EQ(surface_pixel(frame, 1, 1), to_rgb(frame.BackColor()));
    frame.Resize(15, 15); // 1 px: negative width and height
    frame.obtener_imagen_fondo(host.surface.hdc(), 0, 0, 255);
    EXPECT_EQ(surface_pixel(frame, 0, 0), to_rgb(frame.BackColor()));
    frame.obtener_imagen_fondo(0, 0, 0, 255); // no context at all
}

TEST(Base, WhatIsPaintedIsWhatRenders) {
    elboton button;
    button.load({});
    button.Resize(1200, 360);
    EXPECT_EQ(button.grab().toImage().convertToFormat(QImage::Format_RGB32), button.render());
}

TEST(Base, SettersNotifyAfterApplyingAndLoadDoesNot) {
    elboton button;
    QStringList seen;
    button.on_change(
        [&](const QString& name) { seen << name + QString::number(button.BackColor()); });
    button.BackColor(17);
    EXPECT_EQ(pixel(button, 40, 1), to_rgb(17));
    button.load({{"backcolor", Colour(18)}});
    EXPECT_EQ(button.BackColor(), 18u);
    EXPECT_EQ(seen, QStringList{"BackColor17"});
}

#pragma once

// Loads a control as a window would, drives it the way the window system would (mouse events
// sent to the widget) and records what it reports to its host.

#include "controls/skin.h"
#include "controls/skinned_control.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <string>

namespace tarnwick::controls::testing {

using namespace tarnwick::controls;
using platform::Surface;
using platform::to_rgb;

// The skin's lit edge, and the black of the system's window text.
constexpr Colour light = skin::light, black = platform::window_text;

// A control as a window loads it: from its stored layout, then sized (in twips).
template <class C, int width, int height> struct Loaded : C {
    explicit Loaded(const PropertyStore& layout = {}, int w = width) {
        this->load(layout);
        this->Resize(w, height);
    }
};

inline void send(QWidget& w, QEvent::Type type, QPoint p, Qt::MouseButton button,
                 Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(p), QPointF(w.mapToGlobal(p)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
}

inline void press(QWidget& w, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    send(w, QEvent::MouseButtonPress, p, button, button);
}
inline void release(QWidget& w, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    send(w, QEvent::MouseButtonRelease, p, button, Qt::NoButton);
}
inline void hover(QWidget& w, QPoint p) {
    send(w, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
}
inline void click(QWidget& w, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    press(w, p, button);
    release(w, p, button);
}

// What a control raised, one event a word: its number, then "(X,Y)" unless both are 0; and
// the Button of each event, one digit each.
struct Recorder {
    std::string log, buttons;

    explicit Recorder(SkinnedControl& control) {
        control.on_event([this](int event, EventArgs& args) { note(event, args); });
    }
    void note(int event, const EventArgs& args) {
        log += (log.empty() ? "" : " ") + std::to_string(event);
        if (args.X != 0 || args.Y != 0)
            log += "(" + std::to_string(int(args.X)) + "," + std::to_string(int(args.Y)) + ")";
        buttons += std::to_string(args.Button);
    }
};

inline QRgb pixel(const SkinnedControl& control, int x, int y) {
    return control.render().pixel(x, y);
}

// Checks that each of the points of the picture (a control's, when given one) shows `colour`.
inline void expect_colour(const QImage& picture, Colour colour,
                          std::initializer_list<QPoint> points) {
    for (const QPoint p : points)
        EXPECT_EQ(picture.pixel(p), platform::to_rgb(colour)) << "at " << p.x() << ", " << p.y();
}
inline void expect_colour(const SkinnedControl& control, Colour colour,
                          std::initializer_list<QPoint> points) {
    expect_colour(control.render(), colour, points);
}

} // namespace tarnwick::controls::testing

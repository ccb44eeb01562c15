#pragma once

#include "platform/colour.h"

#include <QImage>
#include <cstdint>

namespace tarnwick::platform {

// A device-context handle as the controls pass it around. 0 is never a context.
using Hdc = std::uint32_t;

// A persistent picture with its own device context: what is drawn on it stays until the
// next clear. The handle is registered while the surface lives; once it is gone the handle
// names nothing, so a stale handle draws and copies nothing. Handles are not reused.
class Surface {
public:
    Surface(int width, int height, Colour back);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    Hdc hdc() const { return hdc_; }
    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    Colour back_colour() const { return back_; }
    // Only the colour of the next clear; what is drawn stays.
    void set_back_colour(Colour back) { back_ = back; }
    void clear();
    // Keeps the pixels that still fit; new area shows the background colour.
    void resize(int width, int height);

private:
    QImage image_;
    Colour back_;
    Hdc hdc_;
};

// The picture behind a handle, or nullptr for 0 and for handles that name no live surface.
QImage* image_of(Hdc hdc);

} // namespace tarnwick::platform

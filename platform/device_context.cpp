#include "platform/device_context.h"

#include "platform/draw.h"

#include <algorithm>
#include <unordered_map>

namespace tarnwick::platform {

namespace {

// Everything runs on the user-interface thread, so the registry needs no lock.
std::unordered_map<Hdc, Surface*>& registry() {
    static std::unordered_map<Hdc, Surface*> surfaces;
    return surfaces;
}

Hdc next_handle() {
    static Hdc last = 0;
    do {
        ++last;
    } while (last == 0 || registry().count(last) != 0);
    return last;
}

QImage blank(int width, int height, Colour back) {
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    clear(image, back);
    return image;
}

} // namespace

Surface::Surface(int width, int height, Colour back)
    : image_(blank(width, height, back)), back_(back), hdc_(next_handle()) {
    registry().emplace(hdc_, this);
}

Surface::~Surface() {
    registry().erase(hdc_);
}

void Surface::clear() {
    platform::clear(image_, back_);
}

void Surface::resize(int width, int height) {
    if (width == image_.width() && height == image_.height()) return;
    QImage grown = blank(width, height, back_);
    copy_pixels(grown, 0, 0, image_, 0, 0, image_.width(), image_.height());
    image_ = std::move(grown);
}

QImage* image_of(Hdc hdc) {
    if (hdc == 0) return nullptr;
    const auto found = registry().find(hdc);
    return found == registry().end() ? nullptr : &found->second->image();
}

} // namespace tarnwick::platform

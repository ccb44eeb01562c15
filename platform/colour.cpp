#include "platform/colour.h"

#include <array>

namespace tarnwick::platform {

namespace {

// The classic scheme, as 0x00BBGGRR, indexed by system colour number.
constexpr std::array<Colour, 31> classic_scheme = {
    0x00C8D0D4, // 0 scroll bar
    0x00808000, // 1 desktop
    0x006A240A, // 2 active caption
    0x00808080, // 3 inactive caption
    0x00C8D0D4, // 4 menu
    0x00FFFFFF, // 5 window
    0x00000000, // 6 window frame
    0x00000000, // 7 menu text
    0x00000000, // 8 window text
    0x00FFFFFF, // 9 caption text
    0x00C8D0D4, // 10 active border
    0x00C8D0D4, // 11 inactive border
    0x00808080, // 12 application workspace
    0x006A240A, // 13 highlight
    0x00FFFFFF, // 14 highlight text
    0x00C8D0D4, // 15 button face
    0x00808080, // 16 button shadow
    0x00808080, // 17 grey text
    0x00000000, // 18 button text
    0x00C8D0D4, // 19 inactive caption text
    0x00FFFFFF, // 20 button highlight
    0x00404040, // 21 3D dark shadow
    0x00C8D0D4, // 22 3D light
    0x00000000, // 23 tooltip text
    0x00E1FFFF, // 24 tooltip background
    0x00B5B5B5, // 25 (unused)
    0x00800000, // 26 hot-tracked item
    0x00F0CAA6, // 27 active caption gradient
    0x00C0C0C0, // 28 inactive caption gradient
    0x006A240A, // 29 menu highlight
    0x00C8D0D4, // 30 menu bar
};

} // namespace

QRgb to_rgb(Colour colour) {
    if (colour & system_colour_flag) {
        const Colour n = colour & ~system_colour_flag;
        colour = n < classic_scheme.size() ? classic_scheme[n] : 0;
    }
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

} // namespace tarnwick::platform

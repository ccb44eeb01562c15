#pragma once

#include <QRgb>
#include <cstdint>

namespace tarnwick::platform {

// 0x00BBGGRR, as the layouts store it; 0x80000000 + n names system colour n.
using Colour = std::uint32_t;

constexpr Colour system_colour_flag = 0x80000000u;
constexpr Colour system_colour(int n) {
    return system_colour_flag + static_cast<Colour>(n);
}
// The window-text colour, the default dark edge of the controls.
constexpr Colour window_text = system_colour(8);

// Resolved when drawn, from the classic default scheme so that the look does not depend on
// the desktop's theme. A system colour beyond the table resolves to black, as the platform
// answers for an index it does not know.
QRgb to_rgb(Colour colour);

} // namespace tarnwick::platform

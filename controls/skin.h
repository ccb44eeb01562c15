#pragma once

#include "platform/colour.h"
#include "platform/fonts.h"

namespace tarnwick::controls::skin {

using platform::Colour;

constexpr Colour back = 0x0044584C;      // dark olive grey
constexpr Colour back_dark = 0x0037463E; // lists, fields, the frame before its layout
constexpr Colour light = 0x0095AAA0;     // raised edges, lit side
constexpr Colour dark = platform::window_text;
constexpr Colour edge_dark = 0x00222E28;   // the darker edge of the designs
constexpr Colour field_light = 0x00809188; // the lit edge of the text box
constexpr Colour caption = 0x00FFFFFF;
constexpr Colour shadow = 0x00000000;

// What the game folder says of an entry, as the list and the report colour it.
namespace status {
constexpr Colour found = caption;
constexpr Colour case_mismatch = 0x004AC2FF; // amber
constexpr Colour missing = 0x006E7BFF;       // red, for unsafe names too
constexpr Colour unsafe = missing;
constexpr Colour stock = 0x008F978C;    // dimmed grey: ships with the game
constexpr Colour replaced = 0x00BABFB9; // grey: a sky face the game takes from its .bmp
} // namespace status

// The face the controls are designed in, before a layout gives them their own.
inline platform::Font design_font() {
    return {.name = QStringLiteral("Tahoma"), .size = 9.75};
}

} // namespace tarnwick::controls::skin

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
constexpr Colour pale_text = 0x00D3DED8; // labels, a field's stored text, an unchosen option
constexpr Colour accent = 0x0050B5C4;    // a chosen option, the progress blocks
constexpr Colour over = 0x00FF0000;      // an option under the pointer
constexpr Colour close_cross = field_light;
constexpr Colour emblem_shade = 0x00C8D2CD; // the lit rim of the title's emblem

// What the game folder says of an entry, as the list and the report colour it.
namespace status {
constexpr Colour found = caption;
constexpr Colour case_mismatch = 0x004AC2FF; // amber
constexpr Colour missing = 0x006E7BFF;       // red, for unsafe names too
constexpr Colour unsafe = missing;
constexpr Colour stock = 0x008F978C;    // dimmed grey: ships with the game
constexpr Colour replaced = 0x00BABFB9; // grey: a sky face the game takes from its .bmp
} // namespace status

// Every text of the skin is Tahoma, regular: titles in the larger size, the rest in the
// smaller one.
constexpr double text_size = 8.25;  // 11 px
constexpr double title_size = 9.75; // 13 px
inline platform::Font tahoma(double size) {
    return {.name = QStringLiteral("Tahoma"), .size = size};
}
inline platform::Font text_font() {
    return tahoma(text_size);
}
// The face the controls are designed in, before a layout gives them their own.
inline platform::Font design_font() {
    return tahoma(title_size);
}

// The main window's title; its message boxes add the maker's name before it.
inline QString window_title() {
    return QStringLiteral("Cs 1.6 Tarnwick 1.5");
}
inline QString message_title() {
    return QStringLiteral("Druvo ") + window_title();
}

} // namespace tarnwick::controls::skin

#pragma once

// Where the controls put their parts, as small pure functions. All values are pixels and are
// passed on as computed, fractions included; the drawing layer maps them to pixels.

#include "controls/parts.h"

#include <optional>

namespace tarnwick::controls {

constexpr int twips_per_pixel = 15;

constexpr double to_pixels(double twips) {
    return twips / twips_per_pixel;
}

// How a control takes the size a host asks for, in twips: the height it keeps whatever is
// asked (0: any) and the least width it grows to.
struct SizeRule {
    int fixed_height = 0;
    int minimum_width = 0;

    constexpr void apply(int& width, int& height) const {
        if (fixed_height > 0) height = fixed_height;
        if (width < minimum_width) width = minimum_width;
    }
};

struct Edge {
    double x1, y1, x2, y2;
};

// The four one-pixel edges of a w x h area: the top covers row 0, the left column 0 down to
// h - 2, the right column w - 1 down to h - 2 and the bottom row h - 1 from `bottom_x0` on
// (end points are not drawn).
struct EdgeFrame {
    Edge top, left, right, bottom;
};
EdgeFrame edge_frame(double w, double h, double bottom_x0);

// Puts the lines where `frame` says, all four coordinates of each.
void place_edges(LinePart& top, LinePart& left, LinePart& right, LinePart& bottom,
                 const EdgeFrame& frame);

// The top that centres a caption of `text_height` in `scale_height`, rounded down; nothing
// when the caption part is at least as tall as the control, which leaves it where it is.
std::optional<double> centred_top(double part_height, int scale_height, int text_height);

// The caption of a push button: 6 px from the left (its shadow at 7), or centred on the
// button's width in twips with the shadow one pixel further right.
struct CaptionLefts {
    double label, shadow;
};
CaptionLefts button_caption_lefts(bool centred, int width_twips, double label_width,
                                  double shadow_width);

} // namespace tarnwick::controls

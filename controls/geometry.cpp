#include "controls/geometry.h"

#include <cmath>
#include <utility>

namespace tarnwick::controls {

EdgeFrame edge_frame(double w, double h, double bottom_x0) {
    return {
        .top = {0, 0, w, 0},
        .left = {0, 0, 0, h - 1},
        .right = {w - 1, 0, w - 1, h - 1},
        .bottom = {bottom_x0, h - 1, w, h - 1},
    };
}

void place_edges(LinePart& top, LinePart& left, LinePart& right, LinePart& bottom,
                 const EdgeFrame& frame) {
    for (auto [line, edge] : {std::pair{&top, frame.top}, std::pair{&left, frame.left},
                              std::pair{&right, frame.right}, std::pair{&bottom, frame.bottom}}) {
        line->x1 = edge.x1;
        line->y1 = edge.y1;
        line->x2 = edge.x2;
        line->y2 = edge.y2;
    }
}

std::optional<double> centred_top(double part_height, int scale_height, int text_height) {
    if (part_height >= scale_height) return std::nullopt;
    return std::floor(scale_height / 2.0 - text_height / 2.0);
}

CaptionLefts button_caption_lefts(bool centred, int width_twips, double label_width,
                                  double shadow_width) {
    if (!centred) return {6, 7};
    const double middle = (width_twips / 2.0) / twips_per_pixel;
    return {middle - label_width / 2, middle - shadow_width / 2 + 1};
}

} // namespace tarnwick::controls

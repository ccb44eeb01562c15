#include "controls/emblem.h"

#include "controls/skin.h"
#include "platform/draw.h"

#include <array>
#include <string_view>

namespace tarnwick::controls {

namespace {

// '.' background, 'W' white, 'L' light grey.
constexpr std::array<std::string_view, 16> rows = {
    "................", //
    "........WWWW....", //
    ".......W....W...", //
    "......W......W..", //
    "......W..LL..W..", //
    "......W..LL..W..", //
    "......W......W..", //
    ".......W....W...", //
    "......LLWWWW....", //
    ".....LL.........", //
    "..WWWL..........", //
    ".W...W..........", //
    ".W...W..........", //
    ".W...W..........", //
    "..WWW...........", //
    "................", //
};

platform::Colour colour_of(char c) {
    switch (c) {
    case 'W':
        return skin::caption;
    case 'L':
        return skin::emblem_shade;
    default:
        return skin::back;
    }
}

} // namespace

void paint_emblem(QImage& target) {
    // Each run of one colour is a line, its end point just past the run.
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
        const std::string_view row = rows[y];
        for (std::size_t x = 0; x < row.size();) {
            std::size_t end = x;
            while (end < row.size() && row[end] == row[x])
                ++end;
            platform::draw_line(target, static_cast<double>(x), y, static_cast<double>(end), y,
                                colour_of(row[x]));
            x = end;
        }
    }
}

} // namespace tarnwick::controls

#include "controls/elprogress.h"

#include "controls/mouse_event.h"
#include "controls/skin.h"

#include <cmath>
#include <limits>

namespace tarnwick::controls {

namespace {

constexpr SizeRule size_rule{.fixed_height = 360, .minimum_width = 360}; // twips
constexpr Colour block_colour = skin::accent;

// Blocks of 8 x 16 px, one every 12 px, the first 4 px from the left and top.
constexpr std::int32_t block_pitch = 12;
constexpr std::int32_t block_left = 4;
constexpr std::int32_t block_top = 4;
constexpr std::int32_t block_width = 8;
constexpr std::int32_t block_height = 16;

} // namespace

std::int32_t filled_blocks(std::int32_t value, std::int32_t max, std::int32_t places) {
    const std::int64_t product = std::int64_t{value} * places;
    if (product < std::numeric_limits<std::int32_t>::min() ||
        product > std::numeric_limits<std::int32_t>::max())
        throw analysis::ProgressRangeError("the progress value is too large for the bar");
    if (max == 0) throw analysis::ProgressRangeError("a progress range of 0 cannot be shown");
    return static_cast<std::int32_t>(
        std::floor(static_cast<double>(product) / static_cast<double>(max)));
}

elprogress::elprogress(QWidget* parent)
    : SkinnedControl(parent, 3900, size_rule.fixed_height, skin::back_dark, size_rule),
      Line1_{{0, 0, 260, 0, skin::edge_dark},
             {0, 23, 260, 23, skin::light},
             {259, 0, 259, 24, skin::light},
             {0, 0, 0, 24, skin::edge_dark}},
      fore_(block_colour) {
    add_parts({&Line1_[0], &Line1_[1], &Line1_[2], &Line1_[3]});
    show_state();
}

void elprogress::ForeColor(Colour value) {
    fore_ = value;
    show_state();
    changed("ForeColor");
}

void elprogress::Color3DLight(Colour value) {
    Line1_[1].colour = Line1_[2].colour = value;
    update();
    changed("Color3DLight");
}

void elprogress::Color3DDark(Colour value) {
    Line1_[0].colour = Line1_[3].colour = value;
    update();
    changed("Color3DDark");
}

void elprogress::Min(std::int32_t /*ignored*/) {
    min_ = 0;
    if (value_ < min_) value_ = min_;
    show_state();
    changed("Min");
}

void elprogress::Max(std::int32_t value) {
    max_ = value < min_ ? min_ : value;
    if (max_ < value_) value_ = max_;
    show_state();
    changed("Max");
}

void elprogress::Value(std::int32_t value) {
    value_ = value < min_ ? min_ : value;
    if (max_ < value_) value_ = max_;
    show_state();
    changed("Value");
}

void elprogress::background_captured(Hdc origen, std::int32_t X, std::int32_t Y) {
    back_source_ = origen;
    // The opacity that the capture has just put into the blend descriptor.
    back_opacity_ = static_cast<std::int16_t>((packed_blend() >> 16) & 0xFF);
    back_x_ = X;
    back_y_ = Y;
}

void elprogress::back_colour_changed() {
    lay_background();
    show_state();
}

void elprogress::show_state() {
    shown_ = {.filled = filled_blocks(value_, max_, ScaleWidth() / block_pitch), .fore = fore_};
    update();
}

void elprogress::lay_background() {
    const std::int32_t w = ScaleWidth(), h = ScaleHeight();
    surface().clear();
    fill_blend(static_cast<std::uint8_t>(back_opacity_));
    platform::AlphaBlend(get_the_hdc(), 1, 1, w - 2, h - 2, back_source_, back_x_, back_y_, w - 2,
                         h - 2, packed_blend());
}

void elprogress::draw_bar(QImage& picture) const {
    // A layout may store a Value far beyond Max; blocks past the right edge would show
    // nothing, so they are not drawn at all.
    const std::int32_t w = picture.width();
    for (std::int32_t k = 0; k < shown_.filled && block_pitch * k + block_left < w; ++k) {
        const std::int32_t x = block_pitch * k + block_left;
        for (std::int32_t j = 0; j < block_height; ++j)
            platform::draw_line(picture, x, block_top + j, x + block_width, block_top + j,
                                shown_.fore);
    }
}

void elprogress::layout() {
    // The vertical coordinates never change: the height is fixed.
    const int w = ScaleWidth();
    Line1_[0].x2 = w;
    Line1_[1].x2 = w;
    Line1_[2].x1 = Line1_[2].x2 = w - 1;
    lay_background();
    show_state();
}

void elprogress::resizeEvent(QResizeEvent* event) {
    // A resize that the window system delivers has no caller to report to; a bar that
    // cannot be drawn keeps its previous picture and fails again at the next set.
    try {
        SkinnedControl::resizeEvent(event);
    } catch (const analysis::ProgressRangeError&) {
    }
}

void elprogress::mouse(Part*, MouseAction action, EventArgs& args) {
    // The frame lines take no input: everything comes from the surface.
    raise(mouse_event<Event>(action), args);
}

// Load and save alike walk the rows in this order. Min, Max and Value load as stored,
// without the corrections of the setters.
const StoredRows<elprogress>& elprogress::stored_rows() {
    using Row = StoredRow<elprogress>;
    static const StoredRows<elprogress> rows = {
        Row::field("ForeColor", block_colour, &elprogress::fore_),
        Row::property(
            "BackColor", skin::back_dark, [](const elprogress& c) { return c.BackColor(); },
            [](elprogress& c, Colour v) { c.surface().set_back_colour(v); }),
        enabled_row<elprogress>(),
        Row::field("Min", std::int32_t{0}, &elprogress::min_),
        Row::field("Max", std::int32_t{10}, &elprogress::max_),
        Row::field("Value", std::int32_t{0}, &elprogress::value_),
        Row::property(
            "Color3DLight", skin::light, [](const elprogress& c) { return c.Color3DLight(); },
            [](elprogress& c, Colour v) { c.Line1_[1].colour = c.Line1_[2].colour = v; }),
        Row::property(
            "Color3DDark", skin::dark, [](const elprogress& c) { return c.Color3DDark(); },
            [](elprogress& c, Colour v) { c.Line1_[0].colour = c.Line1_[3].colour = v; }),
    };
    return rows;
}

void elprogress::load(const PropertyStore& s) {
    load_rows(*this, s, stored_rows());
    lay_background();
    show_state();
}

void elprogress::save(PropertyStore& s) const {
    save_rows(*this, s, stored_rows());
}

} // namespace tarnwick::controls

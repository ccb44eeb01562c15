#include "controls/elradio.h"

#include "controls/skin.h"

namespace tarnwick::controls {

namespace {

constexpr SizeRule size_rule{.fixed_height = 285, .minimum_width = 500}; // twips

constexpr Colour checked_default = skin::accent;
constexpr Colour unchecked_default = skin::pale_text;
constexpr Colour over_default = skin::over;

// The circle about (9, 9) of the 18 x 18 picture; the ring splits at these angles.
constexpr double centre = 9;
constexpr double ring_radius = 6;
constexpr double dot_radius = 3;
constexpr double split_right = 0.5; // rad, a little above three o'clock
constexpr double split_left = 4.0;  // rad, the lower left

TextPart caption_at(double left, double top, double height, Colour fore) {
    return TextPart(QStringLiteral("Caption"), skin::design_font(), fore, left, top, 51, height);
}

} // namespace

elradio::elradio(QWidget* parent)
    : CaptionedControl(parent, 1275, size_rule.fixed_height, skin::back,
                       caption_at(28, 1, 16, unchecked_default),
                       caption_at(29, 2, 18, skin::shadow), size_rule),
      checked_colour_(checked_default), unchecked_colour_(unchecked_default),
      over_colour_(over_default), back_colour2_(skin::back_dark), light_(skin::light),
      dark_(skin::dark) {
    add_parts({&shadow_part(), &caption_part()});
    show_state();
}

void elradio::draw_check(QImage& picture) const {
    platform::fill_circle(picture, centre, centre, ring_radius, back_colour2_);
    platform::draw_arc(picture, centre, centre, ring_radius, split_right, split_left, dark_);
    platform::draw_arc(picture, centre, centre, ring_radius, split_left, split_right, light_);
    if (value_) platform::fill_circle(picture, centre, centre, dot_radius, checked_colour_);
}

void elradio::show_state() {
    caption_part().fore_colour = value_ ? checked_colour_ : unchecked_colour_;
    update();
}

void elradio::set_over_state() {
    if (value_) return;
    caption_part().fore_colour = over_colour_;
    update();
}

void elradio::set_normal_state() {
    show_state();
}

void elradio::set_colour(Colour& field, Colour value, const char* property) {
    field = value;
    show_state();
    changed(property);
}

void elradio::Color3DLight(Colour value) {
    set_colour(light_, value, "Color3DLight");
}

void elradio::Color3DDark(Colour value) {
    set_colour(dark_, value, "Color3DDark");
}

void elradio::CheckedColor(Colour value) {
    set_colour(checked_colour_, value, "CheckedColor");
}

void elradio::UncheckedColor(Colour value) {
    set_colour(unchecked_colour_, value, "UncheckedColor");
}

void elradio::OverColor(Colour value) {
    set_colour(over_colour_, value, "OverColor");
}

void elradio::BackColor2(Colour value) {
    set_colour(back_colour2_, value, "BackColor2");
}

void elradio::back_colour_changed() {
    show_state();
}

void elradio::Caption(const QString& value) {
    set_caption_text(value);
    changed("Caption");
}

void elradio::Value(bool value) {
    value_ = value;
    show_state();
    changed("Value");
}

void elradio::layout() {
    place_caption();
    show_state();
}

void elradio::place_caption() {
    TextPart& label = caption_part();
    TextPart& shadow = shadow_part();
    // Both run to the control's right edge, which clips them.
    label.width = shadow.width = ScaleWidth();
    centre_caption_vertically();
    update();
}

void elradio::mouse(Part* part, MouseAction action, EventArgs& args) {
    // Only the caption raises mouse events, but a click anywhere chooses the option, on the
    // strip of the shadow below the caption too.
    const bool caption = part == &caption_part();
    switch (action) {
    case MouseAction::down:
        if (caption) raise(Event::MouseDown, args);
        break;
    case MouseAction::move:
        if (caption) raise(Event::MouseMove, args);
        break;
    case MouseAction::up:
        if (caption) raise(Event::MouseUp, args);
        break;
    case MouseAction::click:
        if (!value_) {
            value_ = true;
            show_state();
            changed("Value");
        }
        raise(Event::Click);
        break;
    case MouseAction::double_click:
        break;
    }
}

// Load and save alike walk the rows in this order.
const StoredRows<elradio>& elradio::stored_rows() {
    using Row = StoredRow<elradio>;
    static const StoredRows<elradio> rows = {
        back_colour_row<elradio>(skin::back),
        Row::field("BackColor2", skin::back_dark, &elradio::back_colour2_),
        Row::field("CheckedColor", checked_default, &elradio::checked_colour_),
        Row::field("UncheckedColor", unchecked_default, &elradio::unchecked_colour_),
        Row::field("OverColor", over_default, &elradio::over_colour_),
        enabled_row<elradio>(),
        caption_row<elradio>("Caption", QStringLiteral("Caption")),
        Row::field("Value", false, &elradio::value_),
        Row::field("Color3DLight", skin::light, &elradio::light_),
        Row::field("Color3DDark", skin::dark, &elradio::dark_),
        font_row<elradio>(),
        drop_shadow_row<elradio>(),
    };
    return rows;
}

void elradio::load(const PropertyStore& s) {
    load_rows(*this, s, stored_rows());
    show_state();
}

void elradio::save(PropertyStore& s) const {
    save_rows(*this, s, stored_rows());
}

} // namespace tarnwick::controls

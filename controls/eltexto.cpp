#include "controls/eltexto.h"

#include "controls/skin.h"
#include "platform/errors.h"

#include <algorithm>
#include <utility>

namespace tarnwick::controls {

namespace {

constexpr SizeRule size_rule{.fixed_height = 300}; // twips
constexpr Colour default_fore = skin::pale_text;
// The field sits three pixels inside the side edges and one inside the top and bottom
// ones; as designed, before the first resize, it sat a pixel lower.
constexpr int field_left = 4, field_top = 2, design_top = 3, field_height = 16;
constexpr int field_margin = 8;

QColor colour_of(Colour colour) {
    return QColor::fromRgb(platform::to_rgb(colour));
}

} // namespace

// The field's input is raised under the same numbers.
static_assert(event_number(EditField::Input::KeyUp) == event_number(eltexto::Event::KeyUp) &&
              event_number(EditField::Input::MouseUp) == event_number(eltexto::Event::MouseUp));

eltexto::eltexto(QWidget* parent)
    : FontedControl(parent, 1425, size_rule.fixed_height, skin::back_dark, size_rule),
      lineA_{{0, 0, to_pixels(1425), 0, skin::edge_dark}, {0, 0, 0, 20, skin::edge_dark}},
      lineB_{{to_pixels(1415), 1, to_pixels(1415), 20, skin::field_light},
             {0, to_pixels(290), to_pixels(1425), to_pixels(290), skin::field_light}},
      font_(skin::design_font()), fore_colour_(skin::caption),
      Text1_(new EditField(this, [this](EditField::Input input, EventArgs& args) {
          raise(static_cast<Event>(input), args);
      })) {
    add_parts({&lineB_[1], &lineB_[0], &lineA_[1], &lineA_[0]});
    Text1_->setGeometry(field_left, design_top, 88, field_height);
    // One colour for every state: a disabled box only stops taking input.
    QPalette palette = Text1_->palette();
    palette.setColor(QPalette::Base, colour_of(skin::back_dark));
    Text1_->setPalette(palette);
    apply_fore_colour(fore_colour_);
    apply_font(font_);
    Text1_->set_text(QStringLiteral("Text"));
    setFocusProxy(Text1_);
}

void eltexto::apply_font(const platform::Font& font) {
    font_ = font;
    Text1_->setFont(platform::to_qfont(font));
}

void eltexto::apply_fore_colour(Colour value) {
    fore_colour_ = value;
    QPalette palette = Text1_->palette();
    palette.setColor(QPalette::Text, colour_of(value));
    Text1_->setPalette(palette);
}

void eltexto::ForeColor(Colour value) {
    apply_fore_colour(value);
    changed("ForeColor");
}

std::int32_t eltexto::MaxChars() const {
    return Text1_->limit();
}

void eltexto::apply_max_chars(std::int32_t value) {
    if (value < 0)
        throw platform::InvalidValueError("MaxChars must be 0 (no limit) or a positive length");
    Text1_->set_limit(value);
}

void eltexto::MaxChars(std::int32_t value) {
    apply_max_chars(value);
    changed("MaxChars");
}

void eltexto::apply_light(Colour value) {
    lineB_[0].colour = lineB_[1].colour = value;
    update();
}

void eltexto::apply_dark(Colour value) {
    lineA_[0].colour = lineA_[1].colour = value;
    update();
}

void eltexto::Color3DLight(Colour value) {
    apply_light(value);
    changed("Color3DLight");
}

void eltexto::Color3DDark(Colour value) {
    apply_dark(value);
    changed("Color3DDark");
}

void eltexto::Text(const QString& value) {
    Text1_->set_text(value);
    changed("Text");
}

void eltexto::layout() {
    // The vertical ends of the edges never move.
    const int w = ScaleWidth();
    lineA_[0].x2 = w;
    lineB_[1].x2 = w;
    lineB_[0].x1 = lineB_[0].x2 = w - 1;
    Text1_->setGeometry(field_left, field_top, std::max(w - field_margin, 0), field_height);
    update();
}

// In the order of save; load reads MaxChars and ForeColor first. The stored defaults are
// not all the design's: a layout that stores no ForeColor gives the grey text, and Text is
// saved with "Text" as its default but read with the empty one, so that the design's
// sample text never comes back from a layout.
const StoredRows<eltexto>& eltexto::stored_rows() {
    using Row = StoredRow<eltexto>;
    static const StoredRows<eltexto> rows = {
        Row::property(
            "MaxChars", std::int32_t{0}, [](const eltexto& c) { return c.MaxChars(); },
            [](eltexto& c, std::int32_t v) { c.apply_max_chars(v); }),
        back_colour_row<eltexto>(skin::back_dark),
        Row::property(
            "ForeColor", default_fore, [](const eltexto& c) { return c.ForeColor(); },
            [](eltexto& c, Colour v) { c.apply_fore_colour(v); }),
        enabled_row<eltexto>(),
        Row::property(
            "Text", QStringLiteral("Text"), QString(), [](const eltexto& c) { return c.Text(); },
            [](eltexto& c, const QString& v) { c.Text1_->set_text(v); }),
        Row::property(
            "Color3DLight", skin::light, [](const eltexto& c) { return c.Color3DLight(); },
            [](eltexto& c, Colour v) { c.apply_light(v); }),
        Row::property(
            "Color3DDark", skin::dark, [](const eltexto& c) { return c.Color3DDark(); },
            [](eltexto& c, Colour v) { c.apply_dark(v); }),
        font_row<eltexto>([](eltexto& c, const platform::Font& font) { c.apply_font(font); }),
    };
    return rows;
}

void eltexto::load(const PropertyStore& s) {
    load_rows(*this, s, stored_rows(), {"MaxChars", "ForeColor"});
}

void eltexto::save(PropertyStore& s) const {
    save_rows(*this, s, stored_rows());
}

} // namespace tarnwick::controls

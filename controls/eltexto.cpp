#include "controls/eltexto.h"

#include "controls/skin.h"
#include "platform/errors.h"

#include <algorithm>
#include <utility>

namespace tarnwick::controls {

namespace {

constexpr int fixed_height = 300; // twips
constexpr Colour design_light = 0x00809188;
constexpr Colour default_fore = 0x00D3DED8;
// The field sits three pixels inside the side edges and one inside the top and bottom
// ones; as designed, before the first resize, it sat a pixel lower.
constexpr int field_left = 4, field_top = 2, design_top = 3, field_height = 16;
constexpr int field_margin = 8;

QColor colour_of(Colour colour) {
    return QColor::fromRgb(platform::to_rgb(colour));
}

template <class T> platform::Font with(platform::Font font, T platform::Font::*attribute, T value) {
    font.*attribute = std::move(value);
    return font;
}

} // namespace

// The field's input is raised under the same numbers.
static_assert(event_number(EditField::Input::KeyUp) == event_number(eltexto::Event::KeyUp) &&
              event_number(EditField::Input::MouseUp) == event_number(eltexto::Event::MouseUp));

eltexto::eltexto(QWidget* parent)
    : SkinnedControl(parent, 1425, fixed_height, skin::back_dark),
      lineA_{{0, 0, to_pixels(1425), 0, skin::edge_dark}, {0, 0, 0, 20, skin::edge_dark}},
      lineB_{{to_pixels(1415), 1, to_pixels(1415), 20, design_light},
             {0, to_pixels(290), to_pixels(1425), to_pixels(290), design_light}},
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

void eltexto::set_font(const platform::Font& font, const char* property) {
    apply_font(font);
    changed(property);
}

void eltexto::Font(const platform::Font& value) {
    set_font(value, "Font");
}

void eltexto::FontName(const QString& value) {
    set_font(with(font_, &platform::Font::name, value), "FontName");
}

void eltexto::FontSize(double value) {
    set_font(with(font_, &platform::Font::size, value), "FontSize");
}

void eltexto::FontItalic(bool value) {
    set_font(with(font_, &platform::Font::italic, value), "FontItalic");
}

void eltexto::FontUnderline(bool value) {
    set_font(with(font_, &platform::Font::underline, value), "FontUnderline");
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

void eltexto::size_rules(int&, int& height) {
    height = fixed_height;
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

void eltexto::load(const PropertyStore& s) {
    apply_max_chars(s.read(QStringLiteral("MaxChars"), std::int32_t{0}));
    apply_fore_colour(s.read(QStringLiteral("ForeColor"), default_fore));
    apply_back_colour(s.read(QStringLiteral("BackColor"), skin::back_dark));
    setEnabled(s.read(QStringLiteral("Enabled"), true));
    // Saved with "Text" as its default but read with the empty one, so that the design's
    // sample text never comes back from a layout.
    const QString text = s.read(QStringLiteral("Text"), QString());
    Text1_->set_text(text);
    apply_light(s.read(QStringLiteral("Color3DLight"), skin::light));
    apply_dark(s.read(QStringLiteral("Color3DDark"), skin::dark));
    apply_font(read_font(s, ambient_font()));
}

void eltexto::save(PropertyStore& s) const {
    s.write(QStringLiteral("MaxChars"), MaxChars(), std::int32_t{0});
    s.write(QStringLiteral("BackColor"), BackColor(), skin::back_dark);
    s.write(QStringLiteral("ForeColor"), ForeColor(), default_fore);
    s.write(QStringLiteral("Enabled"), Enabled(), true);
    s.write(QStringLiteral("Text"), Text(), QStringLiteral("Text"));
    s.write(QStringLiteral("Color3DLight"), Color3DLight(), skin::light);
    s.write(QStringLiteral("Color3DDark"), Color3DDark(), skin::dark);
    write_font(s, font_, ambient_font());
}

} // namespace tarnwick::controls

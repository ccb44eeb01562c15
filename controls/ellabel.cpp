#include "controls/ellabel.h"

#include "controls/mouse_event.h"
#include "controls/skin.h"

namespace tarnwick::controls {

namespace {

constexpr int fixed_height = 300; // twips
constexpr Colour text_colour = 0x00D3DED8;
// A layout that stores no colour gets the darker grey, not the design colour.
constexpr Colour stored_back = skin::back_dark;
const QString default_caption = QStringLiteral("Caption");

} // namespace

ellabel::ellabel(QWidget* parent)
    : CaptionedControl(
          parent, 4800, fixed_height, skin::back,
          TextPart(default_caption, skin::design_font(), text_colour, 0, 0, 43, 16),
          TextPart(default_caption, skin::design_font(), skin::shadow, 1, 1, 143, 20)) {
    add_parts({&shadow_part(), &caption_part()});
}

void ellabel::ForeColor(Colour value) {
    caption_part().fore_colour = value;
    update();
    changed("ForeColor");
}

void ellabel::Caption(const QString& value) {
    set_caption_text(value);
    changed("Caption");
}

void ellabel::size_rules(int&, int& height) {
    height = fixed_height;
}

void ellabel::place_caption() {
    TextPart& label = caption_part();
    TextPart& shadow = shadow_part();
    label.width = shadow.width = ScaleWidth();
    // A font taller than the label gives a negative top, which is kept: the text is cut
    // at the top and bottom alike.
    centre_caption_vertically();
    update();
}

void ellabel::mouse(Part* part, MouseAction action, EventArgs& args) {
    if (part == &caption_part()) raise(mouse_event<Event>(action), args);
}

void ellabel::load(const PropertyStore& s) {
    caption_part().fore_colour = s.read(QStringLiteral("ForeColor"), text_colour);
    apply_back_colour(s.read(QStringLiteral("BackColor"), stored_back));
    setEnabled(s.read(QStringLiteral("Enabled"), true));
    const QString caption = s.read(QStringLiteral("Caption"), default_caption);
    caption_part().set_caption(caption);
    shadow_part().set_caption(caption);
    load_font(s);
    load_drop_shadow(s);
    update();
}

void ellabel::save(PropertyStore& s) const {
    s.write(QStringLiteral("BackColor"), BackColor(), stored_back);
    s.write(QStringLiteral("ForeColor"), ForeColor(), text_colour);
    s.write(QStringLiteral("Enabled"), Enabled(), true);
    s.write(QStringLiteral("Caption"), Caption(), default_caption);
    save_font(s);
    save_drop_shadow(s);
}

} // namespace tarnwick::controls

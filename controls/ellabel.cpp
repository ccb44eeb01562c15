#include "controls/ellabel.h"

#include "controls/mouse_event.h"
#include "controls/skin.h"

namespace tarnwick::controls {

namespace {

constexpr SizeRule size_rule{.fixed_height = 300}; // twips
constexpr Colour text_colour = skin::pale_text;
// A layout that stores no colour gets the darker grey, not the design colour.
constexpr Colour stored_back = skin::back_dark;
const QString default_caption = QStringLiteral("Caption");

} // namespace

ellabel::ellabel(QWidget* parent)
    : CaptionedControl(parent, 4800, size_rule.fixed_height, skin::back,
                       TextPart(default_caption, skin::design_font(), text_colour, 0, 0, 43, 16),
                       TextPart(default_caption, skin::design_font(), skin::shadow, 1, 1, 143, 20),
                       size_rule) {
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

// In the order of save; load reads ForeColor first.
const StoredRows<ellabel>& ellabel::stored_rows() {
    static const StoredRows<ellabel> rows = {
        back_colour_row<ellabel>(stored_back),
        StoredRow<ellabel>::property(
            "ForeColor", text_colour, [](const ellabel& c) { return c.ForeColor(); },
            [](ellabel& c, Colour v) { c.caption_part().fore_colour = v; }),
        enabled_row<ellabel>(),
        caption_row<ellabel>("Caption", default_caption),
        font_row<ellabel>(),
        drop_shadow_row<ellabel>(),
    };
    return rows;
}

void ellabel::load(const PropertyStore& s) {
    load_rows(*this, s, stored_rows(), {"ForeColor"});
    update();
}

void ellabel::save(PropertyStore& s) const {
    save_rows(*this, s, stored_rows());
}

} // namespace tarnwick::controls

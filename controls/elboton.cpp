#include "controls/elboton.h"

#include "controls/skin.h"

namespace tarnwick::controls {

namespace {

constexpr SizeRule size_rule{.fixed_height = 360, .minimum_width = 500}; // twips

TextPart caption_at(double left, double top, Colour fore) {
    return TextPart(QStringLiteral("Boton"), skin::design_font(), fore, left, top, 32, 16, true);
}

} // namespace

elboton::elboton(QWidget* parent)
    : CaptionedControl(parent, 1200, size_rule.fixed_height, skin::back,
                       caption_at(6, 3, skin::caption), caption_at(7, 4, skin::shadow), size_rule),
      lineA_{{0, 0, 80, 0, skin::light}, {0, 0, 0, 23, skin::light}},
      lineB_{{79, 0, 79, 23, skin::dark}, {1, 23, 78, 23, skin::dark}}, light_(skin::light),
      dark_(skin::dark) {
    add_parts({&shadow_part(), &lineB_[1], &lineB_[0], &lineA_[1], &lineA_[0], &caption_part()});
}

void elboton::look(Colour a, Colour b) {
    lineA_[0].colour = lineA_[1].colour = a;
    lineB_[0].colour = lineB_[1].colour = b;
    update();
}

void elboton::Color3DLight(Colour value) {
    lineA_[0].colour = lineA_[1].colour = value;
    light_ = value;
    update();
    changed("Color3DLight");
}

void elboton::Color3DDark(Colour value) {
    lineB_[0].colour = lineB_[1].colour = value;
    dark_ = value;
    update();
    changed("Color3DDark");
}

void elboton::ForeColor(Colour value) {
    caption_part().fore_colour = value;
    update();
    changed("ForeColor");
}

void elboton::Caption(const QString& value) {
    set_caption_text(value);
    changed("Caption");
}

void elboton::CenterCaption(bool value) {
    center_caption_ = value;
    place_caption();
    changed("CenterCaption");
}

void elboton::layout() {
    // Only the horizontal coordinates follow the width: the height never changes.
    const EdgeFrame edges = edge_frame(pixel_width(), pixel_height(), 1);
    lineA_[0].x2 = edges.top.x2;
    lineB_[1].x2 = edges.bottom.x2;
    lineB_[0].x1 = lineB_[0].x2 = edges.right.x1;
    place_caption();
}

void elboton::place_caption() {
    TextPart& label = caption_part();
    TextPart& shadow = shadow_part();
    const CaptionLefts lefts =
        button_caption_lefts(center_caption_, Width(), label.width, shadow.width);
    label.left = lefts.label;
    shadow.left = lefts.shadow;
    centre_caption_vertically();
    update();
}

void elboton::mouse(Part* part, MouseAction action, EventArgs& args) {
    // The caption and the bare surface act alike; the shadow takes input but raises nothing.
    if (part != nullptr && part != &caption_part()) return;
    switch (action) {
    case MouseAction::down:
        if (args.Button == 1) look(dark_, light_);
        raise(Event::MouseDown, args);
        break;
    case MouseAction::move:
        if (part) raise(Event::MouseMove, args);
        break;
    case MouseAction::up:
        if (args.Button == 1) look(light_, dark_);
        raise(Event::MouseUp, args);
        break;
    case MouseAction::click:
        raise(Event::Click);
        break;
    case MouseAction::double_click:
        break;
    }
}

// In the order of save; load reads CenterCaption first. The edge colours are saved from
// the lines, so a save while the button is held stores the swapped pair.
const StoredRows<elboton>& elboton::stored_rows() {
    using Row = StoredRow<elboton>;
    static const StoredRows<elboton> rows = {
        Row::property(
            "ForeColor", skin::caption, [](const elboton& c) { return c.ForeColor(); },
            [](elboton& c, Colour v) { c.caption_part().fore_colour = v; }),
        back_colour_row<elboton>(skin::back),
        enabled_row<elboton>(),
        caption_row<elboton>("Caption", QStringLiteral("Boton")),
        Row::property(
            "Color3DLight", skin::light, [](const elboton& c) { return c.Color3DLight(); },
            [](elboton& c, Colour v) { c.light_ = v; }),
        Row::property(
            "Color3DDark", skin::dark, [](const elboton& c) { return c.Color3DDark(); },
            [](elboton& c, Colour v) { c.dark_ = v; }),
        font_row<elboton>(),
        drop_shadow_row<elboton>(),
        Row::field("CenterCaption", false, &elboton::center_caption_),
    };
    return rows;
}

void elboton::load(const PropertyStore& s) {
    load_rows(*this, s, stored_rows(), {"CenterCaption"});
    look(light_, dark_);
}

void elboton::save(PropertyStore& s) const {
    save_rows(*this, s, stored_rows());
}

} // namespace tarnwick::controls

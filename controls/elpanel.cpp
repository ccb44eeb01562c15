#include "controls/elpanel.h"

#include "controls/emblem.h"
#include "controls/skin.h"

namespace tarnwick::controls {

namespace {

constexpr Colour close_colour = skin::close_cross;

TextPart title_at(double left, double top, Colour fore) {
    return TextPart(QStringLiteral("Title"), skin::design_font(), fore, left, top, 456, 18);
}

// The cross that the symbol face's close glyph draws at the title's size, pixel for pixel.
CrossPart close_cross() {
    return CrossPart(2, 2, 14, 14, 9, close_colour);
}

} // namespace

elpanel::elpanel(QWidget* parent)
    : CaptionedControl(parent, 7740, 7350, skin::back, title_at(30, 9, skin::caption),
                       title_at(31, 10, skin::shadow)),
      LineA_{{0, 0, 515, 0, skin::light}, {0, 0, 0, 410, skin::light}},
      LineB_{{513, 0, 513, 410, skin::edge_dark}, {0, 374, 513, 374, skin::edge_dark}},
      Line1A_{{0, 0, 0, 18, skin::light}, {0, 0, 18, 0, skin::light}},
      Line1B_{{0, 17, 18, 17, skin::edge_dark}, {17, 0, 17, 18, skin::edge_dark}},
      Label2_(close_cross()), Picture1_(9, 10, 16, 16, skin::back),
      Picture2_(489, 8, 18, 18, skin::back) {
    paint_emblem(Picture1_.surface().image());
    Picture2_.add({&Label2_, &Line1A_[0], &Line1A_[1], &Line1B_[0], &Line1B_[1]});
    add_parts({&shadow_part(), &LineB_[0], &caption_part(), &LineB_[1], &LineA_[1], &LineA_[0],
               &Picture2_, &Picture1_});
}

void elpanel::set_icon(Hdc hdc) {
    platform::BitBlt(get_icon_hdc(), 0, 0, 16, 16, hdc, 0, 0, platform::SRCCOPY);
    update();
}

void elpanel::set_the_hdc(Hdc hdc) {
    platform::BitBlt(get_the_hdc(), 0, 0, ScaleWidth(), ScaleHeight(), hdc, 0, 0,
                     platform::SRCCOPY);
    update();
}

void elpanel::background_captured(Hdc origen, std::int32_t X, std::int32_t Y) {
    // The close box gets the host's picture under it too. It is cleared first, like the
    // panel, so that a second capture does not blend over the first.
    platform::Surface& box = Picture2_.surface();
    box.clear();
    const QRect at = Picture2_.bounds();
    platform::AlphaBlend(box.hdc(), 1, 1, box.width() - 2, box.height() - 2, origen, X + at.x(),
                         Y + at.y(), box.width() - 2, box.height() - 2, packed_blend());
    update();
}

void elpanel::back_colour_changed() {
    Picture2_.surface().set_back_colour(BackColor());
    Picture2_.surface().clear();
}

void elpanel::apply_light(Colour value) {
    LineA_[0].colour = LineA_[1].colour = value;
    Line1A_[0].colour = Line1A_[1].colour = value;
    update();
}

void elpanel::apply_dark(Colour value) {
    LineB_[0].colour = LineB_[1].colour = value;
    Line1B_[0].colour = Line1B_[1].colour = value;
    update();
}

void elpanel::ForeColor(Colour value) {
    caption_part().fore_colour = value;
    update();
    changed("ForeColor");
}

void elpanel::CloseColor(Colour value) {
    Label2_.fore_colour = value;
    update();
    changed("CloseColor");
}

void elpanel::Color3DLight(Colour value) {
    apply_light(value);
    changed("Color3DLight");
}

void elpanel::Color3DDark(Colour value) {
    apply_dark(value);
    changed("Color3DDark");
}

void elpanel::Title(const QString& value) {
    set_caption_text(value);
    changed("Title");
}

void elpanel::Icon(bool value) {
    icon_ = value;
    Picture1_.visible = value;
    update();
    changed("Icon");
}

void elpanel::Cerrar(bool value) {
    cerrar_ = value;
    Picture2_.visible = value;
    update();
    changed("Cerrar");
}

void elpanel::layout() {
    const double w = pixel_width();
    place_edges(LineA_[0], LineA_[1], LineB_[0], LineB_[1], edge_frame(w, pixel_height(), 0));
    // The icon, the title's place and the close box's top never move.
    Picture2_.left = w - 26;
    caption_part().width = shadow_part().width = w - 55;
    update();
}

void elpanel::close_box_mouse(MouseAction action, const EventArgs& args) {
    if (action == MouseAction::down && args.Button == 1) {
        Line1A_[0].colour = LineB_[0].colour;
        Line1A_[1].colour = LineB_[1].colour;
        Line1B_[0].colour = LineA_[1].colour;
        Line1B_[1].colour = LineA_[0].colour;
    } else if (action == MouseAction::up && args.Button == 1) {
        Line1A_[0].colour = LineA_[0].colour;
        Line1A_[1].colour = LineA_[1].colour;
        Line1B_[0].colour = LineB_[0].colour;
        Line1B_[1].colour = LineB_[1].colour;
    } else if (action == MouseAction::click) {
        raise(Event::CloseClick);
    }
    update();
}

void elpanel::mouse(Part* part, MouseAction action, EventArgs& args) {
    if (part == &Label2_ || part == &Picture2_) return close_box_mouse(action, args);
    const bool icon = part == &Picture1_;
    const bool title = part == &caption_part();
    // The shadow takes input but raises nothing.
    if (part != nullptr && !icon && !title) return;
    const auto pick = [&](Event surface, Event on_title, Event on_icon) {
        return icon ? on_icon : title ? on_title : surface;
    };
    switch (action) {
    case MouseAction::down:
        raise(pick(Event::MouseDown, Event::TitleMouseDown, Event::IconMouseDown), args);
        break;
    case MouseAction::move:
        raise(pick(Event::MouseMove, Event::TitleMouseMove, Event::IconMouseMove), args);
        break;
    case MouseAction::up:
        raise(pick(Event::MouseUp, Event::TitleMouseUp, Event::IconMouseUp), args);
        break;
    case MouseAction::click:
        if (!icon) raise(Event::Click);
        break;
    case MouseAction::double_click:
        if (!icon) raise(Event::DblClick);
        break;
    }
}

// In the order of save; load reads ForeColor and CloseColor first.
const StoredRows<elpanel>& elpanel::stored_rows() {
    using Row = StoredRow<elpanel>;
    static const StoredRows<elpanel> rows = {
        back_colour_row<elpanel>(skin::back),
        Row::property(
            "ForeColor", skin::caption, [](const elpanel& c) { return c.ForeColor(); },
            [](elpanel& c, Colour v) { c.caption_part().fore_colour = v; }),
        Row::property(
            "CloseColor", close_colour, [](const elpanel& c) { return c.CloseColor(); },
            [](elpanel& c, Colour v) { c.Label2_.fore_colour = v; }),
        enabled_row<elpanel>(),
        caption_row<elpanel>("Title", QStringLiteral("Title")),
        Row::field("Icon", true, &elpanel::icon_),
        Row::field("Cerrar", true, &elpanel::cerrar_),
        Row::property(
            "Color3DLight", skin::light, [](const elpanel& c) { return c.Color3DLight(); },
            [](elpanel& c, Colour v) { c.apply_light(v); }),
        Row::property(
            "Color3DDark", skin::dark, [](const elpanel& c) { return c.Color3DDark(); },
            [](elpanel& c, Colour v) { c.apply_dark(v); }),
        font_row<elpanel>(),
        drop_shadow_row<elpanel>(),
    };
    return rows;
}

void elpanel::load(const PropertyStore& s) {
    load_rows(*this, s, stored_rows(), {"ForeColor", "CloseColor"});
    Picture1_.visible = icon_;
    Picture2_.visible = cerrar_;
}

void elpanel::save(PropertyStore& s) const {
    save_rows(*this, s, stored_rows());
}

} // namespace tarnwick::controls

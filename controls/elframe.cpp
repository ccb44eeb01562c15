#include "controls/elframe.h"

#include "controls/mouse_event.h"
#include "controls/skin.h"

namespace tarnwick::controls {

elframe::elframe(QWidget* parent)
    : SkinnedControl(parent, 8040, 6525, skin::back_dark), LineA_{{0, 0, 515, 0, skin::edge_dark},
                                                                  {0, 0, 0, 410, skin::edge_dark}},
      LineB_{{515, 0, 515, 410, skin::light}, {0, 374, 513, 374, skin::light}} {
    add_parts({&LineB_[1], &LineB_[0], &LineA_[1], &LineA_[0]});
}

void elframe::Color3DLight(Colour value) {
    LineB_[0].colour = LineB_[1].colour = value;
    update();
    changed("Color3DLight");
}

void elframe::Color3DDark(Colour value) {
    LineA_[0].colour = LineA_[1].colour = value;
    update();
    changed("Color3DDark");
}

void elframe::layout() {
    place_edges(LineA_[0], LineA_[1], LineB_[0], LineB_[1],
                edge_frame(pixel_width(), pixel_height(), 0));
    update();
}

void elframe::mouse(Part*, MouseAction action, EventArgs& args) {
    // Only the surface takes input: the edges are lines.
    raise(mouse_event<Event>(action), args);
}

// Load and save alike walk the rows in this order. A frame made without a layout has the
// darker background and edges of its design; the stored defaults are the skin's.
const StoredRows<elframe>& elframe::stored_rows() {
    using Row = StoredRow<elframe>;
    static const StoredRows<elframe> rows = {
        back_colour_row<elframe>(skin::back),
        enabled_row<elframe>(),
        Row::property(
            "Color3DLight", skin::light, [](const elframe& c) { return c.Color3DLight(); },
            [](elframe& c, Colour v) { c.LineB_[0].colour = c.LineB_[1].colour = v; }),
        Row::property(
            "Color3DDark", skin::dark, [](const elframe& c) { return c.Color3DDark(); },
            [](elframe& c, Colour v) { c.LineA_[0].colour = c.LineA_[1].colour = v; }),
    };
    return rows;
}

void elframe::load(const PropertyStore& s) {
    load_rows(*this, s, stored_rows());
    update();
}

void elframe::save(PropertyStore& s) const {
    save_rows(*this, s, stored_rows());
}

} // namespace tarnwick::controls

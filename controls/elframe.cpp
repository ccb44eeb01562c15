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

void elframe::load(const PropertyStore& s) {
    apply_back_colour(s.read(QStringLiteral("BackColor"), skin::back));
    setEnabled(s.read(QStringLiteral("Enabled"), true));
    const Colour light = s.read(QStringLiteral("Color3DLight"), skin::light);
    LineB_[0].colour = LineB_[1].colour = light;
    const Colour dark = s.read(QStringLiteral("Color3DDark"), skin::dark);
    LineA_[0].colour = LineA_[1].colour = dark;
    update();
}

void elframe::save(PropertyStore& s) const {
    s.write(QStringLiteral("BackColor"), BackColor(), skin::back);
    s.write(QStringLiteral("Enabled"), Enabled(), true);
    s.write(QStringLiteral("Color3DLight"), Color3DLight(), skin::light);
    s.write(QStringLiteral("Color3DDark"), Color3DDark(), skin::dark);
}

} // namespace tarnwick::controls

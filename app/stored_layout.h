#pragma once

// The stored layouts of the two windows: where each control sits, in twips of its
// container, and the properties that differ from the control's defaults, under their
// lower-case names.

#include "controls/property_store.h"

class QWidget;

namespace tarnwick::app {

struct StoredControl {
    int left, top, width, height; // twips
    controls::PropertyStore properties;
};

// A control of a stored layout: created in `container`, given its stored properties with
// the window's font as the ambient one, then sized.
template <class Control>
Control* place(QWidget* container, const StoredControl& stored, const platform::Font& ambient) {
    auto* control = new Control(container);
    control->set_ambient_font(ambient);
    control->load(stored.properties);
    control->Move(stored.left, stored.top, stored.width, stored.height);
    return control;
}

namespace form1_layout {
StoredControl elpanel1();
StoredControl elframe1();
StoredControl Text1();
StoredControl Command1();
StoredControl elframe2();
StoredControl elradio1(int index);
StoredControl Command8();
StoredControl List1();
StoredControl Command6();
StoredControl Command5();
StoredControl Command4();
StoredControl Command3();
} // namespace form1_layout

namespace indicador_layout {
StoredControl Label1();
StoredControl Progressbar1();
} // namespace indicador_layout

} // namespace tarnwick::app

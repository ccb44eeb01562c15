#include "app/stored_layout.h"

#include "controls/skin.h"

namespace tarnwick::app {
namespace {

namespace skin = controls::skin;

using controls::Colour;
using controls::PropertyStore;
using controls::PropertyValue;

std::pair<QString, PropertyValue> text(const char* name, const char* value) {
    return {QString::fromLatin1(name), QString::fromLatin1(value)};
}
std::pair<QString, PropertyValue> colour(const char* name, Colour value) {
    return {QString::fromLatin1(name), value};
}
std::pair<QString, PropertyValue> flag(const char* name, bool value) {
    return {QString::fromLatin1(name), value};
}

// Every font of the two windows is Tahoma, regular, character set 0.
PropertyStore with_tahoma(double size,
                          std::initializer_list<std::pair<QString, PropertyValue>> rest) {
    PropertyStore store(rest);
    const controls::Font font = skin::tahoma(size);
    store.set(QStringLiteral("font"), font);
    store.set(QStringLiteral("fontname"), font.name);
    store.set(QStringLiteral("fontsize"), size);
    return store;
}

StoredControl button(int left, int top, int width, const char* caption) {
    return {left, top, width, 360,
            with_tahoma(skin::text_size, {text("caption", caption), flag("centercaption", true)})};
}

} // namespace

namespace form1_layout {

StoredControl elpanel1() {
    return {0, 0, 7980, 8610,
            with_tahoma(skin::title_size, {{QStringLiteral("title"), skin::window_title()},
                                           colour("color3ddark", skin::edge_dark)})};
}

StoredControl elframe1() {
    return {
        135, 555, 7710, 570,
        PropertyStore{colour("color3dlight", skin::edge_dark), colour("color3ddark", skin::light)}};
}

StoredControl Text1() {
    return {120, 135, 6900, 300,
            with_tahoma(skin::text_size, {colour("forecolor", skin::caption), text("text", ""),
                                          colour("color3dlight", skin::field_light),
                                          colour("color3ddark", skin::edge_dark)})};
}

StoredControl Command1() {
    return button(7095, 105, 495, "...");
}

StoredControl elframe2() {
    return {
        135, 1170, 7710, 7305,
        PropertyStore{colour("color3dlight", skin::edge_dark), colour("color3ddark", skin::light)}};
}

StoredControl elradio1(int index) {
    if (index == 0)
        return {120, 105, 1350, 285,
                with_tahoma(skin::text_size, {text("caption", "Show All"), flag("value", true)})};
    return {1560, 105, 2670, 285,
            with_tahoma(skin::text_size, {text("caption", "Show Only Custom")})};
}

StoredControl Command8() {
    return button(6450, 6855, 1140, "Make Res");
}

// A system list box: only its place is stored here; its colours and font are set by the
// window.
StoredControl List1() {
    return {105, 495, 7485, 6300, {}};
}

StoredControl Command6() {
    return button(3690, 6870, 1140, "Edit");
}
StoredControl Command5() {
    return button(2490, 6870, 1140, "Add");
}
StoredControl Command4() {
    return button(1290, 6870, 1140, "Remove");
}
StoredControl Command3() {
    return button(105, 6870, 1140, "Clear");
}

} // namespace form1_layout

namespace indicador_layout {

StoredControl Label1() {
    return {90, 150, 5505, 300,
            with_tahoma(skin::title_size, {colour("backcolor", skin::back), text("caption", "")})};
}

StoredControl Progressbar1() {
    return {90, 600, 5520, 360, PropertyStore{colour("color3ddark", skin::edge_dark)}};
}

} // namespace indicador_layout

} // namespace tarnwick::app

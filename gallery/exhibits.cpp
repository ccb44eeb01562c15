#include "exhibits.h"

#include "controls/elboton.h"
#include "controls/elframe.h"
#include "controls/ellabel.h"
#include "controls/elpanel.h"
#include "controls/elprogress.h"
#include "controls/elradio.h"
#include "controls/eltexto.h"
#include "controls/skin.h"
#include "controls/skinned_menu.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

namespace tarnwick::gallery {

using namespace controls;

namespace {

// The font of the window that holds the controls when it sets none of its own.
const platform::Font ambient{};

template <class Control>
Control* made(QWidget* host, const PropertyStore& layout, int width, int height) {
    auto* control = new Control(host);
    control->set_ambient_font(ambient);
    control->load(layout);
    control->Resize(width, height);
    return control;
}

PropertyStore command(const char* caption) {
    return {{"caption", QString::fromLatin1(caption)},
            {"centercaption", true},
            {"fontname", skin::text_font().name},
            {"fontsize", skin::text_size}};
}

void hold_left_button(QWidget* control, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, control->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &press);
}

// Vertical stripes in four tones, for the blended background.
platform::Surface& striped_host() {
    static platform::Surface host(120, 40, 0x00FFFFFF);
    const platform::Colour tones[] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0x00FFFFFF};
    for (int x = 0; x < host.width(); ++x)
        platform::draw_line(host.image(), x, 0, x, host.height(), tones[(x / 10) % 4]);
    return host;
}

} // namespace

std::vector<Exhibit> button_exhibits() {
    return {
        {"elboton, default", false, [](QWidget* h) { return made<elboton>(h, {}, 1200, 360); }},
        {"\"...\" (Command1)", false,
         [](QWidget* h) { return made<elboton>(h, command("..."), 495, 360); }},
        {"\"Clear\" (Command3)", false,
         [](QWidget* h) { return made<elboton>(h, command("Clear"), 1140, 360); }},
        {"\"Make Res\" (Command8)", false,
         [](QWidget* h) { return made<elboton>(h, command("Make Res"), 1140, 360); }},
        {"\"Make Res\", left button held", false,
         [](QWidget* h) {
             auto* b = made<elboton>(h, command("Make Res"), 1140, 360);
             hold_left_button(b, {30, 12});
             return b;
         }},
        {"DropShadow, Tahoma 9.75", false,
         [](QWidget* h) {
             PropertyStore layout{{"dropshadow", true},
                                  {"fontname", skin::text_font().name},
                                  {"fontsize", skin::title_size}};
             return made<elboton>(h, layout, 1500, 360);
         }},
        {"background at opacity 128", false,
         [](QWidget* h) {
             auto* b = made<elboton>(h, command("Blended"), 1500, 360);
             b->obtener_imagen_fondo(striped_host().hdc(), 0, 0, 128);
             return b;
         }},
    };
}

std::vector<Exhibit> panel_exhibits() {
    const PropertyStore main_window{{"title", skin::window_title()},
                                    {"color3ddark", skin::edge_dark},
                                    {"fontname", skin::text_font().name},
                                    {"fontsize", skin::title_size}};
    PropertyStore shadowed = main_window;
    shadowed.set("dropshadow", true);
    return {
        {"elpanel, default", true, [](QWidget* h) { return made<elpanel>(h, {}, 6000, 900); }},
        {"elpanel1 of the main window (cut to 100 px high)", true,
         [=](QWidget* h) { return made<elpanel>(h, main_window, 7980, 1500); }},
        {"DropShadow, close box held", true,
         [=](QWidget* h) {
             auto* p = made<elpanel>(h, shadowed, 7980, 900);
             hold_left_button(p, {p->ScaleWidth() - 20, 15});
             return p;
         }},
    };
}

std::vector<Exhibit> frame_exhibits() {
    const PropertyStore raised{{"color3dlight", skin::edge_dark}, {"color3ddark", skin::light}};
    return {
        {"elframe, default", false, [](QWidget* h) { return made<elframe>(h, {}, 3000, 900); }},
        {"elframe, as created without a layout", false,
         [](QWidget* h) {
             auto* f = new elframe(h);
             f->Resize(3000, 900);
             return f;
         }},
        {"elframe1 of the main window, holding \"...\"", true,
         [=](QWidget* h) {
             auto* f = made<elframe>(h, raised, 7710, 570);
             made<elboton>(f, command("..."), 495, 360)->Move(7095, 105);
             return f;
         }},
    };
}

std::vector<Exhibit> label_exhibits() {
    const PropertyStore progress_window{{"backcolor", skin::back},
                                        {"caption", QString()},
                                        {"fontname", skin::text_font().name},
                                        {"fontsize", skin::title_size}};
    PropertyStore shadowed = progress_window;
    shadowed.set("dropshadow", true);
    shadowed.remove("caption");
    return {
        {"ellabel, default", false, [](QWidget* h) { return made<ellabel>(h, {}, 4800, 300); }},
        {"\"Analizing File...\" (Label1 of the progress window)", false,
         [=](QWidget* h) {
             auto* l = made<ellabel>(h, progress_window, 5505, 300);
             l->Caption(QStringLiteral("Analizing File..."));
             return l;
         }},
        {"DropShadow, Tahoma 9.75", false,
         [=](QWidget* h) { return made<ellabel>(h, shadowed, 4800, 300); }},
    };
}

std::vector<Exhibit> progress_exhibits() {
    const PropertyStore progress_window{{"color3ddark", skin::edge_dark}};
    // Progressbar1 of the progress window after the scan has set Max and then Value.
    const auto bar = [=](int width, std::int32_t max, std::int32_t value) {
        return [=](QWidget* h) {
            auto* b = made<elprogress>(h, progress_window, width, 360);
            b->Max(max);
            b->Value(value);
            return b;
        };
    };
    return {
        {"elprogress, default", true,
         [](QWidget* h) { return made<elprogress>(h, {}, 3900, 360); }},
        {"Progressbar1 at 0", true, bar(5520, 10, 0)},
        {"Progressbar1 at 5 of 10", true, bar(5520, 10, 5)},
        {"Progressbar1 full", true, bar(5520, 10, 10)},
        {"360 twips wide: two places, full", true, bar(360, 10, 10)},
        {"background at opacity 128, 5 of 10", true,
         [=](QWidget* h) {
             auto* b = made<elprogress>(h, progress_window, 1800, 360);
             b->obtener_imagen_fondo(striped_host().hdc(), 0, 0, 128);
             b->Value(5);
             return b;
         }},
    };
}

std::vector<Exhibit> radio_exhibits() {
    const auto option = [](const char* caption, bool value) {
        return PropertyStore{{"caption", QString::fromLatin1(caption)},
                             {"value", value},
                             {"fontname", skin::text_font().name},
                             {"fontsize", skin::text_size}};
    };
    return {
        {"elradio, default", false, [](QWidget* h) { return made<elradio>(h, {}, 1275, 285); }},
        {"\"Show All\" (elradio1 index 0), checked", false,
         [=](QWidget* h) { return made<elradio>(h, option("Show All", true), 1350, 285); }},
        {"\"Show Only Custom\" (elradio1 index 1), unchecked", false,
         [=](QWidget* h) {
             return made<elradio>(h, option("Show Only Custom", false), 2670, 285);
         }},
        {"\"Show Only Custom\", over look", false,
         [=](QWidget* h) {
             auto* r = made<elradio>(h, option("Show Only Custom", false), 2670, 285);
             r->set_over_state();
             return r;
         }},
        {"checked, DropShadow, background at opacity 128", false,
         [=](QWidget* h) {
             PropertyStore layout = option("Shadowed", true);
             layout.set("dropshadow", true);
             auto* r = made<elradio>(h, layout, 1500, 285);
             r->obtener_imagen_fondo(striped_host().hdc(), 0, 0, 128);
             return r;
         }},
    };
}

std::vector<Exhibit> texto_exhibits() {
    const PropertyStore path_box{
        {"forecolor", skin::caption},         {"text", QString()},
        {"color3dlight", skin::field_light},  {"color3ddark", skin::edge_dark},
        {"fontname", skin::text_font().name}, {"fontsize", skin::text_size}};
    const auto with_path = [=](QWidget* h) {
        auto* t = made<eltexto>(h, path_box, 6900, 300);
        t->Text(QStringLiteral("D:\\cs\\cstrike\\maps\\de_foo.bsp"));
        return t;
    };
    return {
        {"eltexto, default", false, [](QWidget* h) { return made<eltexto>(h, {}, 1425, 300); }},
        {"eltexto, as created (not yet resized)", false, [](QWidget* h) { return new eltexto(h); }},
        {"Text1 of the main window, empty", true,
         [=](QWidget* h) { return made<eltexto>(h, path_box, 6900, 300); }},
        {"Text1 with a map path", true, with_path},
        {"elframe1 of the main window, holding Text1 and \"...\"", true,
         [=](QWidget* h) {
             auto* f = made<elframe>(
                 h, {{"color3dlight", skin::edge_dark}, {"color3ddark", skin::light}}, 7710, 570);
             with_path(f)->Move(120, 135);
             made<elboton>(f, command("..."), 495, 360)->Move(7095, 105);
             return f;
         }},
    };
}

// The main window's menu as it shows open: its groups, its underlined letters, and its items
// greyed until a map is analysed.
std::vector<Exhibit> menu_exhibits() {
    const auto menu = [](bool enabled, int highlighted) {
        return [=](QWidget* h) {
            const std::vector<MenuItem> items = {
                {"&Check Game Folder", "F5", enabled},
                {"C&ompare With the Existing .res", "", enabled},
                {"Complete the &List", "", enabled, true},
                {"Use the &Disk's Spelling", "", enabled},
                {"Leave Out &Stock and Missing", "", enabled},
                {"Collect Download &Folder...", "", enabled, true},
            };
            const MenuLayout layout = menu_layout(items, menu_font());
            auto* open = new QLabel(h);
            open->setPixmap(
                QPixmap::fromImage(paint_menu(items, layout, highlighted, menu_font())));
            open->resize(layout.size());
            return open;
        };
    };
    return {
        {"the window's menu, open, the first item highlighted", false, menu(true, 0)},
        {"the window's menu before a map is analysed", false, menu(false, -1)},
    };
}

std::vector<Exhibit> all_exhibits() {
    std::vector<Exhibit> all;
    for (auto group : {button_exhibits(), panel_exhibits(), frame_exhibits(), radio_exhibits(),
                       texto_exhibits(), label_exhibits(), progress_exhibits(), menu_exhibits()})
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

} // namespace tarnwick::gallery

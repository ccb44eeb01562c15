#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace tarnwick::gallery {

// One control in one state: `make` creates it on `host`, loads and sizes it as a window would
// and puts it into the state shown. Wide exhibits go in the right-hand column.
struct Exhibit {
    QString title;
    bool wide;
    std::function<QWidget*(QWidget* host)> make;
};

std::vector<Exhibit> button_exhibits();
std::vector<Exhibit> panel_exhibits();
std::vector<Exhibit> frame_exhibits();
std::vector<Exhibit> label_exhibits();
std::vector<Exhibit> progress_exhibits();
std::vector<Exhibit> radio_exhibits();
std::vector<Exhibit> texto_exhibits();
std::vector<Exhibit> menu_exhibits();

// Every exhibit, in the order shown.
std::vector<Exhibit> all_exhibits();

} // namespace tarnwick::gallery

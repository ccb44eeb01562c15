#include "app/window_icon.h"

#include <QPixmap>

namespace tarnwick::app {
namespace {
#include "app/icons/tarnwick16.xpm"
#include "app/icons/tarnwick32.xpm"
} // namespace

QIcon window_icon() {
    QIcon icon;
    icon.addPixmap(QPixmap(tarnwick32));
    icon.addPixmap(QPixmap(tarnwick16));
    return icon;
}

} // namespace tarnwick::app

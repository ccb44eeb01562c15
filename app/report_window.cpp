#include "app/report_window.h"

#include "app/list_box.h"
#include "app/window_frame.h"
#include "controls/elpanel.h"
#include "controls/skin.h"
#include "platform/colour.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace tarnwick::app {
namespace {

using controls::event_number;

constexpr int client_width = 452;
constexpr int client_height = 380;
constexpr int list_top = 32; // below the title
constexpr int margin = 7;
constexpr int gap = 4; // between the main window and this one

constexpr QRgb amber = 0xFFC24A;
constexpr QRgb red = 0xFF7B6E;
constexpr QRgb dimmed_grey = 0x8C978F;
constexpr QRgb grey = 0xB9BFBA;

bool starts_with(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

} // namespace

QColor status_colour(game::Status status) {
    switch (status) {
    case game::Status::case_mismatch:
        return QColor(amber);
    case game::Status::missing:
    case game::Status::unsafe:
    case game::Status::refused:
    case game::Status::damaged:
        return QColor(red);
    case game::Status::stock:
    case game::Status::unchecked:
        return QColor(dimmed_grey);
    case game::Status::replaced:
        return QColor(grey);
    case game::Status::found:
        break;
    }
    return QColor(platform::to_rgb(controls::skin::caption));
}

QColor report_line_colour(std::string_view line) {
    for (const auto* red_start : {"  missing", "  unsafe", "  damaged", "  error", "  lacking",
                                  "  refused", "  the server reads none"})
        if (starts_with(line, red_start)) return QColor(red);
    if (starts_with(line, "  case")) return QColor(amber);
    if (starts_with(line, "  unused") || starts_with(line, "  extra")) return QColor(grey);
    return status_colour(game::Status::found);
}

ReportWindow::ReportWindow(QWidget* owner, std::function<QPoint()> cursor_pos)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), cursor_pos_(std::move(cursor_pos)) {
    auto* client = framed_client(*this, {client_width, client_height});
    elpanel1 = new controls::elpanel(client);
    platform::Font title_font;
    title_font.name = QStringLiteral("Tahoma");
    title_font.size = 9.75;
    elpanel1->set_ambient_font(title_font);
    elpanel1->Icon(false);
    elpanel1->Color3DDark(controls::skin::edge_dark);
    elpanel1->Move(0, 0, client_width * 15, client_height * 15);
    List1 = new ListBox(elpanel1, QRect(margin, list_top, client_width - 2 * margin,
                                        client_height - list_top - margin));
    List1->setSelectionMode(QAbstractItemView::NoSelection);
    // Long lines are scrolled to, not cut: each line is as wide as its text.
    List1->setUniformItemSizes(false);
    List1->setTextElideMode(Qt::ElideNone);
    elpanel1->on_event([this](int event, controls::EventArgs&) {
        using E = controls::elpanel::Event;
        if (event == event_number(E::TitleMouseDown)) {
            moving_ = true;
            grip_ = cursor_pos_() - pos();
        } else if (event == event_number(E::TitleMouseMove) && moving_) {
            move(cursor_pos_() - grip_);
        } else if (event == event_number(E::TitleMouseUp)) {
            moving_ = false;
        } else if (event == event_number(E::CloseClick)) {
            hide();
        }
    });
}

void ReportWindow::show_report(const QString& title, const std::vector<std::string>& lines,
                               const QString& summary) {
    elpanel1->Title(title);
    setWindowTitle(summary.isEmpty() ? title : title + QStringLiteral(": ") + summary);
    List1->clear();
    for (const auto& line : lines) {
        auto* item = new QListWidgetItem(QString::fromStdString(line), List1);
        item->setForeground(report_line_colour(line));
    }
    if (!isVisible()) {
        if (const auto* owner = parentWidget()) move(beside(owner->frameGeometry()));
        show();
    }
    raise();
}

// To the right of the main window, else to its left, else at the screen's right edge.
QPoint ReportWindow::beside(const QRect& owner) const {
    const QScreen* screen = QGuiApplication::screenAt(owner.center());
    const QRect room = screen ? screen->availableGeometry() : QRect(owner.topRight(), size());
    QPoint at(owner.right() + 1 + gap, owner.top());
    if (at.x() + width() > room.right() + 1) at.setX(owner.left() - gap - width());
    if (at.x() < room.left()) at.setX(room.right() + 1 - width());
    return at;
}

std::string ReportWindow::text() const {
    std::string text;
    for (int i = 0; i < List1->count(); ++i)
        text += List1->item(i)->text().toStdString() + "\n";
    return text;
}

void ReportWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_window_frame(painter, *this);
}

} // namespace tarnwick::app

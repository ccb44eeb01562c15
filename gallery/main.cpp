// Shows every skinned control in its default state and in the states the main window uses,
// so that a person can compare them with the designs.

#include "exhibits.h"
#include "platform/fonts.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPalette>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

using tarnwick::gallery::Exhibit;

QWidget* cell(const Exhibit& exhibit) {
    auto* cell = new QWidget;
    auto* column = new QVBoxLayout(cell);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    column->addWidget(new QLabel(exhibit.title));
    auto* host = new QWidget;
    const QWidget* control = exhibit.make(host);
    host->setFixedSize(control->size());
    column->addWidget(host);
    return cell;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tarnwick::platform::ensure_fonts();

    // Scrolls, so that every exhibit can be reached on a small screen.
    QScrollArea window;
    window.setWindowTitle(QStringLiteral("Tarnwick control gallery"));
    auto* sheet = new QWidget;
    // A palette rather than a style sheet, which would reach into the text box's field.
    QPalette grey = sheet->palette();
    grey.setColor(QPalette::Window, QColor(0x6e, 0x6e, 0x6e));
    grey.setColor(QPalette::WindowText, Qt::white);
    sheet->setPalette(grey);
    sheet->setAutoFillBackground(true);
    auto* grid = new QGridLayout(sheet);
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(10);
    int rows[2] = {0, 0};
    for (const Exhibit& exhibit : tarnwick::gallery::all_exhibits()) {
        const int col = exhibit.wide ? 1 : 0;
        grid->addWidget(cell(exhibit), rows[col]++, col, Qt::AlignLeft | Qt::AlignTop);
    }
    grid->setRowStretch(std::max(rows[0], rows[1]), 1);
    window.setWidget(sheet);
    window.resize(sheet->sizeHint().boundedTo(QSize(1600, 1000)) + QSize(24, 4));
    window.show();
    return app.exec();
}

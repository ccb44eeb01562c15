#include "app/report_window.h"

#include "app/list_box.h"
#include "app/placement.h"
#include "app/report_rows.h"
#include "app/window_frame.h"
#include "controls/elpanel.h"
#include "controls/skin.h"
#include "controls/skinned_menu.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace tarnwick::app {
namespace {

using controls::event_number;

constexpr int client_width = 452;
constexpr int client_height = 574; // as high as the main window, to be read at a glance
constexpr int list_top = 32;       // below the title
constexpr int margin = 7;
constexpr int list_edge = 2;   // the list's sunken edge, on each side
constexpr int text_margin = 4; // between the list's inside and a row's text, on each side
const QString indent = QStringLiteral("    "); // what is said of an entry, under it
constexpr int heading_space = 6;
constexpr int no_row = -1; // a heading's or the note's item

// Rows as high as their lines, and no hover band, which the system list box does not draw.
class LinesDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~QStyle::State_MouseOver;
    }
};

// The longest start of `word` that fits `width`, at least one character.
int fitting_length(const QString& word, const QFontMetrics& metrics, int width) {
    int n = 1;
    while (n < word.size() && metrics.horizontalAdvance(word.left(n + 1)) <= width)
        ++n;
    return n;
}

} // namespace

QStringList wrap_text(const QString& text, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width) return {text};
    QStringList lines;
    QString line;
    for (QString word : text.split(QLatin1Char(' '))) {
        const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (metrics.horizontalAdvance(joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.isEmpty()) lines << line;
        while (metrics.horizontalAdvance(word) > width) {
            const int n = fitting_length(word, metrics, width);
            lines << word.left(n);
            word.remove(0, n);
        }
        line = word;
    }
    if (!line.isEmpty() || lines.isEmpty()) lines << line;
    return lines;
}

ReportWindow::ReportWindow(QWidget* owner, std::function<QPoint()> cursor_pos, QRect coverable)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), cursor_pos_(std::move(cursor_pos)),
      coverable_(coverable) {
    client_ = framed_client(*this, {client_width, client_height});
    elpanel1 = new controls::elpanel(client_);
    drag_.emplace(*this, *elpanel1);
    elpanel1->set_ambient_font(controls::skin::design_font());
    elpanel1->Icon(false);
    elpanel1->Color3DDark(controls::skin::edge_dark);
    elpanel1->Move(0, 0, client_width * 15, client_height * 15);
    List1 = new ListBox(elpanel1, QRect(margin, list_top, client_width - 2 * margin,
                                        client_height - list_top - margin));
    List1->setItemDelegate(new LinesDelegate(List1));
    List1->setUniformItemSizes(false);
    List1->setTextElideMode(Qt::ElideNone);
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    List1->installEventFilter(this);
    List1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(List1, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { show_menu(List1->viewport()->mapToGlobal(at)); });
    connect(List1, &QListWidget::itemDoubleClicked, this,
            [this](const QListWidgetItem* item) { choose(item); });
    elpanel1->on_event([this](int event, controls::EventArgs& a) {
        using E = controls::elpanel::Event;
        if (event == event_number(E::TitleMouseDown)) {
            drag_->begin(a.X, a.Y);
        } else if (event == event_number(E::TitleMouseMove)) {
            drag_->follow(cursor_pos_());
        } else if (event == event_number(E::TitleMouseUp)) {
            drag_->end();
        } else if (event == event_number(E::CloseClick)) {
            hide();
        }
    });
}

ReportWindow::~ReportWindow() = default;

void ReportWindow::show_report(const QString& title, std::vector<game::ReportRow> rows,
                               const QString& summary, const QStringList& notes) {
    elpanel1->Title(title);
    setWindowTitle(summary.isEmpty() ? title : title + QStringLiteral(": ") + summary);
    rows_ = std::move(rows);
    const bool opening = !isVisible();
    if (opening) place_beside_owner();
    fill_list(notes);
    if (opening) show();
    raise();
}

// Beside the main window, which moves aside when it must, or over its list alone.
void ReportWindow::place_beside_owner() {
    auto* owner = parentWidget();
    if (!owner) return;
    const QScreen* screen = QGuiApplication::screenAt(owner->frameGeometry().center());
    if (!screen) screen = owner->screen();
    const QRect room = screen ? screen->availableGeometry() : owner->frameGeometry();
    const auto placed = place_report(room, owner->frameGeometry(),
                                     framed_size({client_width, client_height}), coverable_);
    owner->move(placed.main);
    fit(placed.report.size());
    move(placed.report.topLeft());
}

// The window, its panel and its list sized for an outer `size`.
void ReportWindow::fit(QSize size) {
    const QSize client = client_inside(size);
    setFixedSize(size);
    client_->resize(client);
    elpanel1->Move(0, 0, client.width() * 15, client.height() * 15);
    List1->setGeometry(margin, list_top, client.width() - 2 * margin,
                       client.height() - list_top - margin);
}

// The counts and the notes, then each group under its heading with its count.
void ReportWindow::fill_list(const QStringList& notes) {
    List1->clear();
    metrics_.emplace(List1->font());
    // Narrower by the scroll bar, so that a bar that appears does not cut the rows.
    text_width_ = List1->width() - 2 * (list_edge + text_margin) -
                  List1->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    std::vector<int> groups[report_group_count];
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i)
        groups[static_cast<int>(group_of(rows_[i]))].push_back(i);
    for (int group = 0; group < report_group_count; ++group) {
        const auto& members = groups[group];
        if (members.empty()) continue;
        if (group != static_cast<int>(ReportGroup::top))
            add_heading(static_cast<ReportGroup>(group), counted_rows(members));
        for (const int row : members) {
            const auto shown = shown_row(rows_[row]);
            add_line(shown.text, shown.detail, row);
        }
        if (group == static_cast<int>(ReportGroup::top))
            for (const auto& note : notes)
                add_line(note, {}, no_row);
    }
}

// What a heading counts: its rows, but for the line that says why files were not checked.
std::size_t ReportWindow::counted_rows(const std::vector<int>& members) const {
    return static_cast<std::size_t>(std::count_if(members.begin(), members.end(), [this](int row) {
        return rows_[row].kind != game::RowKind::unchecked_counts;
    }));
}

void ReportWindow::add_heading(ReportGroup group, std::size_t count) {
    auto* item =
        add_line(QStringLiteral("%1 (%2)").arg(group_heading(group)).arg(count), {}, no_row);
    QFont bold = List1->font();
    bold.setBold(true);
    item->setFont(bold);
    item->setForeground(status_colour(game::Status::found));
    // A little room above each heading sets the groups apart.
    const QFontMetrics metrics(bold);
    item->setSizeHint({metrics.horizontalAdvance(item->text()) + 2 * text_margin,
                       metrics.height() + heading_space});
    item->setTextAlignment(Qt::AlignLeft | Qt::AlignBottom);
}

// One item: `text` and, indented under it, `detail`, each wrapped to the list's width.
QListWidgetItem* ReportWindow::add_line(const QString& text, const QString& detail, int row) {
    const auto& metrics = *metrics_;
    const int width = text_width_;
    QStringList lines = wrap_text(text, metrics, width);
    if (!detail.isEmpty())
        for (const auto& line :
             wrap_text(detail, metrics, width - metrics.horizontalAdvance(indent)))
            lines << indent + line;
    auto* item = new QListWidgetItem(lines.join(QLatin1Char('\n')), List1);
    item->setData(Qt::UserRole, row);
    if (row == no_row) {
        item->setFlags(Qt::ItemIsEnabled);
        item->setForeground(status_colour(game::Status::replaced));
    } else {
        item->setForeground(row_colour(rows_[row]));
    }
    return item;
}

const game::ReportRow* ReportWindow::row_of(const QListWidgetItem* item) const {
    const int row = item ? item->data(Qt::UserRole).toInt() : no_row;
    return row >= 0 && row < static_cast<int>(rows_.size()) ? &rows_[row] : nullptr;
}

void ReportWindow::choose(const QListWidgetItem* item) {
    const auto* row = row_of(item);
    if (row && !row->entry.empty() && on_entry_chosen) on_entry_chosen(row->entry);
}

std::string ReportWindow::copy_text() const {
    std::string text;
    for (const auto& line : game::report_text(rows_))
        text += line + "\n";
    return text;
}

void ReportWindow::copy_report() const {
    QGuiApplication::clipboard()->setText(QString::fromStdString(copy_text()));
}

void ReportWindow::show_menu(QPoint global) {
    if (!menu_) {
        menu_ = std::make_unique<controls::SkinnedMenu>(this);
        menu_->set_items({{QStringLiteral("Copy Report"), QStringLiteral("Ctrl+C")}});
        menu_->on_chosen = [this](int) { copy_report(); };
    }
    menu_->popup(global);
}

bool ReportWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            copy_report();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            choose(List1->currentItem());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ReportWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_window_frame(painter, *this);
}

} // namespace tarnwick::app

#include "app/form1.h"

#include "app/game_check.h"
#include "app/indicador.h"
#include "app/list_box.h"
#include "app/report_window.h"
#include "app/stored_layout.h"
#include "app/window_frame.h"
#include "app/window_icon.h"
#include "controls/elboton.h"
#include "controls/elframe.h"
#include "controls/elpanel.h"
#include "controls/elradio.h"
#include "controls/eltexto.h"
#include "controls/skin.h"
#include "controls/skinned_menu.h"
#include "platform/colour.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QUrl>

namespace tarnwick::app {
namespace {

using controls::event_number;

// The client area, inside the window's frame.
constexpr QSize client_size(532, 574);

// The map a drag carries: a single local file whose name ends in .bsp, in any case.
QString dragged_map(const QMimeData* data) {
    const auto urls = data ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls[0].isLocalFile()) return {};
    const QString path = urls[0].toLocalFile();
    return path.endsWith(QLatin1String(".bsp"), Qt::CaseInsensitive) ? path : QString();
}

} // namespace

void open_command_line_map(Form1& form, const QStringList& arguments) {
    if (arguments.size() < 2) return;
    QTimer::singleShot(0, &form, [&form, map = arguments[1]] { form.open_map(map); });
}

Form1::Form1(platform::Services services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), services_(std::move(services)) {
    setWindowTitle(controls::skin::window_title());
    setWindowIcon(window_icon());
    check_ = std::make_unique<GameCheck>(static_cast<CheckedWindow&>(*this));
    create_controls();
    drag_ = std::make_unique<TitleDrag>(*this, *elpanel1);
    bind_events();
    bind_menu();
    set_tab_order();
    setAcceptDrops(true);
    // A map dropped on the path field opens like one dropped anywhere else, rather than
    // having its address typed into the field.
    Text1->Text1().installEventFilter(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

Form1::~Form1() = default;

void Form1::create_controls() {
    auto* client = framed_client(*this, client_size);
    const platform::Font ambient; // the window's own font
    elpanel1 = place<controls::elpanel>(client, form1_layout::elpanel1(), ambient);
    elframe1 = place<controls::elframe>(elpanel1, form1_layout::elframe1(), ambient);
    Text1 = place<controls::eltexto>(elframe1, form1_layout::Text1(), ambient);
    Command1 = place<controls::elboton>(elframe1, form1_layout::Command1(), ambient);
    elframe2 = place<controls::elframe>(elpanel1, form1_layout::elframe2(), ambient);
    elradio1[0] = place<controls::elradio>(elframe2, form1_layout::elradio1(0), ambient);
    Command8 = place<controls::elboton>(elframe2, form1_layout::Command8(), ambient);
    List1 = new ListBox(elframe2, form1_layout::List1());
    Command6 = place<controls::elboton>(elframe2, form1_layout::Command6(), ambient);
    Command5 = place<controls::elboton>(elframe2, form1_layout::Command5(), ambient);
    Command4 = place<controls::elboton>(elframe2, form1_layout::Command4(), ambient);
    Command3 = place<controls::elboton>(elframe2, form1_layout::Command3(), ambient);
    elradio1[1] = place<controls::elradio>(elframe2, form1_layout::elradio1(1), ambient);
}

void Form1::bind_events() {
    const auto on_click = [this](controls::elboton* button, void (Form1::*operation)()) {
        button->on_event([this, operation](int event, controls::EventArgs&) {
            if (event == event_number(controls::elboton::Event::Click)) (this->*operation)();
        });
    };
    on_click(Command1, &Form1::browse_map);
    on_click(Command3, &Form1::clear_entries);
    on_click(Command4, &Form1::remove_entry);
    on_click(Command5, &Form1::add_entry);
    on_click(Command6, &Form1::edit_entry);
    on_click(Command8, &Form1::make_res);
    for (std::int16_t index = 0; index < 2; ++index) {
        elradio1[index]->on_event([this, index](int event, controls::EventArgs&) {
            if (event == event_number(controls::elradio::Event::Click)) choose_filter(index);
        });
    }
    connect(List1, &QListWidget::itemSelectionChanged, this, [this] { entry_selected(); });
    elpanel1->on_event([this](int event, controls::EventArgs& a) {
        using E = controls::elpanel::Event;
        if (event == event_number(E::TitleMouseDown)) begin_drag(a.Button, a.Shift, a.X, a.Y);
        if (event == event_number(E::TitleMouseMove)) drag_window(a.Button, a.Shift, a.X, a.Y);
        if (event == event_number(E::TitleMouseUp)) end_drag(a.Button, a.Shift, a.X, a.Y);
        if (event == event_number(E::CloseClick)) close_program();
        if (event == event_number(E::IconMouseDown))
            show_menu(
                elpanel1->mapToGlobal(elpanel1->Picture1().bounds().bottomLeft() + QPoint(0, 1)));
    });
}

// The menu opens on a right-click on the shown list, a click on the title's icon, and
// Shift+F10 or the menu key; F5 checks the game folder.
void Form1::bind_menu() {
    List1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(List1, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { show_menu(List1->viewport()->mapToGlobal(at)); });
    const auto under_list_corner = [this] { show_menu(List1->mapToGlobal(QPoint(2, 2))); };
    for (const auto& key : {QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, under_list_corner);
    connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this,
            [this] { check_->check_game_folder(); });
}

// Title panel, upper frame, map path, "...", lower frame, shown list, "Make Res", "Edit",
// "Add", "Remove", "Clear", "Show All", "Show Only Custom"; those that take no focus are
// passed over.
void Form1::set_tab_order() {
    QWidget* order[] = {elpanel1, elframe1, Text1,    Command1, elframe2,    List1,      Command8,
                        Command6, Command5, Command4, Command3, elradio1[0], elradio1[1]};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint_window_frame(painter, *this);
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    take_drop(event, false);
}

void Form1::dragMoveEvent(QDragMoveEvent* event) {
    take_drop(event, false);
}

void Form1::dropEvent(QDropEvent* event) {
    take_drop(event, true);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (watched == &Text1->Text1() &&
        (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop)) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!dragged_map(drop->mimeData()).isEmpty()) {
            take_drop(drop, type == QEvent::Drop);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// A drag is welcome when it carries one map and no scan runs, like a click on "...". The
// map is analysed after the drop has ended, so the program it came from is not kept
// waiting for the scan.
void Form1::take_drop(QDropEvent* event, bool dropped) {
    const QString map = dragged_map(event->mimeData());
    if (map.isEmpty() || scanning_) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    if (dropped) QTimer::singleShot(0, this, [this, map] { open_map(map); });
}

void Form1::begin_drag(std::int16_t, std::int16_t, float X, float Y) {
    drag_->begin(X, Y);
}

void Form1::drag_window(std::int16_t, std::int16_t, float, float) {
    drag_->follow(services_.cursor_pos());
}

void Form1::end_drag(std::int16_t, std::int16_t, float, float) {
    drag_->end();
}

void Form1::close_program() {
    services_.end_process();
}

} // namespace tarnwick::app

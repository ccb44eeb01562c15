#include "app/indicador.h"
#include "controls/elframe.h"
#include "controls/ellabel.h"
#include "controls/elpanel.h"
#include "controls/elprogress.h"
#include "form1_fixture.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>
#include <QWindow>

namespace tarnwick::testing {
namespace {

QRect client_rect(const QWidget* w, const QWidget* window) {
    // The client area starts one pixel inside the window.
    return QRect(w->mapTo(window, QPoint(0, 0)) - QPoint(1, 1), w->size());
}

TEST_F(Form1Test, ControlsSitWhereTheLayoutPutsThem) {
    const QWidget* window = form.get();
    EXPECT_EQ(window->size(), QSize(534, 576));
    const struct {
        const QWidget* control;
        QRect where;
    } expected[] = {
        {form->elpanel1, {0, 0, 532, 574}},      {form->elframe1, {9, 37, 514, 38}},
        {form->Text1, {17, 46, 460, 20}},        {form->Command1, {482, 44, 33, 24}},
        {form->elframe2, {9, 78, 514, 487}},     {form->elradio1[0], {17, 85, 90, 19}},
        {form->Command8, {439, 535, 76, 24}},    {form->List1, {16, 111, 499, 420}},
        {form->Command6, {255, 536, 76, 24}},    {form->Command5, {175, 536, 76, 24}},
        {form->Command4, {95, 536, 76, 24}},     {form->Command3, {16, 536, 76, 24}},
        {form->elradio1[1], {113, 85, 178, 19}},
    };
    for (const auto& e : expected)
        EXPECT_EQ(client_rect(e.control, window), e.where) << e.control->metaObject()->className();
    EXPECT_EQ(form->elpanel1->Title(), "Cs 1.6 Tarnwick 1.5");
    EXPECT_EQ(form->Command8->Caption(), "Make Res");
    EXPECT_EQ(form->elradio1[1]->Caption(), "Show Only Custom");
    EXPECT_EQ(form->List1->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(form->Text1->Text(), "");
}

TEST_F(Form1Test, TheProgressWindowShowsOnlyDuringAScanAndTheCloseBoxEndsTheProgramEvenThen) {
    during_scan = [&] {
        const auto* w = form->indicador();
        EXPECT_NE(w, nullptr);
        if (!w) return true;
        EXPECT_EQ(w->size(), QSize(384, 75));
        EXPECT_EQ(w->Label1->Caption(), "Analizing File...");
        EXPECT_EQ(w->Progressbar1->Max(), 3); // 3000 bytes: 3 blocks
        EXPECT_EQ(client_rect(w->Label1, w), QRect(6, 10, 367, 20));
        EXPECT_EQ(client_rect(w->Progressbar1, w), QRect(6, 40, 368, 24));
        EXPECT_EQ(w->cursor().shape(), Qt::WaitCursor);
        const QPoint close_box = form->elpanel1->Picture2().bounds().center();
        QTest::mouseClick(form->elpanel1, Qt::LeftButton, {}, close_box);
        return true;
    };
    analyse(write_map("de_foo.bsp", ""));
    EXPECT_EQ(during_scan, nullptr) << "no pump during the scan";
    EXPECT_EQ(form->indicador(), nullptr);
    EXPECT_EQ(ended, 1);
}

// Drags `urls` over the middle of `target` and, when the window takes them, drops them
// there. The events go to the window, as the system sends them, which passes them on to
// the widget under the point that takes drops. True when the drag was taken.
bool drop_on(QWidget* window, const QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    data.setText(urls.value(0).toString()); // as file managers offer it
    const QPoint at = target->mapTo(window, target->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(window->windowHandle(), &enter);
    if (!enter.isAccepted()) {
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(window->windowHandle(), &leave);
        return false;
    }
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(window->windowHandle(), &drop);
    return drop.isAccepted();
}

TEST_F(Form1Test, AMapDroppedOnTheWindowIsAnalysedLikeOneChosenWithTheButton) {
    form->show();
    const auto url = [&](const char* name) {
        return QUrl::fromLocalFile(QString::fromStdString(write_map(name, R"({"model" "x.mdl"})")));
    };
    const auto map = url("DE_FOO.BSP");
    const struct {
        const char* name;
        QList<QUrl> urls;
    } refused[] = {
        {"not a map", {url("notes.txt")}},
        {"two maps", {map, url("other.bsp")}},
        {"not a local file", {QUrl("https://example.org/de_foo.bsp")}},
    };
    for (const auto& r : refused)
        EXPECT_FALSE(drop_on(form.get(), form->List1, r.urls)) << r.name;
    during_scan = [&] { return !drop_on(form.get(), form->List1, {map}); };
    analyse(write_map("busy.bsp", ""));
    EXPECT_EQ(during_scan, nullptr) << "a drop was taken during a scan";

    // On the path field too, which would otherwise take the address as text.
    for (const QWidget* target : {static_cast<const QWidget*>(form->List1),
                                  static_cast<const QWidget*>(&form->Text1->Text1())}) {
        analysis::current_map_name.clear();
        ASSERT_TRUE(drop_on(form.get(), target, {map})) << target->metaObject()->className();
        EXPECT_TRUE(QTest::qWaitFor([] { return !analysis::current_map_name.empty(); }));
        EXPECT_EQ(analysis::current_map_name, "DE_FOO.BSP");
        EXPECT_EQ(form->Text1->Text(), QDir::toNativeSeparators(map.toLocalFile()));
    }
}

TEST_F(Form1Test, DraggingTheTitleKeepsThePressedPointUnderTheCursor) {
    form->move(100, 100);
    cursor = {400, 300};
    form->drag_window(1, 0, 0, 0); // no press yet
    EXPECT_EQ(form->pos(), QPoint(100, 100));

    // Pressed at (5, 4) of the title, which lies at (30, 9) of the panel, one pixel in.
    form->begin_drag(2, 0, 5, 4);
    form->drag_window(2, 0, 0, 0);
    EXPECT_EQ(form->pos(), QPoint(400 - 1 - 30 - 5, 300 - 1 - 9 - 4));
    cursor += QPoint(17, -3);
    form->drag_window(2, 0, 0, 0);
    EXPECT_EQ(form->pos(), QPoint(400 + 17 - 36, 300 - 3 - 14));

    form->end_drag(2, 0, 0, 0);
    cursor = {0, 0};
    form->drag_window(2, 0, 0, 0);
    EXPECT_EQ(form->pos(), QPoint(381, 283));
}

} // namespace
} // namespace tarnwick::testing

#include "app/indicador.h"
#include "controls/elframe.h"
#include "controls/ellabel.h"
#include "controls/elpanel.h"
#include "controls/elprogress.h"
#include "form1_fixture.h"
#include "hide_file.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>
#include <QWindow>
#include <gmock/gmock.h>

namespace tarnwick::testing {
namespace {

using ::testing::StartsWith;

const char* const entities = R"({"wad" "\cs\halflife.wad;\cs\custom.wad;\cs\decals.wad"})"
                             R"({"model" "models/props/crate.mdl"})";
// The window's own messages start with its title.
const std::string titled = "Druvo Cs 1.6 Tarnwick 1.5: ";
const std::string created = titled + "Res File SuccessFully Created !";

TEST_F(Form1Test, TheProgressWindowShowsOnlyDuringAScanAndTheCloseBoxEndsTheProgramEvenThen) {
    during_scan = [&] {
        const auto* w = form->indicador();
        EXPECT_NE(w, nullptr);
        if (!w) return true;
        EXPECT_EQ(w->Progressbar1->Max(), 3); // the scan reaches the window's bar
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
    EXPECT_FALSE(drop_on(form.get(), form->List1, {url("notes.txt")})) << "not a map";
    EXPECT_FALSE(drop_on(form.get(), form->List1, {map, url("other.bsp")})) << "two maps";
    EXPECT_FALSE(drop_on(form.get(), form->List1, {QUrl("https://example.org/de_foo.bsp")}))
        << "not a local file";
    during_scan = [&] { return !drop_on(form.get(), form->List1, {map}); };
    analyse(write_map("busy.bsp", ""));
    EXPECT_EQ(during_scan, nullptr) << "a drop was taken during a scan";

    // On the path field too, which would otherwise take the address as text.
    for (const QWidget* target : {static_cast<const QWidget*>(form->List1),
                                  static_cast<const QWidget*>(&form->Text1->Text1())}) {
        analyse(write_map("other.bsp", ""));
        ASSERT_TRUE(drop_on(form.get(), target, {map})) << target->metaObject()->className();
        EXPECT_TRUE(QTest::qWaitFor([&] { return form->current_map_name() != "other.bsp"; }));
        EXPECT_EQ(form->current_map_name(), "DE_FOO.BSP");
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

    form->end_drag(2, 0, 0, 0);
    cursor = {0, 0};
    form->drag_window(2, 0, 0, 0);
    EXPECT_EQ(form->pos(), QPoint(364, 286)); // where the drag left it
}

TEST_F(Form1Test, AnalysingAMapListsItsResourcesAndEnablesWhatNeedsAList) {
    EXPECT_EQ(enabled(), "111111"); // as the window opens
    form->clear_entries();
    const auto path = write_map("de_foo.bsp", entities);
    analyse(path);
    form->browse_map(); // no file scripted: cancelled, which changes nothing
    EXPECT_EQ(dialogs.asked.at(0), "Cs Map (*.bsp)|*.bsp");
    EXPECT_EQ(enabled(), "101111"); // Remove waits for a click on an entry
    EXPECT_EQ(shown(), "halflife.wad, custom.wad, decals.wad, models/props/crate.mdl");
    EXPECT_EQ(form->Text1->Text().toStdString(), path);
    EXPECT_EQ(form->current_map_name(), "de_foo.bsp");

    // A second analysis replaces entries added by hand.
    add("mine.wad");
    analyse(write_map("b.bsp", R"({"model" "b.mdl"})"));
    EXPECT_EQ(shown(), "models/b.mdl");

    // Clearing greys the list and disables what needs entries.
    form->List1->setCurrentRow(0);
    form->clear_entries();
    EXPECT_EQ(enabled(), "001100");
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(form->List2.count(), 0);
}

TEST_F(Form1Test, AMapOnTheCommandLineIsAnalysedOnceTheWindowShows) {
    const auto map = QString::fromStdString(write_map("de_foo.bsp", entities));
    app::open_command_line_map(*form, {"tarnwick", QDir::current().relativeFilePath(map)});
    EXPECT_EQ(shown(), ""); // not before the event loop runs
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown().empty(); }));
    EXPECT_EQ(form->Text1->Text(), QDir::toNativeSeparators(map)); // as the dialog gives it
    EXPECT_EQ(form->current_map_name(), "de_foo.bsp");
}

TEST_F(Form1Test, AFailedAnalysisForgetsTheMapAndItsEntriesButLeavesThemShown) {
    analyse(write_map("de_foo.bsp", entities));
    write_file(dir.file("small.bsp"), std::string(512, 'x'));
    analyse(dir.file("small.bsp"));
    EXPECT_EQ(said(), "Error01: Cant Read File");
    EXPECT_EQ(shown(), "halflife.wad, custom.wad, decals.wad, models/props/crate.mdl");
    EXPECT_EQ(form->List2.count(), 0);
    EXPECT_EQ(form->Text1->Text(), "");
    EXPECT_EQ(form->current_map_name(), "");
    EXPECT_EQ(enabled(), "111111");

    // The shown entries are no longer in the full list: Remove and Edit leave them be.
    form->List1->setCurrentRow(0);
    form->remove_entry();
    dialogs.inputs.push_back("other.wad");
    form->edit_entry();
    EXPECT_EQ(shown(), "[halflife.wad], custom.wad, decals.wad, models/props/crate.mdl");
    // And there is no map to write for.
    form->make_res();
    EXPECT_EQ(said(), "");
}

TEST_F(Form1Test, AddingAppliesTheNameTestAndSelectsTheLastShownEntryUntilTheListIsFull) {
    form->clear_entries();
    const std::string refused =
        titled + "Not A Valid Map Resource. Extensions are: .bmp .tga .wad .wav .txt .spr .mdl";
    const struct {
        const char* typed;
        std::string says;
    } names[] = {{".wad", ""},
                 {"MAP.WAD", refused},
                 {"x.wad ", refused},
                 {"models/\xD0\xB4\xD0\xBE\xD0\xBC.mdl",
                  titled + "Not A Valid Map Resource. A resource file can only hold Western "
                           "(Windows-1252) characters"}};
    for (const auto& n : names) {
        add(QString::fromUtf8(n.typed));
        EXPECT_EQ(said(), n.says) << n.typed;
    }

    add("sound/x.wav");
    EXPECT_EQ(dialogs.asked.back(), "Add Resource: [] []");
    add("sound/x.wav");
    EXPECT_EQ(enabled(), "111110"); // the list stays greyed after Clear
    EXPECT_EQ(shown(), "sound/x.wav, [sound/x.wav]");

    // A full list takes no more.
    while (form->List2.count() < analysis::ResourceList::max_entries)
        form->List2.append("x" + std::to_string(form->List2.count()) + ".wad");
    add("y.wad");
    EXPECT_EQ(said(), titled + "The List Is Full");
}

TEST_F(Form1Test, ShowOnlyCustomHidesStockPackagesWhileTheListIsEdited) {
    analyse(write_map("de_foo.bsp", entities));
    form->List1->setCurrentRow(2);
    click_option(0); // the chosen option: the selection stays
    EXPECT_EQ(shown(), "halflife.wad, custom.wad, [decals.wad], models/props/crate.mdl");
    click_option(1);
    EXPECT_EQ(shown(), "custom.wad, models/props/crate.mdl");

    add("halflife.wad");
    EXPECT_EQ(shown(), "custom.wad, [models/props/crate.mdl]"); // the last one shown

    // Edited into a stock name, an entry keeps its place in the full list, hidden.
    form->List1->setCurrentRow(0); // custom.wad
    dialogs.inputs.push_back("cstrike.wad");
    form->edit_entry();
    EXPECT_EQ(dialogs.asked.back(), "Edit Resource: [] [custom.wad]");
    EXPECT_EQ(shown(), "models/props/crate.mdl");

    // Removing the last entry shown disables the commands until an entry is clicked.
    form->List1->setCurrentRow(0);
    form->remove_entry();
    EXPECT_EQ(enabled(), "001001");
    click_option(0);
    EXPECT_EQ(shown(), "halflife.wad, cstrike.wad, decals.wad, halflife.wad");
    EXPECT_EQ(enabled(), "001001");
    form->List1->setCurrentRow(0);
    EXPECT_EQ(enabled(), "011101");
}

TEST_F(Form1Test, MakeResWritesBesideThePathShownAskingBeforeReplacingAnOrdinaryFile) {
    analyse(write_map("de_foo.bsp", R"({"wad" "x.wad"})"));
    write_file(dir.file("de_foo.res"), "old");
    const std::string overwrite =
        titled + "Destination File " + dir.file("de_foo.res") + " Already Exists. Overwrite?";
    form->make_res(); // no answer scripted: No
    EXPECT_EQ(said(), overwrite);
    EXPECT_EQ(read_file(dir.file("de_foo.res")), "old");

    dialogs.answers.push_back(platform::Answer::yes);
    form->make_res();
    EXPECT_EQ(said(), overwrite + "\n" + created);
    EXPECT_EQ(read_file(dir.file("de_foo.res")), "maps/de_foo.bsp\r\nmaps/de_foo.res\r\nx.wad\r\n");

    form->Text1->Text(QString::fromStdString(dir.file("de_bar.bsp"))); // edited by hand
    form->make_res();
    EXPECT_EQ(said(), created);
    EXPECT_EQ(read_file(dir.file("de_bar.res")), "maps/de_bar.bsp\r\nmaps/de_bar.res\r\nx.wad\r\n");

    // A failed write says why and changes nothing.
    form->Text1->Text(QString::fromStdString(dir.file("gone/de_foo.bsp")));
    form->make_res();
    EXPECT_THAT(said(), StartsWith("Error02: Cant Write File\n"));
    EXPECT_EQ(shown(), "x.wad");
    EXPECT_EQ(form->current_map_name(), "de_foo.bsp");

    form->Text1->Text("a.b"); // too short to name a destination: nothing at all
    form->make_res();
    EXPECT_EQ(said(), "");

    // A hidden resource file is not asked about: it is replaced, or, where the system
    // refuses to replace a hidden file, the write fails with the reason and keeps it.
    analyse(write_map(".hidden.bsp", entities));
    write_file(dir.file(".hidden.res"), "old");
    const bool replaceable = hide_file(dir.file(".hidden.res"));
    form->make_res();
    if (replaceable) {
        EXPECT_EQ(said(), created);
    } else {
        EXPECT_THAT(said(), StartsWith("Error02: Cant Write File\n"));
        EXPECT_EQ(read_file(dir.file(".hidden.res")), "old");
    }
}

TEST_F(Form1Test, NothingStartsAnotherScanOrChangesTheListWhileAScanRuns) {
    analyse(write_map("de_foo.bsp", entities)); // a map to write for, entries on display
    during_scan = [&] {
        if (form->List2.count() < 4) return false; // until the scan has found them again
        form->browse_map();
        form->clear_entries();
        form->add_entry();
        form->make_res();
        form->List1->setCurrentRow(1);
        form->remove_entry();
        form->edit_entry();
        click_option(1); // the filter still works
        return true;
    };
    analyse(dir.file("de_foo.bsp"));
    EXPECT_EQ(enabled(), "111111");
    EXPECT_EQ(shown(), "custom.wad, models/props/crate.mdl");
    // Nothing asked but the two maps, nothing said.
    EXPECT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(said(), "");
}

} // namespace
} // namespace tarnwick::testing

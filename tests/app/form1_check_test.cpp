// The window's check of the map against a small game folder made by the test: colours,
// report, menu, and each change of the list that follows from a check.

#include "app/game_check.h"
#include "app/report_rows.h"
#include "app/report_window.h"
#include "controls/elpanel.h"
#include "controls/skinned_menu.h"
#include "form1_fixture.h"
#include "synthetic_game.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <gmock/gmock.h>

namespace tarnwick::testing {
namespace {

using ::testing::AllOf;
using ::testing::Eq;
using ::testing::HasSubstr;
using ::testing::Not;

const char* const map_entities = R"({"wad" "\cs\halflife.wad;\cs\mine.wad"})"
                                 R"({"model" "models/x.mdl"})"
                                 R"({"noise" "sound/Door.wav"}{"noise2" "sound/gone.wav"})";

class Form1Check : public Form1Test {
protected:
    Form1Check() {
        mod("models/x.mdl", studio_model_bytes({false, {}, {{5004, "x/hit.wav"}}}));
        mod("models/xT.mdl", studio_model_bytes({}));
        mod("sound/door.wav", "RIFF");
        mod("sound/x/hit.wav", "RIFF");
        mod("mine.wad", wad_bytes({"wall"}));
        mod("maps/de_foo.bsp", map_with_textures(map_entities, {{"wall", false}}));
    }

    void mod(std::string_view relative, std::string_view bytes) {
        put_file(mod_dir, relative, bytes);
    }

    // The status whose colour `colour` is: missing for the red of unsafe, refused and
    // damaged too.
    static std::string status_of(const QColor& colour) {
        std::string name = "other";
        for (int s = game::status_count - 1; s >= 0; --s)
            if (colour == app::status_colour(game::Status(s)))
                name = game::status_name(game::Status(s));
        return name;
    }

    // Each shown entry as "entry=status" by its colour, "=plain" without a colour of its own.
    std::string coloured() const {
        std::string out;
        for (int i = 0; i < form->List1->count(); ++i) {
            const auto brush = form->List1->item(i)->foreground();
            out += (out.empty() ? "" : ", ") + form->List1->item(i)->text().toStdString() + "=" +
                   (brush.style() == Qt::NoBrush ? "plain" : status_of(brush.color()));
        }
        return out;
    }

    // The report window's rows of `kind`, each as "entry=status" by its colour.
    std::string row_colours(game::RowKind kind) const {
        std::string out;
        const auto* list = form->report_window()->List1;
        for (int i = 0; i < list->count(); ++i) {
            const auto* row = form->report_window()->row_of(list->item(i));
            if (!row || row->kind != kind) continue;
            out += (out.empty() ? "" : ", ") + row->entry + "=" +
                   status_of(list->item(i)->foreground().color());
        }
        return out;
    }

    // The game as a Steam library at the test's folder holds it.
    const std::filesystem::path mod_dir = dir.path() / "steamapps/common/Half-Life/cstrike";
    const std::string map = (mod_dir / "maps/de_foo.bsp").string();
};

TEST_F(Form1Check, CheckingColoursTheShownEntriesAndReportsBesideUntilTheListChanges) {
    analyse(map);
    EXPECT_EQ(shown(), "halflife.wad, mine.wad, models/x.mdl, sound/Door.wav, sound/gone.wav");
    // Rows as a system list box draws them for Tahoma 8.25 pt: 13 pixels, the selection as
    // high as a row, drawn as the style draws it.
    form->show();
    form->List1->setCurrentRow(1);
    const QImage shot = form->List1->viewport()->grab().toImage();
    const QColor back = form->List1->palette().color(QPalette::Base);
    const int x = shot.width() / 2; // right of every entry's text
    const std::pair<int, bool> rows[] = {{0, false}, {12, false}, {13, true},
                                         {19, true}, {25, true},  {26, false}};
    for (const auto& [y, selected] : rows)
        EXPECT_EQ(shot.pixelColor(x, y) != back, selected) << y;
    form->game_check().check_game_folder();
    EXPECT_EQ(coloured(), "halflife.wad=stock, mine.wad=found, models/x.mdl=found, "
                          "sound/Door.wav=case, sound/gone.wav=missing");
    ASSERT_TRUE(form->report_window() && form->report_window()->isVisible());
    EXPECT_THAT(form->report_window()->copy_text(), HasSubstr(": 7 entries: 4 found, 1 case"));
    EXPECT_EQ(dialogs.asked.size(), 1u) << "the map is in a mod's maps folder: nothing asked";

    // The report moves by its title, with drag code of its own, and closes with its cross.
    auto* report = form->report_window();
    auto* panel = report->elpanel1;
    const QPoint corner = report->pos(), title(60, 12);
    cursor = {700, 300};
    QTest::mousePress(panel, Qt::LeftButton, {}, title);
    cursor += QPoint(-40, 25);
    QTest::mouseMove(panel, title + QPoint(1, 0));
    QTest::mouseRelease(panel, Qt::LeftButton, {}, title);
    EXPECT_EQ(report->pos(), corner + QPoint(-40, 25));
    QTest::mouseClick(panel, Qt::LeftButton, {}, panel->Picture2().bounds().center());
    EXPECT_FALSE(report->isVisible());
    EXPECT_EQ(ended, 0) << "the program goes on";

    // Stale colours go with any change of the list or the filter.
    const std::function<void()> changes[] = {
        [&] { add("sound/new.wav"); },
        [&] { click_option(1); },
        [&] { analyse(map); },
    };
    for (const auto& change : changes) {
        form->game_check().check_game_folder();
        change();
        EXPECT_THAT(coloured(), Not(HasSubstr("=missing"))) << shown();
    }
}

TEST_F(Form1Check, CompletingTheListAddsWhatTheFoundFilesNeedAndTheOtherItemsLeaveOut) {
    analyse(map);
    form->game_check().complete_list();
    EXPECT_EQ(shown(), "halflife.wad, mine.wad, models/x.mdl, sound/Door.wav, sound/gone.wav, "
                       "models/xT.mdl, sound/x/hit.wav");

    form->game_check().use_disk_spelling();
    EXPECT_THAT(shown(), HasSubstr("models/x.mdl, sound/door.wav, sound/gone.wav"));
    form->game_check().leave_out_stock_and_missing();
    EXPECT_EQ(shown(), "mine.wad, models/x.mdl, sound/door.wav, models/xT.mdl, sound/x/hit.wav");

    // The list's limit holds: the texture model fits, the sound does not.
    analyse(map);
    while (form->List2.count() < analysis::ResourceList::max_entries - 1)
        form->List2.append("x" + std::to_string(form->List2.count()) + ".wad");
    form->game_check().complete_list();
    EXPECT_THAT(said(), HasSubstr("The List Is Full"));
    EXPECT_EQ(form->List2.entries().back(), "models/xT.mdl");
}

TEST_F(Form1Check, TheMenuIsGreyedWithoutAMapOpensOnARightClickAndF5Checks) {
    form->show();
    form->show_menu(QPoint(10, 10));
    auto* menu = form->menu();
    ASSERT_NE(menu, nullptr);
    const auto& items = menu->items();
    for (std::size_t i = 0; i + 1 < items.size(); ++i)
        EXPECT_FALSE(items[i].enabled) << items[i].text.toStdString() << ": no map yet";
    // The server's engine is chosen with or without a map, and kept for the checks.
    EXPECT_EQ(items.back().text.toStdString(), "Server &Engine: HLDS");
    QTest::keyClick(menu, Qt::Key_E);
    EXPECT_EQ(form->game_check().engine(), game::Engine::rehlds);

    analyse(map);
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, QPoint(20, 5), QPoint(20, 5));
    QCoreApplication::sendEvent(form->List1->viewport(), &right_click);
    ASSERT_TRUE(menu->isVisible()) << "a right-click on the list opens it";
    QTest::keyClick(menu, Qt::Key_L);
    EXPECT_THAT(shown(), HasSubstr("models/xT.mdl")) << "Complete the &List";

    // F5 checks, without the menu.
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == form.get(); }));
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_THAT(coloured(), HasSubstr("sound/gone.wav=missing"));
    EXPECT_THAT(form->report_window()->copy_text(), HasSubstr(" generic of 4096, "));
}

TEST_F(Form1Check, AMapOutsideAModFindsTheGameInSteamOrAsksForItOnce) {
    const auto outside = dir.file("de_foo.bsp");
    write_file(outside, read_file(map));
    analyse(outside);
    steam = {dir.path()};
    form->game_check().check_game_folder();
    EXPECT_THAT(coloured(), HasSubstr("sound/Door.wav=case"));
    EXPECT_EQ(dialogs.asked.size(), 1u) << "found in Steam: nothing asked";

    // No Steam: asked, and the answer holds; cancelled: nothing checked.
    steam.clear();
    analyse(outside);
    form->game_check().check_game_folder();
    EXPECT_EQ(dialogs.asked.back(), "folder: Choose the mod folder, for example "
                                    "\xE2\x80\xA6\\Half-Life\\cstrike");
    EXPECT_THAT(coloured(), Not(HasSubstr("=case")));
    dialogs.folders.push_back(QString::fromStdString(mod_dir.string()));
    form->game_check().check_game_folder();
    form->game_check().check_game_folder();
    EXPECT_EQ(dialogs.asked.size(), 4u) << "the folder asked twice, once cancelled";
    EXPECT_THAT(coloured(), HasSubstr("sound/Door.wav=case"));
}

TEST_F(Form1Check, CollectingAsksBeforeReplacing) {
    analyse(map);
    const auto into = dir.path() / "out";
    const auto native = [](const std::filesystem::path& p) {
        return QDir::toNativeSeparators(QString::fromStdString(p.string())).toStdString();
    };
    const auto collect = [&](platform::Answer answer) {
        dialogs.folders.push_back(QString::fromStdString(into.string()));
        dialogs.answers.push_back(answer);
        form->game_check().collect_download_folder();
        return said();
    };
    const auto asked = HasSubstr(native(into / "mine.wad") + " already exists and differs.");
    put_file(into, "mine.wad", "other bytes");
    EXPECT_THAT(collect(platform::Answer::no), AllOf(asked, HasSubstr("kept mine.wad")));
    EXPECT_EQ(read_file(into / "mine.wad"), "other bytes");
    EXPECT_THAT(collect(platform::Answer::yes), AllOf(asked, HasSubstr("Copied 1 file into")));
    EXPECT_EQ(read_file(into / "mine.wad"), read_file(mod_dir / "mine.wad"));
    EXPECT_EQ(read_file(into / "maps/de_foo.res"),
              "maps/de_foo.bsp\r\nmaps/de_foo.res\r\nhalflife.wad\r\nmine.wad\r\nmodels/x.mdl\r\n"
              "sound/Door.wav\r\nsound/gone.wav\r\n");
}

TEST_F(Form1Check, ReportRowsTakeTheColourOfWhatTheyAreNotOfTheirWords) {
    // Two packages the wad key does not name, whose warnings begin as other rows do; a
    // model the game fails on, and one naming a sequence group that is not a model.
    mod("errors.wad", wad_bytes({"a"}));
    mod("unused.wad", wad_bytes({"b"}));
    mod("models/bad.mdl", "junk");
    mod("models/evil.mdl", studio_model_bytes({true, {"server.cfg"}, {}}));
    analyse(map);
    for (const auto* entry : {"errors.wad", "unused.wad", "models/bad.mdl", "models/evil.mdl"})
        add(entry);
    form->game_check().check_game_folder();
    using game::RowKind;
    // By group: the damaged model and the refused group beside the unsafe, red.
    EXPECT_EQ(row_colours(RowKind::entry),
              "sound/gone.wav=missing, models/bad.mdl=missing, server.cfg=missing, "
              "sound/Door.wav=case, halflife.wad=stock, mine.wad=found, models/x.mdl=found, "
              "errors.wad=found, unused.wad=found, models/evil.mdl=found, models/xT.mdl=found, "
              "sound/x/hit.wav=found");
    EXPECT_EQ(row_colours(RowKind::entry_warning), "errors.wad=found, unused.wad=found");

    // A word naming a file that is not there is one row; a .res the server cannot read is red.
    const struct {
        std::string res;
        RowKind kind;
        std::string rows;
    } table[] = {
        {"sound/Door.wav sound/misc/trynow.wav", RowKind::names_missing,
         "sound/misc/trynow.wav=missing"},
        {"models\\x.mdl", RowKind::refused, "models\\x.mdl=missing"},
        {"\xFF\xFEm\0", RowKind::unreadable, "=missing"},
    };
    for (const auto& row : table) {
        write_file(mod_dir / "maps/de_foo.res", row.res);
        form->game_check().compare_with_res();
        EXPECT_EQ(row_colours(row.kind), row.rows) << row.res;
    }
}

TEST_F(Form1Check, TheReportShowsGroupsWrapsCopiesAndChoosesEntries) {
    const std::string long_entry = "sound/" + std::string(150, 'w') + ".wav";
    analyse(map);
    add(QString::fromStdString(long_entry));
    form->show();
    form->game_check().check_game_folder();
    auto* report = form->report_window();
    auto* list = report->List1;
    QStringList headings;
    const QListWidgetItem* long_row = nullptr;
    for (int i = 0; i < list->count(); ++i) {
        const auto* row = report->row_of(list->item(i));
        if (!row && list->item(i)->font().bold()) headings << list->item(i)->text();
        if (row && row->kind == game::RowKind::entry && row->entry == long_entry)
            long_row = list->item(i);
    }
    EXPECT_EQ(headings.join(", ").toStdString(),
              "Missing (2), Other Case (1), Warnings (1), Limits (2), Stock (1), Found (4)");

    // Wrapped to the width, the whole entry kept, no line wider than the list's inside.
    ASSERT_NE(long_row, nullptr);
    const auto lines = long_row->text().split('\n');
    EXPECT_GT(lines.size(), 2);
    const QFontMetrics metrics(list->font());
    for (const auto& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), list->viewport()->width()) << line.toStdString();
    EXPECT_EQ(QString(long_row->text()).remove('\n').toStdString(), long_entry);
    EXPECT_GE(list->visualItemRect(long_row).height(), lines.size() * metrics.height());

    // A double-click, or Enter, selects the entry in the main window's list.
    list->scrollToItem(long_row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualItemRect(long_row).center());
    EXPECT_EQ(form->selected_index(), 5);
    list->setCurrentRow(list->row(long_row) - 1);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_THAT(shown(), HasSubstr("[sound/gone.wav]"));

    // Ctrl+C copies the command line's text.
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_THAT(
        QGuiApplication::clipboard()->text().toStdString(),
        AllOf(Eq(report->copy_text()), HasSubstr("\n  missing: sound/gone.wav (named by ")));
}

TEST(ReportPlace, BesideElseWhereItCoversLeast) {
    const QRect screen(0, 0, 1000, 700);
    const QSize size(452, 380);
    const struct {
        QRect owner;
        QPoint at;
    } table[] = {
        {{100, 50, 300, 500}, {404, 50}}, // room on the right
        {{500, 50, 300, 500}, {44, 50}},  // on the left
        {{0, 50, 600, 500}, {548, 50}},   // at the screen's left edge: the report at the right
        {{400, 50, 600, 500}, {0, 50}},   // at its right edge: the report at the left
        {{400, 500, 600, 500}, {0, 320}}, // kept on the screen
    };
    for (const auto& row : table)
        EXPECT_EQ(app::report_place(row.owner, size, screen), row.at) << row.owner.x();
}

} // namespace
} // namespace tarnwick::testing

// The window's check of the map against a small game folder made by the test: colours,
// report, menu, and each change of the list that follows from a check.

#include "app/game_check.h"
#include "app/report_rows.h"
#include "app/report_window.h"
#include "controls/elpanel.h"
#include "controls/skinned_menu.h"
#include "form1_fixture.h"
#include "run_program.h"
#include "synthetic_game.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QRegularExpression>
#include <gmock/gmock.h>
#include <nlohmann/json.hpp>
#include <set>

namespace tarnwick::testing {
namespace {

using namespace std::string_literals;

using ::testing::AllOf;
using ::testing::Contains;
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
        put_file(mod_dir.parent_path(), "valve/sound/valve.wav", "RIFF");
    }

    void mod(std::string_view relative, std::string_view bytes) {
        put_file(mod_dir, relative, bytes);
    }

    // The status whose colour `colour` is: missing for the red of unsafe, refused and
    // damaged too, case for the amber of unchecked.
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

    // The report's headings that start with `start`, separated by ", ".
    std::string headings(const std::string& start) const {
        const auto* list = form->report_window()->List1;
        QStringList found;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->font().bold() && list->item(i)->text().startsWith(start.c_str()))
                found << list->item(i)->text();
        return found.join(", ").toStdString();
    }

    // The report's first line under the counts.
    std::string first_note() const {
        const auto* report = form->report_window();
        for (int i = 0; i < report->List1->count(); ++i) {
            const auto* item = report->List1->item(i);
            if (!report->row_of(item) && !item->font().bold()) return item->text().toStdString();
        }
        return {};
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
    EXPECT_EQ(dialogs.asked.size(), 1u) << "the map is in a mod's maps folder: nothing asked";

    // The report moves by its title as the main window does, and closes with its cross.
    auto* report = form->report_window();
    auto* panel = report->elpanel1;
    const QPoint corner = report->pos(), title(60, 12);
    cursor = panel->mapTo(report, title) + corner;
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

TEST_F(Form1Check, EachChangeOfTheListIsSaidAndTheListCheckedAsItNowIs) {
    analyse(map);
    form->game_check().check_game_folder();
    // Checked again from the listing already made: a file put there since is not seen.
    mod("sound/gone.wav", "RIFF");
    const struct {
        void (app::GameCheck::*change)();
        std::string shown, said, coloured;
    } table[] = {
        {&app::GameCheck::complete_list,
         "halflife.wad, mine.wad, models/x.mdl, sound/Door.wav, sound/gone.wav, models/xT.mdl, "
         "sound/x/hit.wav",
         "added 2: models/xT.mdl, sound/x/hit.wav", "models/xT.mdl=found, sound/x/hit.wav=found"},
        {&app::GameCheck::use_disk_spelling,
         "halflife.wad, mine.wad, models/x.mdl, sound/door.wav, sound/gone.wav, models/xT.mdl, "
         "sound/x/hit.wav",
         "respelled 1: sound/door.wav", "sound/door.wav=found, sound/gone.wav=missing"},
        {&app::GameCheck::use_disk_spelling, "", "nothing respelled", "sound/door.wav=found"},
        {&app::GameCheck::leave_out_stock_and_missing,
         "mine.wad, models/x.mdl, sound/door.wav, models/xT.mdl, sound/x/hit.wav",
         "left out 2: halflife.wad, sound/gone.wav", "mine.wad=found"},
    };
    for (const auto& row : table) {
        (form->game_check().*row.change)();
        if (!row.shown.empty()) {
            EXPECT_EQ(shown(), row.shown);
        }
        EXPECT_EQ(first_note(), row.said);
        EXPECT_THAT(coloured(), HasSubstr(row.coloured)) << row.said;
        EXPECT_THAT(form->report_window()->windowTitle().toStdString(),
                    HasSubstr(std::to_string(form->List2.count()) + " entries: "))
            << "the counts of the list as it now is";
    }

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
    const QListWidgetItem* long_row = nullptr;
    for (int i = 0; i < list->count(); ++i) {
        const auto* row = report->row_of(list->item(i));
        if (row && row->kind == game::RowKind::entry && row->entry == long_entry)
            long_row = list->item(i);
    }
    EXPECT_EQ(headings(""),
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

// The window's check and comparison against the command line's --check --follow and
// --audit, on an installation with valve/ beside the mod and on a copy without it.
TEST_F(Form1Check, TheWindowTellsWhatTheCommandLineTells) {
    std::string shooters;
    for (int i = 0; i < 5; ++i)
        shooters += R"({"classname" "env_shooter" "targetname" "shooter01" "shootmodel" )"
                    R"("models/gone.mdl"})";
    mod("maps/de_foo.bsp",
        map_with_textures(R"({"wad" "\cs\halflife.wad;\cs\mine.wad;\cs\deep.wad"})" +
                              std::string(map_entities) + shooters,
                          {{"wall", false}, {"deep", false}}));
    mod("wads/deep.wad", wad_bytes({"deep"}));
    mod("maps/de_foo.res", "sound/door.wav\nmodels/extra.mdl\nsound/Door.wav\n");
    const auto bare = dir.path() / "bare/cstrike";
    // Into a folder not there yet: copying a folder onto one is refused on Windows.
    std::filesystem::create_directories(bare.parent_path());
    std::filesystem::copy(mod_dir, bare, std::filesystem::copy_options::recursive);

    const auto lines = [](const std::string& text) {
        return QString::fromStdString(text).split('\n', Qt::SkipEmptyParts);
    };
    const auto json_statuses = [&] {
        const auto report = nlohmann::json::parse(read_file(dir.file("report.json")));
        std::set<std::string> statuses;
        for (const auto& e : report["maps"][0]["entries"])
            statuses.insert(e["entry"].get<std::string>() + "=" + e["status"].get<std::string>());
        return statuses;
    };
    const struct {
        std::filesystem::path mod;
        std::string gone; // the missing model's status
    } installations[] = {{mod_dir, "missing"}, {bare, "unchecked"}};
    const struct {
        void (app::GameCheck::*run)();
        const char* options;
    } fronts[] = {{&app::GameCheck::check_game_folder, "--check --follow"},
                  {&app::GameCheck::compare_with_res, "--audit"}};
    for (const auto& [folder, gone] : installations) {
        const auto map_path = (folder / "maps/de_foo.bsp").string();
        analyse(map_path);
        for (const auto& front : fronts) {
            SCOPED_TRACE(folder.string() + " " + front.options);
            (form->game_check().*front.run)();
            const auto* report = form->report_window();
            const auto cli = run_res(dir, front.options + " --verbose --report report.json \""s +
                                              map_path + "\"");
            // The same lines, but for the hints the command line adds about its options and
            // what it says once a run, at its end.
            const auto window_lines = lines(report->copy_text());
            auto cli_lines = lines(cli.err);
            const QRegularExpression run_wide(
                "^(what was not checked|the counts are the map's alone|\\d+ maps? checked).*");
            cli_lines = cli_lines.mid(0, cli_lines.indexOf(run_wide));
            ASSERT_EQ(window_lines.size(), cli_lines.size()) << cli.err;
            for (int i = 0; i < window_lines.size(); ++i)
                EXPECT_TRUE(cli_lines[i].startsWith(window_lines[i])) << cli_lines[i].toStdString();
            std::set<std::string> statuses;
            for (const auto& row : report->rows())
                if (row.kind == game::RowKind::entry)
                    statuses.insert(row.entry + "=" + std::string(game::status_name(row.status)));
            EXPECT_EQ(statuses, json_statuses());
            EXPECT_THAT(statuses, Contains("models/gone.mdl=" + gone));
            EXPECT_THAT(report->copy_text(),
                        HasSubstr("deep.wad: not at the top of any search "
                                  "folder, where the engine looks: it lies at"));
        }
        // Not Checked counts what was not checked, as the line under it does.
        std::size_t unchecked = 0;
        for (const auto& row : form->report_window()->rows())
            if (row.kind == game::RowKind::unchecked_counts)
                unchecked = row.numbers[0] + row.numbers[1];
        EXPECT_EQ(headings("Not Checked"),
                  unchecked ? "Not Checked (" + std::to_string(unchecked) + ")" : "")
            << "not checked";
        // and says how to check them, which the command line says once a run.
        const auto* list = form->report_window()->List1;
        bool how = false;
        for (int i = 0; i < list->count(); ++i)
            how = how || list->item(i)->text().contains("check on the full installation");
        EXPECT_EQ(how, unchecked != 0);
        // What a missing valve/ could hold is amber, never red.
        EXPECT_THAT(coloured(), HasSubstr("sound/gone.wav=" +
                                          std::string(gone == "missing" ? "missing" : "case")));
    }
    // The window names the entities that name a missing file as the command line does.
    analyse(map);
    form->game_check().check_game_folder();
    const auto* list = form->report_window()->List1;
    QString named;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().startsWith("models/gone.mdl")) named = list->item(i)->text();
    EXPECT_EQ(named.simplified().toStdString(),
              "models/gone.mdl named by env_shooter \"shooter01\", env_shooter \"shooter01\", "
              "env_shooter \"shooter01\" and 2 more");
}

} // namespace
} // namespace tarnwick::testing

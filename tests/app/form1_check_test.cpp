// The window's check of the map against a small game folder made by the test: the colours
// of the shown entries, the report beside the window, the menu, and each change of the
// list that follows from a check.

#include "app/list_box.h"
#include "app/report_window.h"
#include "controls/elpanel.h"
#include "controls/skinned_menu.h"
#include "form1_fixture.h"
#include "synthetic_game.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <gmock/gmock.h>

namespace tarnwick::testing {
namespace {

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
        map = (mod_dir / "maps" / "de_foo.bsp").string();
    }

    void mod(std::string_view relative, std::string_view bytes) {
        put_file(mod_dir, relative, bytes);
    }

    // Each shown entry with the name of its colour, as "entry=colour".
    std::string coloured() const {
        const std::pair<QColor, const char*> names[] = {
            {app::status_colour(game::Status::found), "white"},
            {app::status_colour(game::Status::case_mismatch), "amber"},
            {app::status_colour(game::Status::missing), "red"},
            {app::status_colour(game::Status::stock), "dimmed"},
            {app::status_colour(game::Status::replaced), "grey"},
        };
        std::string out;
        for (int i = 0; i < form->List1->count(); ++i) {
            const auto* item = form->List1->item(i);
            const auto brush = item->foreground();
            const char* name = brush.style() == Qt::NoBrush ? "plain" : "other";
            for (const auto& [colour, n] : names)
                if (brush.style() != Qt::NoBrush && brush.color() == colour) name = n;
            out += (out.empty() ? "" : ", ") + item->text().toStdString() + "=" + name;
        }
        return out;
    }

    std::string report() const {
        return form->report_window() ? form->report_window()->text() : std::string();
    }

    // The game as a Steam library at the test's folder holds it.
    const std::filesystem::path mod_dir = dir.path() / "steamapps/common/Half-Life/cstrike";
    std::string map;
};

TEST_F(Form1Check, CheckingColoursTheShownEntriesByStatusUntilTheListChanges) {
    analyse(map);
    EXPECT_EQ(shown(), "halflife.wad, mine.wad, models/x.mdl, sound/Door.wav, sound/gone.wav");
    form->check_game_folder();
    EXPECT_EQ(coloured(), "halflife.wad=dimmed, mine.wad=white, models/x.mdl=white, "
                          "sound/Door.wav=amber, sound/gone.wav=red");
    ASSERT_NE(form->report_window(), nullptr);
    EXPECT_TRUE(form->report_window()->isVisible());
    EXPECT_THAT(report(), HasSubstr(": 7 entries: 4 found, 1 case, 1 missing, 1 stock, 0 unsafe, "
                                    "0 replaced; 0 unused wads, 0 missing textures"));
    EXPECT_THAT(report(), HasSubstr("  missing: sound/gone.wav (named by"));
    EXPECT_THAT(report(),
                HasSubstr("  case: sound/Door.wav is spelled sound/door.wav on the disk"));
    EXPECT_EQ(dialogs.asked.size(), 1u) << "the map is in a mod's maps folder: nothing asked";

    // Stale colours go with any change of the list or the filter.
    const std::function<void()> changes[] = {
        [&] { add("sound/new.wav"); },
        [&] { click_option(1); },
        [&] { analyse(map); },
    };
    for (const auto& change : changes) {
        form->check_game_folder();
        change();
        EXPECT_THAT(coloured(), Not(HasSubstr("=red"))) << shown();
        EXPECT_THAT(coloured(), Not(HasSubstr("=amber")));
    }
}

TEST_F(Form1Check, CompletingTheListAddsWhatTheFoundFilesNeedAndMakeResWritesIt) {
    analyse(map);
    form->complete_list();
    EXPECT_EQ(shown(), "halflife.wad, mine.wad, models/x.mdl, sound/Door.wav, sound/gone.wav, "
                       "models/xT.mdl, sound/x/hit.wav");
    dialogs.answers.push_back(platform::Answer::yes);
    form->make_res();
    EXPECT_EQ(read_file((mod_dir / "maps/de_foo.res").string()),
              "maps/de_foo.bsp\r\nmaps/de_foo.res\r\nhalflife.wad\r\nmine.wad\r\nmodels/x.mdl\r\n"
              "sound/Door.wav\r\nsound/gone.wav\r\nmodels/xT.mdl\r\nsound/x/hit.wav\r\n");

    form->use_disk_spelling();
    EXPECT_THAT(shown(), HasSubstr("models/x.mdl, sound/door.wav, sound/gone.wav"));
    form->leave_out_stock_and_missing();
    EXPECT_EQ(shown(), "mine.wad, models/x.mdl, sound/door.wav, models/xT.mdl, sound/x/hit.wav");

    // The list's limit holds: the texture model fits, the sound does not.
    analyse(map);
    while (form->List2.count() < analysis::ResourceList::max_entries - 1)
        form->List2.append("x" + std::to_string(form->List2.count()) + ".wad");
    form->complete_list();
    EXPECT_THAT(said(), HasSubstr("The List Is Full"));
    EXPECT_EQ(form->List2.entries().back(), "models/xT.mdl");
}

TEST_F(Form1Check, TheMenuIsGreyedWithoutAMapAndChoosesByKeyboardAndRightClick) {
    form->show();
    form->show_menu(QPoint(10, 10));
    auto* menu = form->menu();
    ASSERT_NE(menu, nullptr);
    std::vector<QString> texts;
    for (const auto& item : menu->items()) {
        texts.push_back(item.text);
        EXPECT_FALSE(item.enabled) << item.text.toStdString() << ": no map yet";
    }
    EXPECT_EQ(texts, app::Form1::menu_texts());
    QTest::keyClick(menu, Qt::Key_Escape);

    analyse(map);
    QContextMenuEvent right_click(QContextMenuEvent::Mouse, QPoint(20, 5), QPoint(20, 5));
    QCoreApplication::sendEvent(form->List1->viewport(), &right_click);
    ASSERT_TRUE(menu->isVisible()) << "a right-click on the list opens it";
    EXPECT_TRUE(menu->items()[0].enabled);
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_THAT(coloured(), HasSubstr("sound/gone.wav=red")) << "the first item checks";

    // F5 checks too, without the menu.
    form->report_window()->hide();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == form.get(); }));
    QTest::keyClick(form.get(), Qt::Key_F5);
    EXPECT_TRUE(form->report_window()->isVisible());
}

TEST_F(Form1Check, AMapOutsideAModFindsTheGameInSteamOrAsksForItOnce) {
    const auto outside = dir.file("de_foo.bsp");
    write_file(outside, read_file(map));
    analyse(outside);
    steam = {dir.path()};
    form->check_game_folder();
    EXPECT_THAT(coloured(), HasSubstr("sound/Door.wav=amber"));
    EXPECT_EQ(dialogs.asked.size(), 1u) << "found in Steam: nothing asked";

    // No Steam: asked, and the answer holds; cancelled: nothing checked.
    steam.clear();
    analyse(outside);
    form->check_game_folder();
    EXPECT_EQ(dialogs.asked.back(), "folder: Choose the mod folder, for example "
                                    "\xE2\x80\xA6\\Half-Life\\cstrike");
    EXPECT_THAT(coloured(), Not(HasSubstr("=amber")));
    dialogs.folders.push_back(QString::fromStdString(mod_dir.string()));
    form->check_game_folder();
    form->check_game_folder();
    EXPECT_EQ(dialogs.asked.size(), 4u) << "the folder asked twice, once cancelled";
    EXPECT_THAT(coloured(), HasSubstr("sound/Door.wav=amber"));
}

TEST_F(Form1Check, ComparingReportsTheExistingResAndCollectingAsksBeforeReplacing) {
    analyse(map);
    write_file((mod_dir / "maps/de_foo.res").string(), "mine.wad\nsound/Door.wav\n");
    form->compare_with_res();
    EXPECT_THAT(report(), HasSubstr("lacking in the .res: models/x.mdl"));
    EXPECT_THAT(report(), HasSubstr("case in the .res: sound/Door.wav"));
    // Each line in the colour of what it reports.
    const auto* lines = form->report_window()->List1;
    for (int i = 0; i < lines->count(); ++i) {
        const auto text = lines->item(i)->text().toStdString();
        const auto status = text.starts_with("  lacking") ? game::Status::missing
                            : text.starts_with("  case")  ? game::Status::case_mismatch
                                                          : game::Status::found;
        EXPECT_EQ(lines->item(i)->foreground().color(), app::status_colour(status)) << text;
    }

    const auto into = dir.path() / "out";
    put_file(into, "mine.wad", "other bytes");
    for (const auto answer : {platform::Answer::no, platform::Answer::yes}) {
        dialogs.folders.push_back(QString::fromStdString(into.string()));
        dialogs.answers.push_back(answer);
        form->collect_download_folder();
        const auto message = said();
        EXPECT_THAT(message, HasSubstr(QDir::toNativeSeparators(
                                           QString::fromStdString((into / "mine.wad").string()))
                                           .toStdString() +
                                       " already exists and differs. Replace it?"));
        if (answer == platform::Answer::no) {
            EXPECT_THAT(message, HasSubstr("kept mine.wad: a different file is there"));
            EXPECT_EQ(read_file((into / "mine.wad").string()), "other bytes");
        } else {
            EXPECT_THAT(
                message,
                HasSubstr(
                    "Copied 1 file into " +
                    QDir::toNativeSeparators(QString::fromStdString(into.string())).toStdString()));
            EXPECT_EQ(read_file((into / "mine.wad").string()),
                      read_file((mod_dir / "mine.wad").string()));
        }
    }
    EXPECT_EQ(read_file((into / "maps/de_foo.res").string()),
              "maps/de_foo.bsp\r\nmaps/de_foo.res\r\nhalflife.wad\r\nmine.wad\r\nmodels/x.mdl\r\n"
              "sound/Door.wav\r\nsound/gone.wav\r\n");
}

TEST_F(Form1Check, TheReportWindowMovesByItsTitleAndClosesWithItsCross) {
    analyse(map);
    form->check_game_folder();
    auto* report = form->report_window();
    ASSERT_TRUE(report && report->isVisible());
    auto* panel = report->elpanel1;
    const QPoint corner = report->pos(), title(60, 12);
    cursor = {700, 300};
    QTest::mousePress(panel, Qt::LeftButton, {}, title);
    cursor += QPoint(-40, 25);
    QTest::mouseMove(panel, title + QPoint(1, 0));
    QTest::mouseRelease(panel, Qt::LeftButton, {}, title);
    EXPECT_EQ(report->pos(), corner + QPoint(-40, 25));
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(panel->width() - 20, 14)); // the cross
    EXPECT_FALSE(report->isVisible());
    EXPECT_EQ(ended, 0) << "the program goes on";
}

// A system list box's rows for Tahoma 8.25 pt: 13 pixels, the selection as high as a row,
// drawn as the style draws it.
TEST_F(Form1Check, ListRowsAreThirteenPixelsHigh) {
    analyse(map);
    form->show();
    form->List1->setCurrentRow(1);
    const QImage shot = form->List1->viewport()->grab().toImage();
    const QColor back = form->List1->palette().color(QPalette::Base);
    const int x = shot.width() / 2; // right of every entry's text
    const struct {
        int y;
        bool selected;
    } rows[] = {{0, false}, {12, false}, {13, true}, {19, true}, {25, true}, {26, false}};
    for (const auto& row : rows)
        EXPECT_EQ(shot.pixelColor(x, row.y) != back, row.selected)
            << row.y << ": " << shot.pixelColor(x, row.y).name().toStdString();
    EXPECT_EQ(form->List1->visualItemRect(form->List1->item(2)).top(), 2 * app::list_row_height);
}

} // namespace
} // namespace tarnwick::testing

// The main window's menu of the game folder's check, whose items the window's GameCheck
// runs, and the entry a report row names, selected in the shown list.

#include "app/form1.h"
#include "app/game_check.h"
#include "app/resource_text.h"
#include "controls/eltexto.h"
#include "controls/skin.h"
#include "controls/skinned_menu.h"

#include <QListWidget>

namespace tarnwick::app {

namespace {

// The menu's items, each with its underlined letter; a group starts at the first check, the
// first change of the list, the comparison and collect.
struct MenuEntry {
    const char* text;
    bool group_start;
};
constexpr MenuEntry menu_entries[] = {
    {"&Check Game Folder", false},
    {"Complete the &List", true},
    {"Use the &Disk's Spelling", false},
    {"Leave Out &Stock and Missing", false},
    {"C&ompare With the Existing .res", true},
    {"Collect Download &Folder...", true},
};

} // namespace

// A map analysed, and neither a scan nor a check running.
bool Form1::can_check() const {
    return !check_->checking() && !map_to_check().empty();
}

QRect Form1::coverable() const {
    return {List1->mapTo(this, QPoint(0, 0)), List1->size()};
}

std::string Form1::map_to_check() const {
    if (scanning_ || current_map_name_.empty()) return {};
    return to_utf8(Text1->Text());
}

// As an analysis leaves it: the list takes clicks while it holds entries, none selected.
void Form1::take_full_list(analysis::ResourceList list) {
    List2 = std::move(list);
    commands_.entries = commands_.list_active = !List2.empty();
    commands_.selected = commands_.editable = false;
    show_commands();
    refresh_shown_list();
}

void Form1::colour_shown(const ColourOf& colour_of) {
    for (int i = 0; i < List1->count(); ++i) {
        auto* item = List1->item(i);
        const auto entry = to_resource(item->text());
        if (const auto colour = entry ? colour_of(*entry) : std::nullopt)
            item->setForeground(*colour);
    }
}

void Form1::show_menu(QPoint global) {
    if (!menu_) {
        menu_ = std::make_unique<controls::SkinnedMenu>(this);
        menu_->setWindowTitle(controls::skin::window_title() + QStringLiteral(" Menu"));
        menu_->on_chosen = [this](int item) { choose_menu_item(item); };
    }
    std::vector<controls::MenuItem> items;
    for (const auto& entry : menu_entries)
        items.push_back({QString::fromLatin1(entry.text),
                         items.empty() ? QStringLiteral("F5") : QString(), can_check(),
                         entry.group_start});
    // The engine is chosen with or without a map, for the checks to come.
    const bool rehlds = check_->engine() == game::Engine::rehlds;
    items.push_back(
        {rehlds ? QStringLiteral("Server &Engine: ReHLDS") : QStringLiteral("Server &Engine: HLDS"),
         {},
         !scanning_ && !check_->checking(),
         true});
    menu_->set_items(std::move(items));
    menu_->popup(global);
}

void Form1::choose_menu_item(int item) {
    using Operation = void (GameCheck::*)();
    static constexpr Operation operations[] = {
        &GameCheck::check_game_folder, &GameCheck::complete_list,
        &GameCheck::use_disk_spelling, &GameCheck::leave_out_stock_and_missing,
        &GameCheck::compare_with_res,  &GameCheck::collect_download_folder,
        &GameCheck::switch_engine,
    };
    if (item >= 0 && item < static_cast<int>(std::size(operations)))
        ((*check_).*operations[item])();
}

void Form1::select_entry(const std::string& entry) {
    for (int i = 0; i < List1->count(); ++i) {
        if (to_resource(List1->item(i)->text()) != entry) continue;
        List1->setCurrentRow(i);
        List1->scrollToItem(List1->item(i), QAbstractItemView::PositionAtCenter);
        return;
    }
}

ReportWindow* Form1::report_window() const {
    return check_->report_window();
}

} // namespace tarnwick::app

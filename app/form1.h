#pragma once

// The main window: a title panel that fills it, the map path with its "..." button, the
// shown list with its filter options and editing buttons, and "Make Res". It owns the full
// list of the analysed map's resources and runs the operations its controls trigger.

#include "analysis/resource_list.h"
#include "app/game_check.h"
#include "platform/services.h"

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QListWidget;

namespace tarnwick::controls {
class elboton;
class elframe;
class elpanel;
class elradio;
class eltexto;
class SkinnedMenu;
} // namespace tarnwick::controls

namespace tarnwick::app {

class Indicador;
class ReportWindow;
class TitleDrag;

// The outcome of checking a typed resource name.
enum class NameTest { ignore, refuse, accept };
NameTest is_valid_resource_name(const QString& text);

// Index of the first entry equal to `text`, or -1.
std::int16_t find_entry_index(const analysis::ResourceList& list, std::string_view text);

class Form1;

// The window's command line: a map named after the program's name is analysed as if
// chosen with "...", once the event loop runs and the window shows.
void open_command_line_map(Form1& form, const QStringList& arguments);

class Form1 : public QWidget, private CheckedWindow {
public:
    explicit Form1(platform::Services services, QWidget* parent = nullptr);
    ~Form1() override;

    void browse_map();
    // Analyses the map at `path` as if it had been chosen with "..." (a map named on the
    // command line or dropped on the window).
    void open_map(const QString& path);
    void clear_entries();
    void remove_entry();
    void add_entry();
    void edit_entry();
    void make_res();
    void choose_filter(std::int16_t index);
    void entry_selected();
    void refresh_shown_list();

    // Opens the window's menu with its corner at `global`; its items are greyed while no map
    // is analysed or a scan runs.
    void show_menu(QPoint global);
    // What the menu runs: the check of the map against the game folder and the changes of
    // the list that follow from it.
    GameCheck& game_check() { return *check_; }
    // Selects the shown entry `entry` and scrolls to it; nothing when it is not shown.
    void select_entry(const std::string& entry) override;

    void begin_drag(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void drag_window(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void end_drag(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void close_program();

    // The selected entry of the shown list, -1 for none.
    std::int16_t selected_index() const;
    // The progress window while an analysis runs; nullptr otherwise.
    Indicador* indicador() const { return indicador_.get(); }
    bool scanning() const { return scanning_; }
    // The file name, without its folder, of the map analysed last ("de_foo.bsp"); emptied
    // when an analysis fails.
    const std::string& current_map_name() const { return current_map_name_; }
    // The menu once it has been opened; nullptr before.
    controls::SkinnedMenu* menu() const { return menu_.get(); }
    // The report of the last check or comparison; nullptr before the first.
    ReportWindow* report_window() const;

    // The controls, under the names of the layout.
    controls::elpanel* elpanel1;
    controls::elframe* elframe1;
    controls::eltexto* Text1;
    controls::elboton* Command1;
    controls::elframe* elframe2;
    controls::elradio* elradio1[2];
    controls::elboton* Command8;
    QListWidget* List1;
    controls::elboton* Command6;
    controls::elboton* Command5;
    controls::elboton* Command4;
    controls::elboton* Command3;
    // The full list: never shown, the shown list is built from it.
    analysis::ResourceList List2;

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the game folder's check works on.
    QWidget& owner() override { return *this; }
    QRect coverable() const override;
    const platform::Services& services() const override { return services_; }
    std::string map_to_check() const override;
    const analysis::ResourceList& full_list() const override { return List2; }
    std::vector<std::string> shown_list() const override;
    void take_full_list(analysis::ResourceList list) override;
    void colour_shown(const ColourOf& colour_of) override;
    void message(const QString& text, const QString& title) override;

    void create_controls();
    void bind_events();
    void set_tab_order();
    void analyse_map(const platform::ChosenFile& chosen);
    void take_drop(QDropEvent* event, bool dropped);
    bool ask_name(const QString& title, const QString& default_text, std::string& name);
    void show_commands();
    void bind_menu();
    bool can_check() const;
    void choose_menu_item(int item);

    // What the commands follow. The operations change it; show_commands() gives every
    // enabled flag its value from it. Add and "..." are never disabled, and while a scan
    // runs the operations refuse to start instead (the buttons have no disabled look).
    struct CommandState {
        bool entries = true;     // a list to clear and write: Clear, Make Res
        bool selected = true;    // an entry to remove: Remove
        bool editable = true;    // an entry to edit: Edit, which Clear leaves as it was
        bool list_active = true; // the shown list takes clicks, from an analysis to Clear
    };

    platform::Services services_;
    std::unique_ptr<Indicador> indicador_;
    CommandState commands_;
    bool scanning_ = false;
    std::string current_map_name_;
    std::unique_ptr<controls::SkinnedMenu> menu_;
    std::unique_ptr<GameCheck> check_;
    std::unique_ptr<TitleDrag> drag_;
};

} // namespace tarnwick::app

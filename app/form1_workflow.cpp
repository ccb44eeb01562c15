// The operations of the main window: analysing a map, editing the list by hand, choosing
// what is shown, and writing the resource file.

#include "analysis/file_system.h"
#include "analysis/module1.h"
#include "analysis/stock_filter.h"
#include "app/form1.h"
#include "app/game_check.h"
#include "app/indicador.h"
#include "app/resource_text.h"
#include "controls/elboton.h"
#include "controls/ellabel.h"
#include "controls/elprogress.h"
#include "controls/elradio.h"
#include "controls/eltexto.h"
#include "controls/skin.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStringList>
#include <array>

namespace tarnwick::app {
namespace {

const QString application_title = controls::skin::message_title();
const QString not_a_resource =
    QStringLiteral("Not A Valid Map Resource. Extensions are: .bmp .tga .wad .wav .txt .spr .mdl");
const QString not_single_byte = QStringLiteral(
    "Not A Valid Map Resource. A resource file can only hold Western (Windows-1252) characters");

constexpr std::array<const char*, 7> resource_extensions = {".wad", ".wav", ".tga", ".spr",
                                                            ".mdl", ".txt", ".bmp"};

} // namespace

NameTest is_valid_resource_name(const QString& text) {
    if (text.size() <= 4) return NameTest::ignore;
    const QString extension = text.right(4);
    for (const char* accepted : resource_extensions)
        if (extension == QLatin1String(accepted)) return NameTest::accept;
    return NameTest::refuse;
}

std::int16_t find_entry_index(const analysis::ResourceList& list, std::string_view text) {
    return list.find(text);
}

std::int16_t Form1::selected_index() const {
    const auto selected = List1->selectedItems();
    return selected.isEmpty() ? std::int16_t{-1}
                              : static_cast<std::int16_t>(List1->row(selected[0]));
}

void Form1::refresh_shown_list() {
    QStringList shown;
    for (const auto& entry : analysis::shown_entries(List2, elradio1[0]->Value()))
        shown << to_screen(entry);
    // A rebuilt list has nothing selected, and rebuilding it is not a click on it.
    const QSignalBlocker quiet(List1);
    List1->clear();
    List1->addItems(shown);
}

void Form1::browse_map() {
    if (scanning_) return;
    const auto chosen =
        services_.dialogs->open_file(QString(), QStringLiteral("Cs Map (*.bsp)|*.bsp"));
    if (chosen.path.isEmpty()) return;
    analyse_map(chosen);
}

void Form1::open_map(const QString& path) {
    const QFileInfo file(path);
    analyse_map({QDir::toNativeSeparators(file.absoluteFilePath()), file.fileName()});
}

void Form1::analyse_map(const platform::ChosenFile& chosen) {
    if (scanning_) return;
    indicador_ = std::make_unique<Indicador>(this);
    indicador_->show();
    indicador_->setEnabled(true);
    indicador_->Progressbar1->Value(0);
    indicador_->Label1->Caption(QStringLiteral("Analizing File..."));
    current_map_name_ = to_utf8(chosen.file_name);
    scanning_ = true;
    const bool read = analysis::scan_map(to_utf8(chosen.path), current_map_name_, List2,
                                         *indicador_->Progressbar1, services_.pump_events);
    scanning_ = false;
    indicador_.reset();
    if (read) {
        Text1->Text(chosen.path);
        commands_.entries = commands_.list_active = true;
        show_commands();
        refresh_shown_list();
    } else {
        message(QStringLiteral("Cant Read File"), QStringLiteral("Error01"));
        Text1->Text(QString());
        current_map_name_.clear();
    }
}

void Form1::clear_entries() {
    if (scanning_) return;
    List2.clear();
    commands_.entries = commands_.selected = commands_.list_active = false;
    show_commands();
    refresh_shown_list();
}

void Form1::remove_entry() {
    if (scanning_ || List1->count() <= 0 || selected_index() < 0) return;
    const auto text = to_resource(List1->item(selected_index())->text());
    const auto i = text ? find_entry_index(List2, *text) : std::int16_t{-1};
    if (i < 0) return; // shown, but no longer in the full list
    List2.remove(i);
    refresh_shown_list();
    if (List1->count() > 0) {
        List1->setCurrentRow(0);
    } else {
        commands_.entries = commands_.selected = commands_.editable = false;
        show_commands();
    }
}

void Form1::add_entry() {
    if (scanning_) return;
    std::string name;
    if (!ask_name(QStringLiteral("Add Resource"), QString(), name)) return;
    try {
        List2.append(std::move(name));
    } catch (const analysis::ResourceLimitError&) {
        message(QStringLiteral("The List Is Full"), application_title);
        return;
    }
    refresh_shown_list();
    if (List1->count() > 0) List1->setCurrentRow(List1->count() - 1);
    commands_.entries = commands_.selected = commands_.editable = true;
    show_commands();
}

void Form1::edit_entry() {
    if (scanning_) return;
    const auto shown_text = [this] {
        const auto i = selected_index();
        return i >= 0 ? List1->item(i)->text() : QString();
    };
    std::string name;
    if (!ask_name(QStringLiteral("Edit Resource"), shown_text(), name)) return;
    const auto old = to_resource(shown_text());
    const auto i = old ? find_entry_index(List2, *old) : std::int16_t{-1};
    if (i < 0) return; // nothing selected, or no longer in the full list
    List2.replace(i, std::move(name));
    refresh_shown_list();
}

void Form1::make_res() {
    if (scanning_) return;
    const auto path = to_utf8(Text1->Text());
    const auto destination = analysis::res_path_for(path);
    if (destination.empty()) return; // no map to form a destination from
    if (analysis::plain_file_exists(destination)) {
        const auto answer = services_.dialogs->message_box(
            QStringLiteral("Destination File ") + QString::fromStdString(destination) +
                QStringLiteral(" Already Exists. Overwrite?"),
            platform::Buttons::yes_no, application_title);
        if (answer != platform::Answer::yes) return;
    }
    const auto written = analysis::write_res_file(shown_list(), path);
    if (written)
        message(QStringLiteral("Res File SuccessFully Created !"), application_title);
    else
        message(QStringLiteral("Cant Write File\n") + QString::fromStdString(written.reason),
                QStringLiteral("Error02"));
}

std::vector<std::string> Form1::shown_list() const {
    std::vector<std::string> shown;
    shown.reserve(static_cast<std::size_t>(List1->count()));
    for (int i = 0; i < List1->count(); ++i)
        shown.push_back(to_resource(List1->item(i)->text()).value_or(std::string()));
    return shown;
}

void Form1::choose_filter(std::int16_t index) {
    const int i = index == 0 ? 0 : 1;
    const int j = 1 - i;
    if (elradio1[i]->Value() && elradio1[j]->Value()) {
        elradio1[j]->Value(false);
        refresh_shown_list();
    }
}

void Form1::entry_selected() {
    if (List1->count() < 1) return;
    commands_.selected = commands_.editable = true;
    show_commands();
}

void Form1::show_commands() {
    Command3->Enabled(commands_.entries);
    Command4->Enabled(commands_.selected);
    Command6->Enabled(commands_.editable);
    Command8->Enabled(commands_.entries);
    List1->setEnabled(commands_.list_active);
}

// Asks for a resource name and applies the name test; true with `name` set when accepted.
bool Form1::ask_name(const QString& title, const QString& default_text, std::string& name) {
    const QString typed = services_.dialogs->input_box(QString(), title, default_text);
    switch (is_valid_resource_name(typed)) {
    case NameTest::ignore:
        return false;
    case NameTest::refuse:
        message(not_a_resource, application_title);
        return false;
    case NameTest::accept:
        break;
    }
    const auto bytes = to_resource(typed);
    if (!bytes) {
        message(not_single_byte, application_title);
        return false;
    }
    name = *bytes;
    return true;
}

void Form1::message(const QString& text, const QString& title) {
    services_.dialogs->message_box(text, platform::Buttons::ok, title);
}

} // namespace tarnwick::app

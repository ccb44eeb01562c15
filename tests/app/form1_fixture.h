#pragma once

#include "analysis/module1.h"
#include "app/form1.h"
#include "controls/elboton.h"
#include "controls/elradio.h"
#include "controls/eltexto.h"
#include "scripted_dialogs.h"
#include "synthetic_map.h"

#include <QFileInfo>
#include <QListWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <utility>

namespace tarnwick::testing {

// The main window with scripted dialogs, a cursor the test holds, and an end of the
// process that is only counted.
class Form1Test : public ::testing::Test {
protected:
    Form1Test() {
        platform::Services services;
        services.dialogs = &dialogs;
        services.cursor_pos = [this] { return cursor; };
        services.pump_events = [this] {
            if (during_scan && during_scan()) during_scan = nullptr;
        };
        services.end_process = [this] { ++ended; };
        services.steam_roots = [this] { return steam; };
        form = std::make_unique<app::Form1>(services);
    }

    // Writes a map with `entities` in the test's folder and returns its path.
    std::string write_map(const std::string& name, const std::string& entities) {
        write_file(dir.file(name), MapBuilder().entities(entities).pad_to(3000).bytes());
        return dir.file(name);
    }

    // Picks `path` in the open-file dialog and analyses it.
    void analyse(const std::string& path) {
        const QString p = QString::fromStdString(path);
        dialogs.files.push_back({p, QFileInfo(p).fileName()});
        form->browse_map();
    }

    void add(const QString& typed) {
        dialogs.inputs.push_back(typed);
        form->add_entry();
    }

    void click_option(int index) {
        QTest::mouseClick(form->elradio1[index], Qt::LeftButton, {}, QPoint(5, 5));
    }

    // The shown list's entries, separated by ", ", the selected one in brackets.
    std::string shown() const {
        QStringList out;
        for (int i = 0; i < form->List1->count(); ++i) {
            const QString text = form->List1->item(i)->text();
            out << (i == form->selected_index() ? "[" + text + "]" : text);
        }
        return out.join(", ").toStdString();
    }

    // Clear, Remove, Add, Edit, Make Res and the shown list, as "1" for on and "0" for off.
    std::string enabled() const {
        std::string flags;
        for (const controls::elboton* b :
             {form->Command3, form->Command4, form->Command5, form->Command6, form->Command8})
            flags += b->Enabled() ? '1' : '0';
        return flags + (form->List1->isEnabled() ? '1' : '0');
    }

    // The messages shown since the last look, one a line.
    std::string said() { return std::exchange(dialogs.messages, {}); }

    TempDir dir;
    ScriptedDialogs dialogs;
    QPoint cursor;
    int ended = 0;
    std::vector<std::filesystem::path> steam; // the Steam folders the window finds

    // Runs at every pump of a scan until it returns true.
    std::function<bool()> during_scan;
    std::unique_ptr<app::Form1> form;
};

} // namespace tarnwick::testing

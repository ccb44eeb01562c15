#include "platform/dialogs.h"
#include "synthetic_map.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using tarnwick::platform::toolkit_filter;

TEST(Dialogs, FiltersTakeTheToolkitsForm) {
    EXPECT_EQ(toolkit_filter("Cs Map (*.bsp)|*.bsp"), "Cs Map (*.bsp)");
    EXPECT_EQ(toolkit_filter("Text|*.txt;*.log|All|*"), "Text (*.txt *.log);;All (*)");
    EXPECT_EQ(toolkit_filter("No pattern"), "");
}

#ifndef _WIN32 // where the dialog is the toolkit's own; Windows' compares names without case
// Maps are listed whatever the case of their names.
TEST(Dialogs, TheOpenDialogListsMapsInAnyCase) {
    tarnwick::testing::TempDir dir;
    for (const char* name : {"de_a.bsp", "DE_B.BSP", "notes.txt"})
        tarnwick::testing::write_file(dir.file(name), "x");
    QStringList listed;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* model = dialog->findChild<QFileSystemModel*>();
        const auto folder = model->index(QString::fromStdString(dir.path().string()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount(folder) >= 2; }));
        for (int row = 0; row < model->rowCount(folder); ++row)
            listed << model->index(row, 0, folder).data().toString();
        dialog->reject();
    });
    tarnwick::platform::QtDialogs dialogs;
    dialogs.open_file(QString::fromStdString(dir.file("de_a.bsp")), "Cs Map (*.bsp)|*.bsp");
    listed.sort();
    EXPECT_EQ(listed, QStringList({"DE_B.BSP", "de_a.bsp"}));
}
#endif

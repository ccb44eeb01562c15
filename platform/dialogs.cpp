#include "platform/dialogs.h"

#include "platform/os/system.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace tarnwick::platform {

QString toolkit_filter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.contains(QLatin1Char('(') + patterns + QLatin1Char(')')))
            filters << description;
        else
            filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

ChosenFile QtDialogs::open_file(const QString& file_name, const QString& filter) {
    QFileDialog dialog(parent_);
    dialog.setWindowTitle(QStringLiteral("Open"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    os::prepare_open_dialog(dialog);
    dialog.setNameFilter(toolkit_filter(filter));
    if (!file_name.isEmpty()) dialog.selectFile(file_name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    // The path as the system writes it, with backslashes on Windows.
    const QString path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    return {path, QFileInfo(dialog.selectedFiles().constFirst()).fileName()};
}

QString QtDialogs::input_box(const QString& prompt, const QString& title,
                             const QString& default_text) {
    QInputDialog dialog(parent_);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(default_text);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

QString QtDialogs::choose_folder(const QString& title) {
    return QDir::toNativeSeparators(QFileDialog::getExistingDirectory(parent_, title));
}

Answer QtDialogs::message_box(const QString& text, Buttons buttons, const QString& title) {
    QMessageBox box(parent_);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title);
    box.setText(text);
    if (buttons == Buttons::ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return Answer::ok;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? Answer::yes : Answer::no;
}

} // namespace tarnwick::platform

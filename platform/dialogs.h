#pragma once

// The modal dialogs the program asks the user with: an open-file dialog, an input prompt
// and message boxes. Their texts, titles, buttons and answers are the program's; their
// look is the toolkit's.

#include <QString>

class QWidget;

namespace tarnwick::platform {

struct ChosenFile {
    QString path;      // the full path; empty when the user cancelled
    QString file_name; // the file's name without its directory
};

enum class Buttons { ok, yes_no };
enum class Answer { ok, yes, no };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // `filter` pairs a description and a pattern with a vertical bar: "Map (*.bsp)|*.bsp".
    // Only an existing file can be chosen.
    virtual ChosenFile open_file(const QString& file_name, const QString& filter) = 0;
    // The typed text, or the empty text on Cancel.
    virtual QString input_box(const QString& prompt, const QString& title,
                              const QString& default_text) = 0;
    // No icon; Yes is the default of a Yes/No question.
    virtual Answer message_box(const QString& text, Buttons buttons, const QString& title) = 0;
    // An existing folder, or the empty text on Cancel.
    virtual QString choose_folder(const QString& title) = 0;
};

// The toolkit's own dialogs, over `parent`.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void set_parent(QWidget* parent) { parent_ = parent; }
    ChosenFile open_file(const QString& file_name, const QString& filter) override;
    QString input_box(const QString& prompt, const QString& title,
                      const QString& default_text) override;
    Answer message_box(const QString& text, Buttons buttons, const QString& title) override;
    QString choose_folder(const QString& title) override;

private:
    QWidget* parent_;
};

// "Description|pattern|Description|pattern" in the toolkit's form, one filter per line:
// "Description (pattern)", the pattern added only when the description does not show it.
QString toolkit_filter(const QString& filter);

} // namespace tarnwick::platform

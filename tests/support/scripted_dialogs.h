#pragma once

// Dialogs that answer from a script and remember what they were asked, for tests and
// benchmarks that drive the windows without a person.

#include "platform/dialogs.h"

#include <deque>
#include <string>
#include <vector>

namespace tarnwick::testing {

class ScriptedDialogs : public platform::Dialogs {
public:
    // Answers, taken in order; when a queue runs dry the dialog is cancelled (No).
    std::deque<platform::ChosenFile> files;
    std::deque<QString> inputs;
    std::deque<platform::Answer> answers;
    std::deque<QString> folders;
    // The questions asked, in order: a file's as its filter, a name's as
    // "title: [prompt] [default text]", a folder's as "folder: title".
    std::vector<std::string> asked;
    // The messages shown, as "title: text", one a line.
    std::string messages;

    platform::ChosenFile open_file(const QString&, const QString& filter) override {
        asked.push_back(filter.toStdString());
        return take(files, platform::ChosenFile{});
    }
    QString input_box(const QString& prompt, const QString& title,
                      const QString& default_text) override {
        asked.push_back((title + ": [" + prompt + "] [" + default_text + "]").toStdString());
        return take(inputs, QString());
    }
    platform::Answer message_box(const QString& text, platform::Buttons buttons,
                                 const QString& title) override {
        messages += (messages.empty() ? "" : "\n") + (title + ": " + text).toStdString();
        if (buttons == platform::Buttons::ok) return platform::Answer::ok;
        return take(answers, platform::Answer::no);
    }

    QString choose_folder(const QString& title) override {
        asked.push_back(("folder: " + title).toStdString());
        return take(folders, QString());
    }

private:
    template <class T> static T take(std::deque<T>& queue, T none) {
        if (queue.empty()) return none;
        T next = std::move(queue.front());
        queue.pop_front();
        return next;
    }
};

} // namespace tarnwick::testing

#pragma once

// Dialogs that answer from a script and remember what they were asked, for tests and
// benchmarks that drive the windows without a person.

#include "platform/dialogs.h"

#include <deque>
#include <vector>

namespace tarnwick::testing {

class ScriptedDialogs : public platform::Dialogs {
public:
    enum class Kind { open_file, input_box, message_box };
    struct Asked {
        Kind kind;
        QString text; // the filter, the prompt or the message
        QString title;
        QString default_text;
        platform::Buttons buttons = platform::Buttons::ok;
    };

    // Answers, taken in order; when a queue runs dry the dialog is cancelled (No).
    std::deque<platform::ChosenFile> files;
    std::deque<QString> inputs;
    std::deque<platform::Answer> answers;
    std::vector<Asked> asked;

    platform::ChosenFile open_file(const QString& file_name, const QString& filter) override {
        asked.push_back({Kind::open_file, filter, {}, file_name});
        return take(files, platform::ChosenFile{});
    }
    QString input_box(const QString& prompt, const QString& title,
                      const QString& default_text) override {
        asked.push_back({Kind::input_box, prompt, title, default_text});
        return take(inputs, QString());
    }
    platform::Answer message_box(const QString& text, platform::Buttons buttons,
                                 const QString& title) override {
        asked.push_back({Kind::message_box, text, title, {}, buttons});
        if (buttons == platform::Buttons::ok) return platform::Answer::ok;
        return take(answers, platform::Answer::no);
    }

    // The messages shown, in order.
    std::vector<Asked> messages() const {
        std::vector<Asked> out;
        for (const auto& a : asked)
            if (a.kind == Kind::message_box) out.push_back(a);
        return out;
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

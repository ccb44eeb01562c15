#pragma once

#include "controls/skinned_control.h"

#include <QLineEdit>
#include <cstdint>
#include <functional>

namespace tarnwick::controls {

// A single-line edit field without a border of its own that offers its key and mouse input
// to its owner as numbered events, and goes on with the key arguments the owner leaves:
// KeyAscii 0 keeps a character out and another value is typed instead; KeyCode 0 in KeyDown
// cancels what the key itself does (Delete, arrows), another code does what that key does.
// Characters beyond 16 bits and text from an input method come without a KeyPress. Mouse
// input is offered after the field has placed its caret.
class EditField : public QLineEdit {
public:
    // In the order of the text box's events.
    enum class Input {
        KeyUp = 1,
        KeyDown,
        KeyPress,
        Click,
        DblClick,
        MouseDown,
        MouseMove,
        MouseUp
    };
    using Handler = std::function<void(Input, EventArgs&)>;

    EditField(QWidget* parent, Handler handler);

    // The most characters that typing, pasting or dropping may leave; 0 for no limit.
    std::int32_t limit() const;
    void set_limit(std::int32_t limit);
    // Taken whole, whatever the limit: only what the user puts in is cut.
    void set_text(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    class CharLimit;

    void go_on(QKeyEvent* event, QKeyEvent replacement);
    void offer(Input input, EventArgs& args) { handler_(input, args); }
    void offer_mouse(Input input, const QMouseEvent& e, Qt::MouseButtons buttons);

    Handler handler_;
    CharLimit* limit_;
    // A left press began here and is not the second one of a double click.
    bool clicking_ = false;
};

} // namespace tarnwick::controls

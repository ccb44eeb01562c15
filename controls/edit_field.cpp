#include "controls/edit_field.h"

#include "controls/input_codes.h"

#include <QValidator>
#include <algorithm>
#include <limits>
#include <utility>

namespace tarnwick::controls {

namespace {

// The key event that carries a key code a host has put in its place, without a character.
QKeyEvent key_event(QEvent::Type type, const EventArgs& args) {
    const ToolkitKey key = toolkit_key(args.KeyCode);
    Qt::KeyboardModifiers modifiers = shift_modifiers(args.Shift);
    if (key.keypad) modifiers |= Qt::KeypadModifier;
    return QKeyEvent(type, key.key, modifiers);
}

// The key event that types `c`, as the keyboard would deliver it: control characters are
// the keys that produce them, so that 8 rubs out and 22 pastes.
QKeyEvent character_event(char16_t c) {
    const QString text(QChar{c});
    switch (c) {
    case 8:
        return QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, text);
    case 9:
        return QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, text);
    case 13:
        return QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, text);
    case 27:
        return QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, text);
    default:
        if (c >= 1 && c <= 26)
            return QKeyEvent(QEvent::KeyPress, Qt::Key_A + (c - 1), Qt::ControlModifier, text);
        return QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    }
}

} // namespace

// Keeps what the user types, pastes or drops within the limit, as the classic edit field
// does: an insertion goes in only as far as it fits. Text the program sets is taken whole;
// `before` then already holds it.
class EditField::CharLimit : public QValidator {
public:
    using QValidator::QValidator;

    std::int32_t limit = 0;
    // The text before the edit under validation.
    QString before;

    State validate(QString& input, int& pos) const override {
        const qsizetype length = input.size();
        if (limit == 0 || length <= limit || length <= before.size()) return Acceptable;
        if (before.size() > limit) return Invalid; // set longer by the program: no growing
        // The insertion ends at the cursor and is at least what the two texts do not share
        // at their start; what does not fit comes off its end.
        const qsizetype excess = length - limit, tail = length - pos;
        if (tail > before.size() || QStringView(input).mid(pos) != QStringView(before).right(tail))
            return Invalid;
        qsizetype shared = 0;
        const qsizetype head = std::min<qsizetype>(pos, before.size() - tail);
        while (shared < head && input[shared] == before[shared])
            ++shared;
        if (pos - shared < excess) return Invalid;
        QString fitted = input;
        fitted.remove(pos - excess, excess);
        // Nothing fits: refused, which keeps the field's undo history.
        if (fitted == before) return Invalid;
        input = fitted;
        pos -= static_cast<int>(excess);
        return Acceptable;
    }
};

EditField::EditField(QWidget* parent, Handler handler)
    : QLineEdit(parent), handler_(std::move(handler)), limit_(new CharLimit(this)) {
    setFrame(false);
    // Moves are events even while no button is held.
    setMouseTracking(true);
    // The limit is the validator's, so that text the program sets is never cut.
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(limit_);
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { limit_->before = text; });
}

std::int32_t EditField::limit() const {
    return limit_->limit;
}

void EditField::set_limit(std::int32_t limit) {
    limit_->limit = limit;
    // Forgets the undo history, which may hold longer texts than the new limit allows, as
    // the field does when its own limit changes.
    const int cursor = cursorPosition();
    setText(text());
    setCursorPosition(cursor);
}

void EditField::set_text(const QString& text) {
    limit_->before = text;
    setText(text);
}

void EditField::go_on(QKeyEvent* event, QKeyEvent replacement) {
    if (replacement.type() == QEvent::KeyPress)
        QLineEdit::keyPressEvent(&replacement);
    else
        QLineEdit::keyReleaseEvent(&replacement);
    event->setAccepted(replacement.isAccepted());
}

void EditField::keyPressEvent(QKeyEvent* event) {
    EventArgs down;
    down.KeyCode = key_code(*event);
    down.Shift = shift_code(event->modifiers());
    const EventArgs asked = down;
    offer(Input::KeyDown, down);
    const bool key_kept = down.KeyCode == asked.KeyCode && down.Shift == asked.Shift;
    if (!key_kept && down.KeyCode != 0) go_on(event, key_event(QEvent::KeyPress, down));

    // What the key types follows its own way, through KeyPress.
    const QString text = event->text();
    if (text.size() != 1) {
        if (key_kept)
            QLineEdit::keyPressEvent(event);
        else if (!text.isEmpty())
            go_on(event, QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text));
        return;
    }
    EventArgs press;
    press.KeyAscii = static_cast<std::int16_t>(text.at(0).unicode());
    const std::int16_t typed = press.KeyAscii;
    offer(Input::KeyPress, press);
    const auto c = static_cast<char16_t>(press.KeyAscii);
    if (c == 0 || QChar::isSurrogate(c)) return;
    if (key_kept && press.KeyAscii == typed)
        QLineEdit::keyPressEvent(event);
    else
        go_on(event, character_event(c));
}

void EditField::keyReleaseEvent(QKeyEvent* event) {
    // A held key repeats its press alone.
    if (event->isAutoRepeat()) return QLineEdit::keyReleaseEvent(event);
    EventArgs up;
    up.KeyCode = key_code(*event);
    up.Shift = shift_code(event->modifiers());
    const EventArgs asked = up;
    offer(Input::KeyUp, up);
    if (up.KeyCode == 0) return;
    if (up.KeyCode == asked.KeyCode && up.Shift == asked.Shift)
        QLineEdit::keyReleaseEvent(event);
    else
        go_on(event, key_event(QEvent::KeyRelease, up));
}

void EditField::offer_mouse(Input input, const QMouseEvent& e, Qt::MouseButtons buttons) {
    EventArgs args;
    args.Button = button_code(buttons);
    args.Shift = shift_code(e.modifiers());
    const QPoint at = pixel_at(e);
    args.X = static_cast<float>(at.x());
    args.Y = static_cast<float>(at.y());
    offer(input, args);
}

void EditField::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) clicking_ = true;
    offer_mouse(Input::MouseDown, *event, event->button());
}

void EditField::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return mousePressEvent(event);
    // The second press of a double click is the double click itself.
    QLineEdit::mouseDoubleClickEvent(event);
    clicking_ = false;
    EventArgs none;
    offer(Input::DblClick, none);
}

void EditField::mouseMoveEvent(QMouseEvent* event) {
    QLineEdit::mouseMoveEvent(event);
    offer_mouse(Input::MouseMove, *event, event->buttons());
}

void EditField::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    offer_mouse(Input::MouseUp, *event, event->button());
    if (event->button() != Qt::LeftButton) return;
    const bool click = clicking_ && rect().contains(pixel_at(*event));
    clicking_ = false;
    if (!click) return;
    EventArgs none;
    offer(Input::Click, none);
}

} // namespace tarnwick::controls

#include "controls/eltexto.h"

#include "controls/input_codes.h"
#include "controls/skin.h"
#include "platform/errors.h"

#include <QValidator>
#include <algorithm>
#include <limits>
#include <utility>

namespace tarnwick::controls {

namespace {

constexpr int fixed_height = 300; // twips
constexpr Colour design_light = 0x00809188;
constexpr Colour default_fore = 0x00D3DED8;
// The field sits three pixels inside the side edges and one inside the top and bottom
// ones; as designed, before the first resize, it sat a pixel lower.
constexpr int field_left = 4, field_top = 2, design_top = 3, field_height = 16;
constexpr int field_margin = 8;

QColor colour_of(Colour colour) {
    return QColor::fromRgb(platform::to_rgb(colour));
}

template <class T> platform::Font with(platform::Font font, T platform::Font::*attribute, T value) {
    font.*attribute = std::move(value);
    return font;
}

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

// Keeps what the user types, pastes or drops within MaxChars, as the classic edit field
// does: an insertion goes in only as far as it fits. Text the program sets is taken whole;
// `before` then already holds it.
class eltexto::CharLimit : public QValidator {
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

// The edit field, re-raising its input as the box's events.
class eltexto::Field : public QLineEdit {
public:
    explicit Field(eltexto& owner) : QLineEdit(&owner), owner_(owner) {
        setFrame(false);
        // Moves are events even while no button is held.
        setMouseTracking(true);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void go_on(QKeyEvent* event, QKeyEvent replacement);
    void raise_mouse(Event event, const QMouseEvent& e, Qt::MouseButtons buttons);

    eltexto& owner_;
    // A left press began here and is not the second one of a double click.
    bool clicking_ = false;
};

void eltexto::Field::go_on(QKeyEvent* event, QKeyEvent replacement) {
    if (replacement.type() == QEvent::KeyPress)
        QLineEdit::keyPressEvent(&replacement);
    else
        QLineEdit::keyReleaseEvent(&replacement);
    event->setAccepted(replacement.isAccepted());
}

void eltexto::Field::keyPressEvent(QKeyEvent* event) {
    EventArgs down;
    down.KeyCode = key_code(*event);
    down.Shift = shift_code(event->modifiers());
    const EventArgs asked = down;
    owner_.raise(Event::KeyDown, down);
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
    owner_.raise(Event::KeyPress, press);
    const auto c = static_cast<char16_t>(press.KeyAscii);
    if (c == 0 || QChar::isSurrogate(c)) return;
    if (key_kept && press.KeyAscii == typed)
        QLineEdit::keyPressEvent(event);
    else
        go_on(event, character_event(c));
}

void eltexto::Field::keyReleaseEvent(QKeyEvent* event) {
    // A held key repeats its press alone.
    if (event->isAutoRepeat()) return QLineEdit::keyReleaseEvent(event);
    EventArgs up;
    up.KeyCode = key_code(*event);
    up.Shift = shift_code(event->modifiers());
    const EventArgs asked = up;
    owner_.raise(Event::KeyUp, up);
    if (up.KeyCode == 0) return;
    if (up.KeyCode == asked.KeyCode && up.Shift == asked.Shift)
        QLineEdit::keyReleaseEvent(event);
    else
        go_on(event, key_event(QEvent::KeyRelease, up));
}

void eltexto::Field::raise_mouse(Event event, const QMouseEvent& e, Qt::MouseButtons buttons) {
    EventArgs args;
    args.Button = button_code(buttons);
    args.Shift = shift_code(e.modifiers());
    const QPoint at = pixel_at(e);
    args.X = static_cast<float>(at.x());
    args.Y = static_cast<float>(at.y());
    owner_.raise(event, args);
}

void eltexto::Field::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) clicking_ = true;
    raise_mouse(Event::MouseDown, *event, event->button());
}

void eltexto::Field::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return mousePressEvent(event);
    // The second press of a double click is the double click itself.
    QLineEdit::mouseDoubleClickEvent(event);
    clicking_ = false;
    owner_.raise(Event::DblClick);
}

void eltexto::Field::mouseMoveEvent(QMouseEvent* event) {
    QLineEdit::mouseMoveEvent(event);
    raise_mouse(Event::MouseMove, *event, event->buttons());
}

void eltexto::Field::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    raise_mouse(Event::MouseUp, *event, event->button());
    if (event->button() != Qt::LeftButton) return;
    const bool click = clicking_ && rect().contains(pixel_at(*event));
    clicking_ = false;
    if (click) owner_.raise(Event::Click);
}

eltexto::eltexto(QWidget* parent)
    : SkinnedControl(parent, 1425, fixed_height, skin::back_dark),
      lineA_{{0, 0, to_pixels(1425), 0, skin::edge_dark}, {0, 0, 0, 20, skin::edge_dark}},
      lineB_{{to_pixels(1415), 1, to_pixels(1415), 20, design_light},
             {0, to_pixels(290), to_pixels(1425), to_pixels(290), design_light}},
      font_(skin::design_font()), fore_colour_(skin::caption), Text1_(new Field(*this)),
      limit_(new CharLimit(Text1_)) {
    add_parts({&lineB_[1], &lineB_[0], &lineA_[1], &lineA_[0]});
    // The limit is the validator's, so that text the program sets is never cut.
    Text1_->setMaxLength(std::numeric_limits<int>::max());
    Text1_->setValidator(limit_);
    connect(Text1_, &QLineEdit::textChanged, this,
            [this](const QString& text) { limit_->before = text; });
    Text1_->setGeometry(field_left, design_top, 88, field_height);
    // One colour for every state: a disabled box only stops taking input.
    QPalette palette = Text1_->palette();
    palette.setColor(QPalette::Base, colour_of(skin::back_dark));
    Text1_->setPalette(palette);
    apply_fore_colour(fore_colour_);
    apply_font(font_);
    Text1_->setText(QStringLiteral("Text"));
    setFocusProxy(Text1_);
}

void eltexto::apply_font(const platform::Font& font) {
    font_ = font;
    Text1_->setFont(platform::to_qfont(font));
}

void eltexto::set_font(const platform::Font& font, const char* property) {
    apply_font(font);
    changed(property);
}

void eltexto::Font(const platform::Font& value) {
    set_font(value, "Font");
}

void eltexto::FontName(const QString& value) {
    set_font(with(font_, &platform::Font::name, value), "FontName");
}

void eltexto::FontSize(double value) {
    set_font(with(font_, &platform::Font::size, value), "FontSize");
}

void eltexto::FontItalic(bool value) {
    set_font(with(font_, &platform::Font::italic, value), "FontItalic");
}

void eltexto::FontUnderline(bool value) {
    set_font(with(font_, &platform::Font::underline, value), "FontUnderline");
}

void eltexto::apply_fore_colour(Colour value) {
    fore_colour_ = value;
    QPalette palette = Text1_->palette();
    palette.setColor(QPalette::Text, colour_of(value));
    Text1_->setPalette(palette);
}

void eltexto::ForeColor(Colour value) {
    apply_fore_colour(value);
    changed("ForeColor");
}

std::int32_t eltexto::MaxChars() const {
    return limit_->limit;
}

void eltexto::apply_max_chars(std::int32_t value) {
    if (value < 0)
        throw platform::InvalidValueError("MaxChars must be 0 (no limit) or a positive length");
    limit_->limit = value;
    // Forgets the undo history, which may hold longer texts than the new limit allows, as
    // the field does when its own limit changes.
    const int cursor = Text1_->cursorPosition();
    Text1_->setText(Text1_->text());
    Text1_->setCursorPosition(cursor);
}

void eltexto::MaxChars(std::int32_t value) {
    apply_max_chars(value);
    changed("MaxChars");
}

void eltexto::apply_light(Colour value) {
    lineB_[0].colour = lineB_[1].colour = value;
    update();
}

void eltexto::apply_dark(Colour value) {
    lineA_[0].colour = lineA_[1].colour = value;
    update();
}

void eltexto::Color3DLight(Colour value) {
    apply_light(value);
    changed("Color3DLight");
}

void eltexto::Color3DDark(Colour value) {
    apply_dark(value);
    changed("Color3DDark");
}

void eltexto::Text(const QString& value) {
    limit_->before = value;
    Text1_->setText(value);
    changed("Text");
}

void eltexto::size_rules(int&, int& height) {
    height = fixed_height;
}

void eltexto::layout() {
    // The vertical ends of the edges never move.
    const int w = ScaleWidth();
    lineA_[0].x2 = w;
    lineB_[1].x2 = w;
    lineB_[0].x1 = lineB_[0].x2 = w - 1;
    Text1_->setGeometry(field_left, field_top, std::max(w - field_margin, 0), field_height);
    update();
}

void eltexto::load(const PropertyStore& s) {
    apply_max_chars(s.read(QStringLiteral("MaxChars"), std::int32_t{0}));
    apply_fore_colour(s.read(QStringLiteral("ForeColor"), default_fore));
    apply_back_colour(s.read(QStringLiteral("BackColor"), skin::back_dark));
    setEnabled(s.read(QStringLiteral("Enabled"), true));
    // Saved with "Text" as its default but read with the empty one, so that the design's
    // sample text never comes back from a layout.
    const QString text = s.read(QStringLiteral("Text"), QString());
    limit_->before = text;
    Text1_->setText(text);
    apply_light(s.read(QStringLiteral("Color3DLight"), skin::light));
    apply_dark(s.read(QStringLiteral("Color3DDark"), skin::dark));
    apply_font(read_font(s, ambient_font()));
}

void eltexto::save(PropertyStore& s) const {
    s.write(QStringLiteral("MaxChars"), MaxChars(), std::int32_t{0});
    s.write(QStringLiteral("BackColor"), BackColor(), skin::back_dark);
    s.write(QStringLiteral("ForeColor"), ForeColor(), default_fore);
    s.write(QStringLiteral("Enabled"), Enabled(), true);
    s.write(QStringLiteral("Text"), Text(), QStringLiteral("Text"));
    s.write(QStringLiteral("Color3DLight"), Color3DLight(), skin::light);
    s.write(QStringLiteral("Color3DDark"), Color3DDark(), skin::dark);
    write_font(s, font_, ambient_font());
}

} // namespace tarnwick::controls

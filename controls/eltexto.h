#pragma once

#include "controls/captioned_control.h"
#include "controls/edit_field.h"

namespace tarnwick::controls {

// The single-line text box: a real edit field without a border of its own, set into a
// sunken one-pixel frame. Editing, caret, selection and clipboard are the field's; the box
// re-raises the field's key and mouse events under its own numbers, key arguments by
// reference (see EditField for what a host may change in them).
class eltexto : public FontedControl {
public:
    enum class Event {
        KeyUp = 1,
        KeyDown = 2,
        KeyPress = 3,
        Click = 4,
        DblClick = 5,
        MouseDown = 6,
        MouseMove = 7,
        MouseUp = 8,
    };

    explicit eltexto(QWidget* parent = nullptr);

    Colour ForeColor() const { return fore_colour_; }
    void ForeColor(Colour value);
    // The most characters that typing, pasting or dropping may leave in the field; 0 for no
    // limit. Text set by the program is never cut. Throws platform::InvalidValueError, and
    // keeps the limit, for a negative value.
    std::int32_t MaxChars() const;
    void MaxChars(std::int32_t value);
    // The right and bottom edges.
    Colour Color3DLight() const { return lineB_[0].colour; }
    void Color3DLight(Colour value);
    // The top and left edges.
    Colour Color3DDark() const { return lineA_[0].colour; }
    void Color3DDark(Colour value);
    QString Text() const { return Text1_->text(); }
    void Text(const QString& value);

    void load(const PropertyStore& store) override;
    void save(PropertyStore& store) const override;

    // For what the field does by itself (caret, selection, clipboard); its text goes
    // through Text, which the limit lets through whole.
    QLineEdit& Text1() { return *Text1_; }
    const QLineEdit& Text1() const { return *Text1_; }
    const LinePart& lineA(int index) const { return lineA_[index]; }
    const LinePart& lineB(int index) const { return lineB_[index]; }

protected:
    // The field's font. Changing it moves nothing: the field keeps its height.
    platform::Font shown_font() const override { return font_; }
    void apply_font(const platform::Font& font) override;
    void layout() override;
    // The frame and the bare surface raise nothing.
    void mouse(Part*, MouseAction, EventArgs&) override {}

private:
    static const StoredRows<eltexto>& stored_rows();
    void apply_fore_colour(Colour value);
    void apply_max_chars(std::int32_t value);
    void apply_light(Colour value);
    void apply_dark(Colour value);

    // lineA: 0 top, 1 left (dark); lineB: 0 right, 1 bottom (light).
    LinePart lineA_[2];
    LinePart lineB_[2];
    platform::Font font_;
    Colour fore_colour_;
    // A child widget: the widget tree owns it.
    EditField* Text1_;
};

} // namespace tarnwick::controls

#pragma once

#include "controls/captioned_control.h"

namespace tarnwick::controls {

// The option control: a sunken circle at the left with a caption beside it, and a dot in the
// circle while the option is chosen. The circle is drawn from the state at every paint, over
// whatever background the surface holds. A click anywhere chooses it; it never unchooses itself
// and knows nothing of other options, so a host that groups options makes them exclusive.
class elradio : public CaptionedControl {
public:
    enum class Event { Click = 1, MouseDown = 2, MouseMove = 3, MouseUp = 4 };

    explicit elradio(QWidget* parent = nullptr);

    // The over look is the host's to switch: the control does no pointer tracking of its own.
    // It shows only while the option is not chosen.
    void set_over_state();
    void set_normal_state();

    // The circle's ring: dark over the upper left, light over the lower right.
    Colour Color3DLight() const { return light_; }
    void Color3DLight(Colour value);
    Colour Color3DDark() const { return dark_; }
    void Color3DDark(Colour value);
    // The caption's colours per state; CheckedColor is also the dot's.
    Colour CheckedColor() const { return checked_colour_; }
    Colour UncheckedColor() const { return unchecked_colour_; }
    Colour OverColor() const { return over_colour_; }
    void CheckedColor(Colour value);
    void UncheckedColor(Colour value);
    void OverColor(Colour value);
    // The disc inside the ring.
    Colour BackColor2() const { return back_colour2_; }
    void BackColor2(Colour value);
    QString Caption() const { return caption_part().caption(); }
    void Caption(const QString& value);
    // Raises no event: only a click does.
    bool Value() const { return value_; }
    void Value(bool value);

    void load(const PropertyStore& store) override;
    void save(PropertyStore& store) const override;

    const TextPart& Label1() const { return caption_part(); }

protected:
    Area background_area() const override { return {0, 0, ScaleWidth(), ScaleHeight()}; }
    void back_colour_changed() override;
    void layout() override;
    void shown() override { place_caption(); }
    void caption_changed() override { place_caption(); }
    void draw_state(QImage& picture) const override { draw_check(picture); }
    void mouse(Part* part, MouseAction action, EventArgs& args) override;

private:
    static const StoredRows<elradio>& stored_rows();
    void draw_check(QImage& picture) const;
    // The caption's colour follows the state again, leaving the over look.
    void show_state();
    void place_caption();
    // Stores a colour field, repaints and notifies.
    void set_colour(Colour& field, Colour value, const char* property);

    Colour checked_colour_;
    Colour unchecked_colour_;
    Colour over_colour_;
    Colour back_colour2_;
    Colour light_;
    Colour dark_;
    bool value_ = false;
};

} // namespace tarnwick::controls

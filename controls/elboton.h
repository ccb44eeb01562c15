#pragma once

#include "controls/captioned_control.h"

namespace tarnwick::controls {

// The push button: a fixed-height bar with a raised one-pixel edge and a caption at the left
// or centred. While the left button is held on it the edge colours swap (sunken look).
class elboton : public CaptionedControl {
public:
    enum class Event { Click = 1, MouseDown = 2, MouseMove = 3, MouseUp = 4 };

    explicit elboton(QWidget* parent = nullptr);

    Colour Color3DLight() const { return lineA_[0].colour; }
    void Color3DLight(Colour value);
    Colour Color3DDark() const { return lineB_[0].colour; }
    void Color3DDark(Colour value);
    Colour ForeColor() const { return caption_part().fore_colour; }
    void ForeColor(Colour value);
    QString Caption() const { return caption_part().caption(); }
    void Caption(const QString& value);
    bool CenterCaption() const { return center_caption_; }
    void CenterCaption(bool value);

    void load(const PropertyStore& store) override;
    void save(PropertyStore& store) const override;

    const TextPart& label() const { return caption_part(); }
    const LinePart& lineA(int index) const { return lineA_[index]; }
    const LinePart& lineB(int index) const { return lineB_[index]; }

protected:
    void layout() override;
    void shown() override { place_caption(); }
    void caption_changed() override { place_caption(); }
    void mouse(Part* part, MouseAction action, EventArgs& args) override;

private:
    static const StoredRows<elboton>& stored_rows();
    void place_caption();
    void look(Colour a, Colour b);

    // lineA: 0 top, 1 left; lineB: 0 right, 1 bottom.
    LinePart lineA_[2];
    LinePart lineB_[2];
    // The current Color3DLight and Color3DDark, kept apart from the lines because a press
    // swaps the lines' colours.
    Colour light_;
    Colour dark_;
    bool center_caption_ = false;
};

} // namespace tarnwick::controls
